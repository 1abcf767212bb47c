#pragma once

#include "ScriptedDialogs.h"
#include "app/App.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace dovra::test {

// The real program with scripted dialogs: the main window as the user sees it, the real queue
// and dispatch. Input goes to the widgets with QTest; pump() then runs the loop over what it
// produced, as the event loop would.
class ProgramTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every waiting event; false when one of them ended the loop.
    bool pump() { return app->handlePending(); }

    template <class W = QWidget> W* widget(Control control) {
        return qobject_cast<W*>(app->toolkit().widget(control));
    }
    std::string text(Control control) { return app->toolkit().text(control); }
    QString shownText(Control control); // the text as the widget shows it

    void chooseMenu(MenuItem item);                  // as if picked from the menu "Datei"
    void click(Control control);                     // a left click in the middle of the control
    void type(Control control, const QString& keys); // focus, then keystrokes

    // Adds records straight into the collection and refreshes the list, for tests about what
    // comes after. Each is "set;cap;total;name;country;date;damage;path" in UTF-8.
    void addRecords(const std::vector<std::string>& records);

    // Opens a collection file through the menu, the dialog answered with the path.
    void openFile(const QString& path);
    // Saves through the menu, the dialog answered with the path.
    void saveFile(const QString& path);

    // A left click on the row as the user sees it, then the loop's turn.
    void clickRow(int row);
    // The centre of a row in the list's viewport.
    QPoint rowCentre(int row);

    // A click on a column title of RecordList.
    void clickColumnTitle(int column);

    // The names of the rows shown, top to bottom, in UTF-8.
    std::vector<std::string> shownNames();

    ScriptedDialogs dialogs;
    std::unique_ptr<App> app;
};

void writeFile(const QString& path, const std::string& bytes);
std::string readFile(const QString& path); // "<missing>" when it cannot be read

// Windows-1252 bytes from a UTF-8 literal, for comparing with what the program holds.
std::string cp(const char* utf8);

// Types characters one key event each, also those QTest has no key for.
void typeChars(QWidget* widget, const QString& characters);

// Runs fn from the event loop once the program waits for input, e.g. inside a nested loop.
void whenIdle(std::function<void()> fn);
// Runs the steps one after another, each at a later turn of whatever loop is waiting, so the
// program handles what one step did before the next one starts.
void script(std::vector<std::function<void()>> steps);

} // namespace dovra::test
