#pragma once

// The window system's control kinds, as far as Qt's own widgets need help to behave like them.

#include <QDateEdit>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QValidator>
#include <string>

namespace dovra::toolkit {

// What a record can hold: no ";" (it separates the fields of the collection file) and nothing
// outside Windows-1252. Digits-only fields take nothing but 0 to 9. A refused character never
// arrives, whether typed or pasted.
class FieldValidator : public QValidator {
public:
    enum class Accepts { Text, Digits };
    explicit FieldValidator(Accepts accepts, QObject* parent = nullptr);
    State validate(QString& input, int& position) const override;
    static bool acceptable(const QString& text, Accepts accepts);

private:
    Accepts accepts_;
};

// A static text that keeps exactly the text it was given. Line breaks in any of the four forms
// (CR LF, LF CR, CR, LF) show as one break each. A label that does not wrap narrows its letters
// where the system's font is wider than the fixed layout allows, rather than cutting them off.
class Label : public QLabel {
public:
    explicit Label(QWidget* parent);
    void setProgramText(std::string text);
    const std::string& programText() const { return text_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitText();

    std::string text_;
};

// A date field with a display mask written as "%dd.%mm.%yyyy". Tab leaves it, as from every
// other control, instead of walking through its day, month and year.
class DatePicker : public QDateEdit {
public:
    explicit DatePicker(QWidget* parent);
    // The empty mask selects the system's short date form. The date held does not change.
    void setMask(const QString& mask);
    static QString qtFormatFromMask(const QString& mask);

protected:
    bool focusNextPrevChild(bool next) override;
};

// A multi-line editor: lines never wrap, Enter and Tab are typed into the text, Shift+Tab moves
// on, and the characters a record cannot hold are refused as in the single-line fields.
class TextEditor : public QPlainTextEdit {
public:
    explicit TextEditor(QWidget* parent);

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

// Shows one picture unscaled inside a sunken edge two pixels wide, and takes the picture's size
// plus that edge; without a picture it keeps its size and shows the window's background. A
// disabled view looks the same as an enabled one.
class PictureView : public QFrame {
public:
    static constexpr int edge = 2;
    explicit PictureView(QWidget* parent);
    // Only the colours count: any alpha channel is ignored when it is drawn.
    void setPicture(const QImage& picture);
    void clearPicture();
    const QImage& shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage shown_;
};

} // namespace dovra::toolkit
