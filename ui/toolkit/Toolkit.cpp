#include "Toolkit.h"

#include "Text.h"
#include "Widgets.h"
#include "collection/Windows1252.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace dovra::toolkit {

namespace {

const char* const controlProperty = "dovraControl";

constexpr int fieldHeight = 20;

// Windows never close by themselves: their close box only asks, through the queue.
template <class Base> class AskingToClose : public Base {
public:
    AskingToClose(EventQueue& events, int number) : events_(events), number_(number) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        events_.push({Event::Kind::Close, number_});
    }

private:
    EventQueue& events_;
    int number_;
};

int numberOf(const QObject* object) {
    const QVariant value = object ? object->property(controlProperty) : QVariant();
    return value.isValid() ? value.toInt() : -1;
}

QColor fromColourRef(int colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

// Turns focus changes, a drop-down list opening and closing, and Enter in a drop-down list into
// what the program sees of them.
class Toolkit::InputWatcher : public QObject {
public:
    explicit InputWatcher(Toolkit& toolkit) : toolkit_(toolkit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            if (movedBetweenControls(watched, static_cast<QFocusEvent*>(event)->reason())) {
                raiseFor(watched);
            }
            break;
        case QEvent::Show:
        case QEvent::Hide:
            if (const QVariant owner = watched->property("dovraPopupOf"); owner.isValid()) {
                toolkit_.raise(owner.toInt());
            }
            break;
        case QEvent::KeyPress: {
            // Enter in a drop-down list's text neither picks nor adds an entry.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (qobject_cast<QComboBox*>(watched) &&
                (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    // The focus moving from control to control counts; a control's own popup (a drop-down
    // list, a calendar) taking it for a while does not, nor does another window becoming active.
    static bool movedBetweenControls(QObject* watched, Qt::FocusReason reason) {
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
            return false;
        }
        const auto* popup = watched->property("dovraPopup").value<QWidget*>();
        return !(popup && popup->isVisible());
    }

    void raiseFor(QObject* watched) {
        if (const int number = numberOf(watched); number >= 0) {
            toolkit_.raise(number);
        }
    }

    Toolkit& toolkit_;
};

struct Toolkit::Window {
    std::unique_ptr<QWidget> top;
    QWidget* area = nullptr; // where the controls go: below the menu bar
};

Toolkit::Toolkit(Dialogs& dialogs)
    : dialogs_(dialogs), watcher_(std::make_unique<InputWatcher>(*this)) {
    colours_.fill(-1);
}

Toolkit::~Toolkit() {
    windows_.clear();
}

bool Toolkit::openWindow(WindowNumber number, const WindowSpec& wanted) {
    const int n = static_cast<int>(number);
    std::unique_ptr<QWidget> top;
    QWidget* area = nullptr;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (wanted.minimiseBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (number == WindowNumber::Main) {
        auto main = std::make_unique<AskingToClose<QMainWindow>>(events_, n);
        area = new QWidget(main.get());
        main->setCentralWidget(area);
        top = std::move(main);
    } else {
        top = std::make_unique<AskingToClose<QWidget>>(events_, n);
        area = top.get();
    }
    top->setWindowFlags(flags);
    top->setWindowTitle(wanted.title);
    top->setAttribute(Qt::WA_QuitOnClose, false);
    if (wanted.resizable) {
        top->resize(wanted.client);
    } else {
        top->setFixedSize(wanted.client);
    }
    top->move(wanted.position);
    top->show();
    if (wanted.centred) {
        // Centred by the outer size, which is known once the window is shown.
        const QScreen* screen = top->screen();
        const QSize screenSize = screen ? screen->geometry().size() : QSize();
        const QSize outer = top->frameGeometry().size().boundedTo(screenSize);
        top->move((screenSize.width() - outer.width()) / 2,
                  (screenSize.height() - outer.height()) / 2);
    }
    windows_[number] = std::make_unique<Window>(Window{std::move(top), area});
    return true;
}

void Toolkit::closeWindow(WindowNumber number) {
    const auto found = windows_.find(number);
    if (found == windows_.end()) {
        return;
    }
    QWidget* top = found->second->top.get();
    for (QWidget*& control : controls_) {
        if (control && control->window() == top) {
            control = nullptr;
        }
    }
    EventQueue::Silence silence(events_); // focus moving away is no user action
    windows_.erase(found);
}

void Toolkit::attachMenu(WindowNumber number, const QString& title,
                         const std::vector<MenuEntry>& entries) {
    auto* main = qobject_cast<QMainWindow*>(window(number));
    if (!main) {
        return;
    }
    QMenu* menu = main->menuBar()->addMenu(title);
    for (const MenuEntry& entry : entries) {
        if (entry.item < 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(entry.text);
        action->setData(entry.item);
        const int item = entry.item;
        QObject::connect(action, &QAction::triggered, menu, [this, item] {
            events_.push({Event::Kind::Menu, item});
        });
    }
    // The menu bar takes its height from the client area, now rather than at the next turn.
    main->menuBar()->show();
    main->layout()->activate();
}

bool Toolkit::createControl(const ControlSpec& wanted) {
    const auto found = windows_.find(wanted.window);
    if (found == windows_.end()) {
        return false;
    }
    QWidget* parent = found->second->area;
    const int n = number(wanted.number);
    const QString text =
        QString::fromUtf8(wanted.text.data(), static_cast<qsizetype>(wanted.text.size()));
    QWidget* widget = nullptr;
    QRect geometry(wanted.x, wanted.y, wanted.width, wanted.height);

    switch (wanted.kind) {
    case ControlKind::ListView:
        widget = new RecordListView(n, events_, new RecordListModel(parent), parent);
        break;
    case ControlKind::DropDownList: {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        box->setDuplicatesEnabled(true);
        box->lineEdit()->setValidator(new FieldValidator(FieldValidator::Accepts::Text, box));
        // The given height is the height with the list dropped down; closed, the box is as
        // high as the single-line fields around it, so it never covers the one below.
        const int closedHeight = std::min(box->sizeHint().height(), fieldHeight);
        const int rowHeight = box->fontMetrics().height() + 2;
        box->setMaxVisibleItems(std::max(1, (wanted.height - closedHeight) / rowHeight));
        geometry.setHeight(closedHeight);
        entries_[n];
        widget = box;
        break;
    }
    case ControlKind::TextField:
    case ControlKind::DigitsField:
    case ControlKind::ReadOnlyField: {
        auto* field = new QLineEdit(parent);
        field->setValidator(new FieldValidator(wanted.kind == ControlKind::DigitsField
                                                   ? FieldValidator::Accepts::Digits
                                                   : FieldValidator::Accepts::Text,
                                               field));
        field->setReadOnly(wanted.kind == ControlKind::ReadOnlyField);
        widget = field;
        break;
    }
    case ControlKind::DatePicker:
        widget = new DatePicker(parent);
        break;
    case ControlKind::TextEditor:
        widget = new TextEditor(parent);
        break;
    case ControlKind::PictureView:
        widget = new PictureView(parent);
        break;
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        widget = bar;
        break;
    }
    case ControlKind::PushButton:
    case ControlKind::DefaultButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(wanted.kind == ControlKind::DefaultButton);
        widget = button;
        break;
    }
    case ControlKind::RightLabel:
    case ControlKind::CentredLabel:
    case ControlKind::WrappingLabel: {
        auto* label = new Label(parent);
        if (wanted.kind == ControlKind::RightLabel) {
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        } else if (wanted.kind == ControlKind::CentredLabel) {
            label->setAlignment(Qt::AlignCenter);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        } else {
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
        }
        label->setProgramText(windows1252FromUtf8(wanted.text));
        widget = label;
        break;
    }
    case ControlKind::GroupFrame:
        widget = new QGroupBox(text, parent);
        break;
    }

    widget->setProperty(controlProperty, n);
    widget->setGeometry(geometry);
    widget->show();
    controls_[n] = widget;
    kinds_[n] = wanted.kind;
    watchUserInput(wanted.number, wanted.kind, widget);
    return true;
}

void Toolkit::watchUserInput(Control control, ControlKind kind, QWidget* widget) {
    const int n = number(control);
    const auto raiseIt = [this, n] { raise(n); };
    switch (kind) {
    case ControlKind::DropDownList: {
        auto* box = static_cast<QComboBox*>(widget);
        QObject::connect(box, &QComboBox::activated, box, raiseIt);
        QObject::connect(box->lineEdit(), &QLineEdit::textEdited, box, raiseIt);
        QWidget* popup = box->view()->parentWidget();
        popup->setProperty("dovraPopupOf", n);
        box->setProperty("dovraPopup", QVariant::fromValue(popup));
        popup->installEventFilter(watcher_.get());
        box->installEventFilter(watcher_.get());
        break;
    }
    case ControlKind::TextField:
    case ControlKind::DigitsField:
    case ControlKind::ReadOnlyField:
        QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, widget, raiseIt);
        widget->installEventFilter(watcher_.get());
        break;
    case ControlKind::DatePicker:
        QObject::connect(static_cast<QDateEdit*>(widget), &QDateEdit::dateChanged, widget, raiseIt);
        widget->installEventFilter(watcher_.get());
        break;
    case ControlKind::TextEditor:
        QObject::connect(static_cast<QPlainTextEdit*>(widget), &QPlainTextEdit::textChanged, widget,
                         raiseIt);
        widget->installEventFilter(watcher_.get());
        break;
    case ControlKind::PushButton:
    case ControlKind::DefaultButton:
        QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, widget, raiseIt);
        break;
    default:
        break; // the list view raises its own; labels, frames and bars raise none
    }
}

void Toolkit::setListColumns(Control list, const std::vector<ListColumn>& columns,
                             CellText cellText) {
    RecordListView* view = listView(list);
    QStringList titles;
    for (const ListColumn& column : columns) {
        titles << column.title;
    }
    static_cast<RecordListModel*>(view->model())->setColumns(titles, cellText);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        view->setColumnWidth(static_cast<int>(i), columns[i].width);
    }
}

void Toolkit::setText(Control control, std::string_view text) {
    EventQueue::Silence silence(events_);
    QWidget* w = widget(control);
    switch (kinds_[number(control)]) {
    case ControlKind::RightLabel:
    case ControlKind::CentredLabel:
    case ControlKind::WrappingLabel:
        static_cast<Label*>(w)->setProgramText(std::string(text));
        break;
    case ControlKind::TextField:
    case ControlKind::DigitsField:
    case ControlKind::ReadOnlyField:
        static_cast<QLineEdit*>(w)->setText(toQString(text));
        break;
    case ControlKind::TextEditor:
        static_cast<QPlainTextEdit*>(w)->setPlainText(withLineBreaks(text));
        break;
    case ControlKind::DatePicker:
        static_cast<DatePicker*>(w)->setMask(toQString(text));
        break;
    case ControlKind::DropDownList:
        static_cast<QComboBox*>(w)->setEditText(toQString(text));
        break;
    case ControlKind::PushButton:
    case ControlKind::DefaultButton:
        static_cast<QPushButton*>(w)->setText(toQString(text));
        break;
    case ControlKind::GroupFrame:
        static_cast<QGroupBox*>(w)->setTitle(toQString(text));
        break;
    default:
        break;
    }
}

std::string Toolkit::text(Control control) const {
    const QWidget* w = widget(control);
    switch (kinds_[number(control)]) {
    case ControlKind::RightLabel:
    case ControlKind::CentredLabel:
    case ControlKind::WrappingLabel:
        return static_cast<const Label*>(w)->programText();
    case ControlKind::TextField:
    case ControlKind::DigitsField:
    case ControlKind::ReadOnlyField:
        return fromQString(static_cast<const QLineEdit*>(w)->text());
    case ControlKind::TextEditor: {
        // Lines end in CR LF, as the window system's editors hand them out.
        QString lines = static_cast<const QPlainTextEdit*>(w)->toPlainText();
        lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return fromQString(lines);
    }
    case ControlKind::DatePicker:
        return fromQString(static_cast<const QDateEdit*>(w)->text());
    case ControlKind::DropDownList:
        return fromQString(static_cast<const QComboBox*>(w)->currentText());
    case ControlKind::PushButton:
    case ControlKind::DefaultButton:
        return fromQString(static_cast<const QPushButton*>(w)->text());
    case ControlKind::GroupFrame:
        return fromQString(static_cast<const QGroupBox*>(w)->title());
    default:
        return {};
    }
}

int Toolkit::state(Control control) const {
    const QWidget* w = widget(control);
    switch (kinds_[number(control)]) {
    case ControlKind::ListView:
        return static_cast<const RecordListView*>(w)->selectedRow();
    case ControlKind::DropDownList:
        return static_cast<const QComboBox*>(w)->currentIndex();
    case ControlKind::ProgressBar:
        return static_cast<const QProgressBar*>(w)->value();
    default:
        return -1;
    }
}

void Toolkit::setState(Control control, int state) {
    EventQueue::Silence silence(events_);
    QWidget* w = widget(control);
    switch (kinds_[number(control)]) {
    case ControlKind::DropDownList:
        static_cast<QComboBox*>(w)->setCurrentIndex(state);
        break;
    case ControlKind::ProgressBar: {
        auto* bar = static_cast<QProgressBar*>(w);
        if (bar->value() != state) {
            bar->setValue(state);
            bar->repaint(); // shown at once, also while a handler keeps the loop busy
        }
        break;
    }
    case ControlKind::PictureView:
        showPicture(control, state);
        break;
    default:
        break;
    }
}

int Toolkit::entryCount(Control control) const {
    switch (kinds_[number(control)]) {
    case ControlKind::ListView:
        return static_cast<int>(rows(control).size());
    case ControlKind::DropDownList:
        return static_cast<int>(entries_.at(number(control)).size());
    default:
        return 0;
    }
}

void Toolkit::addEntry(Control control, int index, std::string_view text) {
    EventQueue::Silence silence(events_);
    auto* box = qobject_cast<QComboBox*>(widget(control));
    if (!box) {
        return;
    }
    std::vector<std::string>& mirror = entries_[number(control)];
    const int at = index < 0 || index > static_cast<int>(mirror.size())
                       ? static_cast<int>(mirror.size())
                       : index;
    box->insertItem(at, toQString(text));
    mirror.insert(mirror.begin() + at, std::string(text));
}

std::string Toolkit::entryText(Control control, int entry) const {
    const std::vector<std::string>& mirror = entryTexts(control);
    return entry >= 0 && entry < static_cast<int>(mirror.size()) ? mirror[entry] : std::string();
}

const std::vector<std::string>& Toolkit::entryTexts(Control control) const {
    static const std::vector<std::string> none;
    const auto found = entries_.find(number(control));
    return found == entries_.end() ? none : found->second;
}

void Toolkit::enable(Control control, bool enabled) {
    EventQueue::Silence silence(events_); // focus moving off a disabled control is no user action
    if (QWidget* w = widget(control)) {
        w->setEnabled(enabled);
    }
}

QDate Toolkit::date(Control picker) const {
    const auto* edit = qobject_cast<const QDateEdit*>(widget(picker));
    return edit ? edit->date() : QDate();
}

void Toolkit::setDate(Control picker, const QDate& date) {
    EventQueue::Silence silence(events_);
    if (auto* edit = qobject_cast<QDateEdit*>(widget(picker))) {
        edit->setDate(date);
    }
}

RecordListView* Toolkit::listView(Control list) const {
    return static_cast<RecordListView*>(widget(list));
}

void Toolkit::setRows(Control list, std::vector<ListRow> rows) {
    EventQueue::Silence silence(events_);
    static_cast<RecordListModel*>(listView(list)->model())->setRows(std::move(rows));
}

std::string Toolkit::entryText(Control list, int row, int column) const {
    return static_cast<const RecordListModel*>(listView(list)->model())->cellText(row, column);
}

std::int32_t Toolkit::entryData(Control list, int row) const {
    return rows(list)[static_cast<std::size_t>(row)].data;
}

const std::vector<ListRow>& Toolkit::rows(Control list) const {
    return static_cast<const RecordListModel*>(listView(list)->model())->rows();
}

void Toolkit::permuteRows(Control list, std::span<const std::uint32_t> order) {
    EventQueue::Silence silence(events_);
    static_cast<RecordListModel*>(listView(list)->model())->permuteRows(order);
}

void Toolkit::setHeaderClickHook(Control list, std::function<void(int column)> hook) {
    QHeaderView* header = listView(list)->horizontalHeader();
    QObject::connect(header, &QHeaderView::sectionClicked, header, std::move(hook));
}

bool Toolkit::makeFont(int font, int points, bool bold) {
    auto made = std::make_unique<QFont>(QApplication::font());
    made->setPointSize(points);
    made->setBold(bold);
    made->setItalic(false);
    made->setUnderline(false);
    made->setStrikeOut(false);
    fonts_[font] = std::move(made);
    return true;
}

void Toolkit::setFont(Control control, int font) {
    const auto found = fonts_.find(font);
    if (QWidget* w = widget(control); w && found != fonts_.end()) {
        w->setFont(*found->second);
    }
}

int Toolkit::textColour(Control control) const {
    return colours_[number(control)];
}

void Toolkit::setTextColour(Control control, int colour) {
    QWidget* w = widget(control);
    if (!w) {
        return;
    }
    colours_[number(control)] = colour;
    QPalette colours = w->palette();
    const QColor shown =
        colour == -1 ? QApplication::palette(w).color(QPalette::WindowText) : fromColourRef(colour);
    colours.setColor(QPalette::Active, QPalette::WindowText, shown);
    colours.setColor(QPalette::Inactive, QPalette::WindowText, shown);
    w->setPalette(colours);
}

void Toolkit::showPicture(Control view, int number) {
    auto* pictureView = static_cast<PictureView*>(widget(view));
    const auto found = pictures_.find(number);
    if (found == pictures_.end() || found->second.isNull()) {
        pictureView->clearPicture();
    } else {
        pictureView->setPicture(found->second);
    }
}

void Toolkit::repaintNow(Control control) {
    if (QWidget* w = widget(control)) {
        w->repaint();
    }
}

QWidget* Toolkit::widget(Control control) const {
    const int n = number(control);
    return n >= 0 && n < controlCount ? controls_[n] : nullptr;
}

QWidget* Toolkit::window(WindowNumber number) const {
    const auto found = windows_.find(number);
    return found == windows_.end() ? nullptr : found->second->top.get();
}

int Toolkit::controlNumberOf(const QWidget* widget) const {
    return numberOf(widget);
}

} // namespace dovra::toolkit
