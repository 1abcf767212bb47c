#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace dovra::toolkit {

// What a file dialog is asked for. The filter is the "|"-separated list of description and
// pattern pairs the program writes its filters in.
struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    QString filter;
    QString folder;   // empty: the dialog's own default folder
    QString fileName; // proposed name, may be empty
};

// The program's only questions and file choices go through here, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen full path, or the empty text when the user cancelled.
    virtual QString chooseFile(const FileDialogRequest& request) = 0;
    // Title and text as given, buttons "Ja" and "Nein", no icon; true for "Ja".
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
};

// Qt's own (not the desktop's native) dialogs, so titles and filters look the same everywhere.
class QtDialogs : public Dialogs {
public:
    QString chooseFile(const FileDialogRequest& request) override;
    bool askYesNo(const QString& title, const QString& text) override;
};

// One entry of a dialog's filter list: what it shows and which names it lets through.
struct NameFilter {
    QString description;
    QStringList patterns;
};

// Splits "Beschreibung (*.a)|*.a; *.b|..." into its pairs. A last part without a pattern of its
// own is taken as its own pattern. Patterns are separated by ";"; what cannot be a file
// pattern (it holds a blank) is left out, and "*.*" means every file, as users expect.
std::vector<NameFilter> parseNameFilters(const QString& filter);

// Qt's form of one entry: the description, followed by its patterns in parentheses unless the
// description already ends with exactly those.
QString qtNameFilter(const NameFilter& filter);

} // namespace dovra::toolkit
