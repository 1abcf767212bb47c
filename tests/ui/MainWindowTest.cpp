#include "support/GuiTestSupport.h"
#include "ui/toolkit/Widgets.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace dovra::test {
namespace {

using MainWindowTest = ProgramTest;

struct Expected {
    Control number;
    const char* qtClass;
    QRect geometry;
    const char* text; // UTF-8, as shown; nullptr: not checked here
};

TEST_F(MainWindowTest, EveryControlAtItsPlaceWithItsInitialText) {
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const int comboHeight = widget(Control::CountryBox)->height();
    EXPECT_GT(comboHeight, 15);
    EXPECT_LE(comboHeight, 20) << "the closed drop-down list may not cover the date picker";
    const Expected controls[] = {
        {Control::RecordList, "QTableView", {5, 5, 755, 335}, nullptr},
        {Control::CountryCaption, "QLabel", {225, 430, 100, 15}, "Land:"},
        {Control::CountryBox, "QComboBox", {330, 425, 130, comboHeight}, "<alle>"},
        {Control::SetNumberCaption, "QLabel", {225, 350, 100, 15}, "Satznummer:"},
        {Control::SetNumberField, "QLineEdit", {330, 345, 130, 20}, ""},
        {Control::CapNumberCaption, "QLabel", {225, 370, 100, 15}, "Kronkorkennummer:"},
        {Control::TotalNumberCaption, "QLabel", {225, 390, 100, 15}, "Gesamtnummer:"},
        {Control::CapNumberField, "QLineEdit", {330, 365, 130, 20}, ""},
        {Control::TotalNumberField, "QLineEdit", {330, 385, 130, 20}, "1"},
        {Control::FoundDateCaption, "QLabel", {225, 450, 100, 15}, "Funddatum:"},
        {Control::FoundDatePicker, "QDateEdit", {330, 445, 130, 20}, nullptr},
        {Control::DamageCaption, "QLabel", {225, 470, 100, 15}, "Beschädigungen:"},
        {Control::DamageEditor, "QPlainTextEdit", {330, 465, 130, 70}, nullptr},
        {Control::ImagePathCaption, "QLabel", {225, 540, 100, 15}, "Bild:"},
        {Control::NameCaption, "QLabel", {225, 410, 100, 15}, "Name:"},
        {Control::NameField, "QLineEdit", {330, 405, 130, 20}, ""},
        {Control::ImagePathField, "QLineEdit", {330, 535, 90, 20}, ""},
        {Control::BrowseButton, "QPushButton", {420, 535, 40, 20}, "..."},
        {Control::PictureView, "QFrame", {5, 345, 209, 214}, nullptr},
        {Control::ProgressBar, "QProgressBar", {5, 570, 365, 20}, nullptr},
        {Control::TotalLabel, "QLabel", {375, 570, 125, 20}, "Gesamt: 0"},
        {Control::CountryLabel, "QLabel", {505, 570, 125, 20}, "Länder: 0"},
        {Control::SetLabel, "QLabel", {635, 570, 125, 20}, "Sätze: 0"},
        {Control::AddButton, "QPushButton", {670, 345, 90, 20}, "Hinzufügen"},
        {Control::DeleteButton, "QPushButton", {670, 370, 90, 20}, "Löschen"},
        {Control::EditButton, "QPushButton", {670, 395, 90, 20}, "Ändern"},
        {Control::QuitButton, "QPushButton", {670, 450, 90, 20}, "Beenden"},
        {Control::StatisticsFrame, "QGroupBox", {465, 345, 190, 125}, nullptr},
        {Control::StatisticsLine1, "QLabel", {475, 365, 175, 15}, "Gesamtanzahl: 0"},
        {Control::StatisticsLine2, "QLabel", {475, 385, 175, 15}, "Anzahl Länder: 0"},
        {Control::StatisticsLine3, "QLabel", {475, 405, 175, 15}, "Anzahl Sätze: 0"},
        {Control::StatisticsLine4, "QLabel", {475, 425, 175, 15}, "Anzahl Beschädigte: 0"},
        {Control::StatisticsLine5,
         "QLabel",
         {475, 445, 175, 15},
         "Größter Satz: (0) Kronkorken: 0"},
        {Control::StatusText, "QLabel", {470, 480, 290, 50}, nullptr},
        {Control::OkButton, "QPushButton", {670, 535, 90, 20}, "OK"},
        {Control::ResetButton, "QPushButton", {670, 420, 90, 20}, "Zurücksetzen"},
    };
    QWidget* area = widget(Control::RecordList)->parentWidget();
    int expectedNumber = 0;
    for (const Expected& e : controls) {
        SCOPED_TRACE(number(e.number));
        EXPECT_EQ(number(e.number), expectedNumber++) << "the table lists every control in order";
        QWidget* w = widget(e.number);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), area);
        EXPECT_TRUE(w->inherits(e.qtClass)) << w->metaObject()->className();
        EXPECT_EQ(w->geometry(), e.geometry);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isEnabled());
        if (e.text) {
            EXPECT_EQ(shownText(e.number), QString::fromUtf8(e.text));
        }
    }
    EXPECT_EQ(expectedNumber, 36);

    EXPECT_EQ(text(Control::FoundDatePicker), today.toStdString());
    EXPECT_EQ(widget<QPlainTextEdit>(Control::DamageEditor)->toPlainText(), QString());
    EXPECT_EQ(widget<QProgressBar>(Control::ProgressBar)->value(), 0);
    EXPECT_EQ(widget<QGroupBox>(Control::StatisticsFrame)->title(), QStringLiteral("Statistik"));
    EXPECT_EQ(app->toolkit().entryCount(Control::RecordList), 0);
}

TEST_F(MainWindowTest, OptionsOfTheControls) {
    auto* box = widget<QComboBox>(Control::CountryBox);
    EXPECT_TRUE(box->isEditable());
    EXPECT_EQ(box->count(), 1);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert);
    EXPECT_TRUE(widget<QLineEdit>(Control::TotalNumberField)->isReadOnly());
    EXPECT_TRUE(widget<QPushButton>(Control::AddButton)->isDefault());
    EXPECT_FALSE(widget<QPushButton>(Control::DeleteButton)->isDefault());

    auto* editor = widget<QPlainTextEdit>(Control::DamageEditor);
    EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    auto* picker = widget<QDateEdit>(Control::FoundDatePicker);
    EXPECT_TRUE(picker->calendarPopup());
    EXPECT_EQ(picker->displayFormat(), QStringLiteral("dd.MM.yyyy"));

    auto* list = widget<QTableView>(Control::RecordList);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(list->showGrid());
    EXPECT_FALSE(list->verticalHeader()->isVisible());
    EXPECT_EQ(list->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->palette().color(QPalette::Inactive, QPalette::Highlight),
              list->palette().color(QPalette::Active, QPalette::Highlight))
        << "the selection stays visible without the focus";

    auto* labels = widget<QLabel>(Control::StatisticsLine1);
    EXPECT_TRUE(labels->alignment() & Qt::AlignRight);
    auto* total = widget<QLabel>(Control::TotalLabel);
    EXPECT_TRUE(total->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(total->frameShadow(), QFrame::Sunken);
    EXPECT_TRUE(widget<QLabel>(Control::StatusText)->wordWrap());
}

TEST_F(MainWindowTest, ColumnTitlesAndWidths) {
    auto* list = widget<QTableView>(Control::RecordList);
    const std::pair<const char*, int> columns[] = {{"SNR", 50},
                                                   {"KNR", 50},
                                                   {"GNR", 50},
                                                   {"Name", 250},
                                                   {"Land", 100},
                                                   {"Funddatum", 100},
                                                   {"Beschädigungen", 150}};
    ASSERT_EQ(list->model()->columnCount(), 7);
    int sum = 0;
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(list->model()->headerData(c, Qt::Horizontal).toString(),
                  QString::fromUtf8(columns[c].first));
        EXPECT_EQ(list->columnWidth(c), columns[c].second);
        sum += list->columnWidth(c);
    }
    EXPECT_EQ(sum, 750);
}

TEST_F(MainWindowTest, WindowTitleFrameMenuAndSize) {
    auto* main = qobject_cast<QMainWindow*>(app->toolkit().window(WindowNumber::Main));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Dovra"));
    const Qt::WindowFlags flags = main->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(main->size(), QSize(769, 610));
    const int menuHeight = main->menuBar()->height();
    EXPECT_GT(menuHeight, 0);
    QWidget* area = widget(Control::RecordList)->parentWidget();
    EXPECT_EQ(area->geometry(), QRect(0, menuHeight, 769, 610 - menuHeight))
        << "the menu bar takes its height from the client area";

    const QRect screen = main->screen()->geometry();
    const QRect frame = main->frameGeometry();
    EXPECT_EQ(frame.left(), (screen.width() - frame.width()) / 2);
    EXPECT_EQ(frame.top(), (screen.height() - frame.height()) / 2);

    const QList<QAction*> menus = main->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Datei"));
    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 4);
    const char* texts[] = {"Öffnen", "Speichern", nullptr, "Beenden"};
    for (int i = 0; i < 4; ++i) {
        if (!texts[i]) {
            EXPECT_TRUE(items[i]->isSeparator());
            continue;
        }
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(texts[i]));
        EXPECT_TRUE(items[i]->shortcut().isEmpty());
        EXPECT_FALSE(items[i]->text().contains(QLatin1Char('&')));
    }
}

TEST_F(MainWindowTest, ResizingMovesNoControl) {
    QWidget* main = app->toolkit().window(WindowNumber::Main);
    const QRect before = widget(Control::OkButton)->geometry();
    main->resize(1000, 800);
    EXPECT_EQ(widget(Control::OkButton)->geometry(), before);
    main->resize(400, 300);
    EXPECT_EQ(widget(Control::OkButton)->geometry(), before);
}

TEST_F(MainWindowTest, StartupStatusText) {
    const std::string expected = "Programm gestartet." + std::string(65, ' ') + "Bereit.";
    EXPECT_EQ(expected.size(), 91u);
    EXPECT_EQ(text(Control::StatusText), expected);
}

TEST_F(MainWindowTest, DigitsFieldsRefuseEverythingElse) {
    for (const Control field : {Control::SetNumberField, Control::CapNumberField}) {
        type(field, QStringLiteral("a1-2.b3 x"));
        EXPECT_EQ(text(field), "123");
    }
}

TEST_F(MainWindowTest, TotalNumberFieldCannotBeTypedInto) {
    type(Control::TotalNumberField, QStringLiteral("42"));
    QTest::keyClick(widget(Control::TotalNumberField), Qt::Key_Backspace);
    EXPECT_EQ(text(Control::TotalNumberField), "1");
}

TEST_F(MainWindowTest, TabAndShiftTabFollowCreationOrderAndWrap) {
    const Control focusable[] = {
        Control::RecordList,     Control::CountryBox,       Control::SetNumberField,
        Control::CapNumberField, Control::TotalNumberField, Control::FoundDatePicker,
        Control::DamageEditor,   Control::NameField,        Control::ImagePathField,
        Control::BrowseButton,   Control::AddButton,        Control::DeleteButton,
        Control::EditButton,     Control::QuitButton,       Control::OkButton,
        Control::ResetButton,
    };
    const auto focused = [&] {
        return app->toolkit().controlNumberOf(QApplication::focusWidget());
    };
    widget(Control::RecordList)->setFocus();
    ASSERT_EQ(focused(), number(Control::RecordList));
    const std::size_t n = std::size(focusable);
    // Tab is typed into the damage editor; Ctrl+Tab leaves it.
    const auto tabOn = [&](bool forward) {
        QWidget* w = QApplication::focusWidget();
        const bool inEditor = w == widget(Control::DamageEditor);
        if (forward) {
            QTest::keyClick(w, Qt::Key_Tab, inEditor ? Qt::ControlModifier : Qt::NoModifier);
        } else {
            QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
        }
    };
    for (std::size_t i = 1; i <= n; ++i) {
        tabOn(true);
        EXPECT_EQ(focused(), number(focusable[i % n])) << "Tab number " << i;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        tabOn(false);
        EXPECT_EQ(focused(), number(focusable[(2 * n - i) % n])) << "Shift+Tab number " << i;
    }
}

TEST_F(MainWindowTest, TabIsTypedIntoTheDamageEditor) {
    widget(Control::DamageEditor)->setFocus();
    QTest::keyClicks(widget(Control::DamageEditor), QStringLiteral("a"));
    QTest::keyClick(widget(Control::DamageEditor), Qt::Key_Tab);
    QTest::keyClick(widget(Control::DamageEditor), Qt::Key_Return);
    QTest::keyClicks(widget(Control::DamageEditor), QStringLiteral("b"));
    EXPECT_EQ(text(Control::DamageEditor), "a\t\r\nb");
    EXPECT_TRUE(widget(Control::DamageEditor)->hasFocus());
}

TEST_F(MainWindowTest, LabelsShowEveryFormOfLineBreakAndGiveBackWhatWasSet) {
    const std::string texts[] = {"a\r\nb", "a\n\rb", "a\rb", "a\nb"};
    for (const std::string& t : texts) {
        app->toolkit().setText(Control::StatusText, t);
        EXPECT_EQ(text(Control::StatusText), t);
        EXPECT_EQ(shownText(Control::StatusText), QStringLiteral("a\nb"));
    }
    app->toolkit().setText(Control::StatusText, "a\r\n\r\nb\n\n");
    EXPECT_EQ(shownText(Control::StatusText), QStringLiteral("a\n\nb\n\n"));
}

TEST_F(MainWindowTest, DatePickerMaskAndShortForm) {
    toolkit::Toolkit& tk = app->toolkit();
    auto* picker = widget<QDateEdit>(Control::FoundDatePicker);
    picker->setDate(QDate(2009, 2, 3));
    EXPECT_EQ(text(Control::FoundDatePicker), "03.02.2009");
    tk.setText(Control::FoundDatePicker, "");
    EXPECT_EQ(picker->date(), QDate(2009, 2, 3)) << "the mask changes, the date stays";
    EXPECT_EQ(text(Control::FoundDatePicker),
              QLocale::system().toString(QDate(2009, 2, 3), QLocale::ShortFormat).toStdString());
    EXPECT_EQ(toolkit::DatePicker::qtFormatFromMask(QStringLiteral("%yyyy-%mm-%dd Tag")),
              QStringLiteral("yyyy-MM-dd 'Tag'"));
}

} // namespace
} // namespace dovra::test
