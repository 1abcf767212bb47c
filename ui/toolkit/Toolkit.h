#pragma once

#include "Dialogs.h"
#include "EventQueue.h"
#include "Numbers.h"
#include "RecordList.h"

#include <QDate>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QFont;
class QWidget;

namespace dovra::toolkit {

enum class ControlKind {
    ListView,
    DropDownList,  // editable, entries kept in insertion order
    TextField,     // single line
    DigitsField,   // single line, digits 0 to 9 only
    ReadOnlyField, // single line, the user cannot change it
    DatePicker,
    TextEditor, // multi-line
    PictureView,
    ProgressBar,
    PushButton,
    DefaultButton, // drawn as the window's default button
    RightLabel,
    CentredLabel, // with a sunken border
    WrappingLabel,
    GroupFrame,
};

struct ControlSpec {
    Control number;
    WindowNumber window;
    ControlKind kind;
    int x, y, width, height;
    std::string_view text; // UTF-8; a caption, a button text or a frame's caption
};

struct WindowSpec {
    QString title;
    QSize client;
    bool centred = false; // on the screen; otherwise the outer corner goes to position
    QPoint position;
    bool resizable = false; // a sizing border
    bool minimiseBox = false;
};

struct MenuEntry {
    int item = -1; // -1: a separator line
    QString text;
};

struct ListColumn {
    QString title;
    int width = 0;
};

// The thin layer between the program and Qt: every window, control, menu item, font and picture
// is addressed by its number, and every user action on them arrives as an event in one queue.
class Toolkit {
public:
    explicit Toolkit(Dialogs& dialogs);
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    EventQueue& events() { return events_; }
    Dialogs& dialogs() { return dialogs_; }

    // Windows and what they hold. Creating fails (false) when the window cannot be made.
    bool openWindow(WindowNumber window, const WindowSpec& wanted);
    void closeWindow(WindowNumber window); // its controls go with it
    void attachMenu(WindowNumber window, const QString& title,
                    const std::vector<MenuEntry>& entries);
    bool createControl(const ControlSpec& wanted);
    void setListColumns(Control list, const std::vector<ListColumn>& columns, CellText cellText);

    // The control operations the program uses. Texts are Windows-1252.
    void setText(Control control, std::string_view text);
    std::string text(Control control) const;
    int state(Control control) const;
    void setState(Control control, int state);
    int entryCount(Control control) const;
    void addEntry(Control control, int index, std::string_view text);
    std::string entryText(Control control, int entry) const;
    const std::vector<std::string>& entryTexts(Control control) const;
    void enable(Control control, bool enabled);
    // The date a date picker holds.
    QDate date(Control picker) const;
    void setDate(Control picker, const QDate& date);

    // RecordList's rows.
    void setRows(Control list, std::vector<ListRow> rows); // replaces all, none selected
    std::string entryText(Control list, int row, int column) const;
    std::int32_t entryData(Control list, int row) const;
    const std::vector<ListRow>& rows(Control list) const;
    void permuteRows(Control list, std::span<const std::uint32_t> order);
    // Runs inside the wait that delivers a click on a column title, before any event of it.
    void setHeaderClickHook(Control list, std::function<void(int column)> hook);

    // The one font: false when it could not be made.
    bool makeFont(int font, int points, bool bold);
    void setFont(Control control, int font);
    // Colours are 0x00BBGGRR; -1 is the window system's default text colour.
    int textColour(Control control) const;
    void setTextColour(Control control, int colour);

    // Pictures by number. A null picture is no picture.
    QImage& picture(int number) { return pictures_[number]; }
    void showPicture(Control view, int number); // a released picture shows as none

    // Repaints a control now, for progress shown while a handler keeps the loop busy.
    void repaintNow(Control control);

    QWidget* widget(Control control) const;
    QWidget* window(WindowNumber window) const;
    int controlNumberOf(const QWidget* widget) const; // -1 when it is none of ours

private:
    struct Window;
    class InputWatcher;
    void watchUserInput(Control control, ControlKind kind, QWidget* widget);
    void raise(int control) { events_.push({Event::Kind::Control, control}); }
    RecordListView* listView(Control list) const;

    Dialogs& dialogs_;
    EventQueue events_;
    std::map<WindowNumber, std::unique_ptr<Window>> windows_;
    std::array<QWidget*, controlCount> controls_{};
    std::array<ControlKind, controlCount> kinds_{};
    std::array<int, controlCount> colours_{};
    std::map<int, std::vector<std::string>> entries_; // mirror of drop-down entries
    std::map<int, std::unique_ptr<QFont>> fonts_;
    std::map<int, QImage> pictures_;
    std::unique_ptr<InputWatcher> watcher_;
};

} // namespace dovra::toolkit
