#include "support/GuiTestSupport.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableView>
#include <QTest>

namespace dovra::test {
namespace {

using toolkit::Event;

// What the user's actions turn into, counted straight off the queue before anything handles it.
class ControlEventsTest : public ProgramTest {
protected:
    std::vector<Event> takeAll() {
        std::vector<Event> events;
        while (const auto event = app->toolkit().events().take()) {
            events.push_back(*event);
        }
        return events;
    }
    static Event control(Control c) { return {Event::Kind::Control, number(c)}; }
    using Events = std::vector<Event>;

    QPoint rowCentre(int row) {
        auto* list = widget<QTableView>(Control::RecordList);
        return list->visualRect(list->model()->index(row, 3)).center();
    }
    QWidget* listViewport() { return widget<QTableView>(Control::RecordList)->viewport(); }
};

TEST_F(ControlEventsTest, TextFieldsRaiseOneEventPerChangeAndPerFocusChange) {
    widget(Control::NameField)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(takeAll(), Events{control(Control::NameField)}) << "receiving the focus";
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("ab"));
    EXPECT_EQ(takeAll(), Events(2, control(Control::NameField))) << "one per keystroke";
    QTest::keyClick(widget(Control::NameField), Qt::Key_Backspace);
    QTest::keyClick(widget(Control::NameField), Qt::Key_Z, Qt::ControlModifier); // undo
    EXPECT_EQ(takeAll(), Events(2, control(Control::NameField)));
    QTest::keyClick(widget(Control::NameField), Qt::Key_Tab);
    EXPECT_EQ(takeAll(), (Events{control(Control::NameField), control(Control::ImagePathField)}))
        << "losing the focus, and the next field receiving it";
}

TEST_F(ControlEventsTest, RefusedKeystrokesRaiseNothing) {
    widget(Control::SetNumberField)->setFocus();
    takeAll();
    QTest::keyClicks(widget(Control::SetNumberField), QStringLiteral("a-."));
    EXPECT_TRUE(takeAll().empty());
    widget(Control::NameField)->setFocus();
    takeAll();
    typeChars(widget(Control::NameField), QStringLiteral(";\u0142"));
    EXPECT_TRUE(takeAll().empty()) << "\";\" and characters outside Windows-1252 never arrive";
    EXPECT_EQ(text(Control::NameField), "");
}

TEST_F(ControlEventsTest, WhatTheProgramDoesRaisesNothing) {
    toolkit::Toolkit& tk = app->toolkit();
    tk.setText(Control::NameField, "x");
    tk.setText(Control::SetNumberField, "7");
    tk.addEntry(Control::CountryBox, -1, "Belgien");
    tk.setState(Control::CountryBox, 1);
    tk.setText(Control::DamageEditor, "d");
    tk.setText(Control::FoundDatePicker, "");
    tk.setState(Control::ProgressBar, 50);
    addRecords({"1;1;1;Pils;Belgien;;;"});
    widget(Control::NameField)->setFocus();
    takeAll();
    tk.enable(Control::NameField, false); // the focus moves away
    tk.enable(Control::NameField, true);
    EXPECT_TRUE(takeAll().empty());
}

TEST_F(ControlEventsTest, CountryBoxChoosingTypingOpeningClosingAndFocus) {
    app->toolkit().addEntry(Control::CountryBox, -1, "Belgien");
    auto* box = widget<QComboBox>(Control::CountryBox);
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(takeAll(), Events{control(Control::CountryBox)});
    QTest::keyClick(box, Qt::Key_Down); // chooses the next entry by keyboard
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(takeAll(), Events{control(Control::CountryBox)});
    QTest::keyClicks(box, QStringLiteral("x"));
    EXPECT_EQ(takeAll(), Events{control(Control::CountryBox)});
    box->showPopup();
    EXPECT_EQ(takeAll(), Events{control(Control::CountryBox)}) << "opening, without a focus change";
    box->hidePopup();
    EXPECT_EQ(takeAll(), Events{control(Control::CountryBox)}) << "closing";
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(takeAll().empty()) << "Enter neither picks nor adds an entry";
    EXPECT_EQ(box->count(), 2);
}

TEST_F(ControlEventsTest, RecordListClicksSelectionsAndDrags) {
    addRecords({"1;1;1;A;;;;", "2;1;2;B;;;;", "3;1;3;C;;;;"});
    QWidget* viewport = listViewport();
    takeAll();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(takeAll().size(), 2u) << "a click on a row not selected: selection change and click";
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(takeAll().size(), 1u) << "a click on the selected row";
    QTest::mouseClick(viewport, Qt::RightButton, {}, rowCentre(0));
    EXPECT_EQ(takeAll().size(), 1u) << "a right click";
    // Qt turns the second press of a double click into the double click itself.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(0));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(takeAll().size(), 2u) << "a double click: its first click and the double click";

    QTest::keyClick(widget(Control::RecordList), Qt::Key_Down);
    EXPECT_EQ(takeAll(), Events{control(Control::RecordList)}) << "a row selected by keyboard";
    EXPECT_EQ(app->toolkit().state(Control::RecordList), 1);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
    EXPECT_EQ(takeAll(), Events{control(Control::RecordList)}) << "a click on empty space";
    EXPECT_EQ(app->toolkit().state(Control::RecordList), -1) << "which leaves no row selected";

    QTest::mousePress(viewport, Qt::LeftButton, {}, rowCentre(2));
    takeAll();
    QMouseEvent move(QEvent::MouseMove, rowCentre(0), viewport->mapToGlobal(rowCentre(0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QApplication::sendEvent(viewport, &move);
    EXPECT_EQ(takeAll(), Events{control(Control::RecordList)}) << "one drag start";
    EXPECT_EQ(app->toolkit().state(Control::RecordList), 2)
        << "dragging does not move the selection";
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowCentre(0));
}

TEST_F(ControlEventsTest, ButtonsMenuAndCloseBoxes) {
    click(Control::AddButton);
    EXPECT_EQ(takeAll(), Events{control(Control::AddButton)});
    auto* main = qobject_cast<QMainWindow*>(app->toolkit().window(WindowNumber::Main));
    main->menuBar()->actions()[0]->menu()->actions()[1]->trigger();
    EXPECT_EQ(takeAll(), Events{(Event{Event::Kind::Menu, number(MenuItem::Save)})});
    main->close();
    EXPECT_EQ(takeAll(), Events{(Event{Event::Kind::Close, number(WindowNumber::Main)})});
}

TEST_F(ControlEventsTest, HeaderClicksRunTheHookInsideTheWait) {
    std::vector<int> columns;
    app->toolkit().setHeaderClickHook(Control::RecordList,
                                      [&](int column) { columns.push_back(column); });
    auto* header = widget<QTableView>(Control::RecordList)->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 10, header->height() / 2));
    EXPECT_EQ(columns, std::vector<int>{3});
    EXPECT_TRUE(takeAll().empty()) << "a header click is no event";
}

} // namespace
} // namespace dovra::test
