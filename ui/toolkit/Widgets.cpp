#include "Widgets.h"

#include "Text.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QPainter>
#include <QResizeEvent>
#include <qdrawutil.h>

namespace dovra::toolkit {

FieldValidator::FieldValidator(Accepts accepts, QObject* parent)
    : QValidator(parent), accepts_(accepts) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
    return acceptable(input, accepts_) ? Acceptable : Invalid;
}

bool FieldValidator::acceptable(const QString& text, Accepts accepts) {
    if (accepts == Accepts::Digits) {
        for (const QChar c : text) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return false;
            }
        }
        return true;
    }
    return !text.contains(QLatin1Char(';')) && isWindows1252(text);
}

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void Label::setProgramText(std::string text) {
    text_ = std::move(text);
    setText(withLineBreaks(text_));
    fitText();
}

void Label::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitText();
}

void Label::fitText() {
    if (wordWrap()) {
        return;
    }
    QFont fitted = font();
    fitted.setStretch(QFont::Unstretched);
    const QFontMetrics metrics(fitted);
    int needed = 0;
    for (const QString& line : text().split(QLatin1Char('\n'))) {
        needed = std::max(needed, metrics.horizontalAdvance(line));
    }
    const int available = contentsRect().width();
    if (needed > available && available > 0) {
        fitted.setStretch(std::max(50, available * 100 / needed));
    }
    if (fitted.stretch() != font().stretch()) {
        setFont(fitted);
    }
}

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDate(QDate::currentDate());
}

QString DatePicker::qtFormatFromMask(const QString& mask) {
    if (mask.isEmpty()) {
        return QLocale::system().dateFormat(QLocale::ShortFormat);
    }
    static const std::pair<QLatin1String, QLatin1String> fields[] = {
        {QLatin1String("%yyyy"), QLatin1String("yyyy")},
        {QLatin1String("%dd"), QLatin1String("dd")},
        {QLatin1String("%mm"), QLatin1String("MM")},
    };
    QString format;
    QString literal; // letters and quotes must be quoted for Qt
    const auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            format += QLatin1Char('\'') + literal + QLatin1Char('\'');
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < mask.size();) {
        bool matched = false;
        for (const auto& [field, qt] : fields) {
            if (QStringView(mask).mid(i).startsWith(field)) {
                flushLiteral();
                format += qt;
                i += field.size();
                matched = true;
                break;
            }
        }
        if (matched) {
            continue;
        }
        const QChar c = mask[i++];
        if (c.isLetter()) {
            literal += c;
        } else if (c == QLatin1Char('\'')) {
            literal += QLatin1String("''");
        } else {
            flushLiteral();
            format += c;
        }
    }
    flushLiteral();
    return format;
}

void DatePicker::setMask(const QString& mask) {
    setDisplayFormat(qtFormatFromMask(mask));
}

bool DatePicker::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

TextEditor::TextEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);
    // The selection stays visible when the editor loses the focus.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    }
    setPalette(colours);
}

bool TextEditor::focusNextPrevChild(bool next) {
    if (!next) {
        return QWidget::focusNextPrevChild(false);
    }
    return QPlainTextEdit::focusNextPrevChild(next);
}

void TextEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        // Tab itself is typed into the text; Ctrl+Tab leaves, as from editors that take Tab.
        QWidget::focusNextPrevChild(true);
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed != QLatin1String("\r") && typed != QLatin1String("\t") &&
        typed.at(0).isPrint() &&
        !FieldValidator::acceptable(typed, FieldValidator::Accepts::Text)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextEditor::inputMethodEvent(QInputMethodEvent* event) {
    if (!FieldValidator::acceptable(event->commitString(), FieldValidator::Accepts::Text)) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool TextEditor::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasText() &&
           FieldValidator::acceptable(source->text(), FieldValidator::Accepts::Text);
}

void TextEditor::insertFromMimeData(const QMimeData* source) {
    if (canInsertFromMimeData(source)) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}

PictureView::PictureView(QWidget* parent) : QFrame(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PictureView::setPicture(const QImage& picture) {
    if (!picture.hasAlphaChannel()) {
        shown_ = picture.convertToFormat(QImage::Format_RGB32);
    } else {
        // Drawn as plain colours: the stored colour of every pixel shows, whatever its alpha.
        shown_ = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown_.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(shown_.scanLine(y));
            for (int x = 0; x < shown_.width(); ++x) {
                row[x] |= 0xFF000000u;
            }
        }
        shown_.reinterpretAsFormat(QImage::Format_RGB32);
    }
    resize(shown_.width() + 2 * edge, shown_.height() + 2 * edge);
    repaint();
}

void PictureView::clearPicture() {
    shown_ = QImage();
    repaint();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The active colours also when disabled: notice mode must not change the picture's look.
    QPalette active = palette();
    active.setCurrentColorGroup(QPalette::Active);
    painter.fillRect(rect(), active.color(QPalette::Window));
    if (!shown_.isNull()) {
        painter.drawImage(edge, edge, shown_);
    }
    qDrawWinPanel(&painter, rect(), active, true);
}

} // namespace dovra::toolkit
