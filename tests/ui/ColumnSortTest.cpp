#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTableView>
#include <QTest>

namespace dovra::test {
namespace {

using Names = std::vector<std::string>;

class ColumnSortTest : public ProgramTest {
protected:
    std::vector<std::string> column(int c) {
        std::vector<std::string> texts;
        for (int row = 0; row < app->toolkit().entryCount(Control::RecordList); ++row) {
            texts.push_back(app->toolkit().entryText(Control::RecordList, row, c));
        }
        return texts;
    }
    std::vector<std::int32_t> rowData() {
        std::vector<std::int32_t> data;
        for (int row = 0; row < app->toolkit().entryCount(Control::RecordList); ++row) {
            data.push_back(app->toolkit().entryData(Control::RecordList, row));
        }
        return data;
    }
};

TEST_F(ColumnSortTest, EachClickOnAColumnFlipsItsDirection) {
    addRecords({"5;1;1;a;;;;", "9;1;2;b;;;;", "10;1;3;c;;;;", "-2;1;4;d;;;;"});
    clickColumnTitle(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"10", "9", "5", "-2"})) << "first: descending";
    clickColumnTitle(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"-2", "5", "9", "10"})) << "9 before 10";
    clickColumnTitle(0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"10", "9", "5", "-2"}));
    EXPECT_EQ(app->program().collection.selectAt(0)->name, "a") << "the collection keeps its order";
}

TEST_F(ColumnSortTest, DirectionsBelongToTheColumns) {
    addRecords({"1;1;1;b;;;;", "3;1;2;a;;;;", "2;1;3;c;;;;"});
    clickColumnTitle(0); // SNR descending
    clickColumnTitle(3); // Name descending, its own first click
    EXPECT_EQ(shownNames(), (Names{"c", "b", "a"}));
    clickColumnTitle(0); // SNR's second click
    EXPECT_EQ(column(0), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(ColumnSortTest, TextColumnsCompareBytes) {
    addRecords(
        {"1;1;1;alpha;Zoo;15.12.2007;;", "1;1;2;Zeta;Öl;02.01.2008;;", "1;1;3;;Ab;01.01.2009;;"});
    clickColumnTitle(3);
    clickColumnTitle(3);
    EXPECT_EQ(shownNames(), (Names{"", "Zeta", "alpha"})) << "empty first, capitals before small";
    clickColumnTitle(4);
    clickColumnTitle(4);
    EXPECT_EQ(column(4), (std::vector<std::string>{"Ab", "Zoo", cp("Öl")})) << "Öl after Zoo";
    clickColumnTitle(5);
    clickColumnTitle(5);
    EXPECT_EQ(column(5), (std::vector<std::string>{"01.01.2009", "02.01.2008", "15.12.2007"}))
        << "dates as text: day first";
}

TEST_F(ColumnSortTest, EqualKeysEndInTheSelectionSortsOrder) {
    addRecords({"5;1;1;a;;;;", "3;1;2;b;;;;", "3;1;3;c;;;;", "7;1;4;d;;;;"});
    clickColumnTitle(0);
    EXPECT_EQ(shownNames(), (Names{"d", "a", "c", "b"}));
    EXPECT_EQ(rowData(), (std::vector<std::int32_t>{3, 0, 2, 1})) << "row data travel along";
}

TEST_F(ColumnSortTest, TheDamageColumnSortsNothing) {
    addRecords({"1;1;1;b;;;z;", "2;1;2;a;;;y;"});
    auto* bar = widget<QProgressBar>(Control::ProgressBar);
    int changes = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, [&] { ++changes; });
    const auto directions = app->program().sort.directions;
    clickColumnTitle(6);
    EXPECT_EQ(shownNames(), (Names{"b", "a"}));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(app->program().sort.directions, directions);
    EXPECT_EQ(app->program().sort.column, -1);
}

TEST_F(ColumnSortTest, AnEmptyListFlipsTheDirectionAndLeavesTheBarAtZero) {
    clickColumnTitle(1);
    EXPECT_EQ(app->program().sort.directions[1], 1);
    EXPECT_EQ(widget<QProgressBar>(Control::ProgressBar)->value(), 0);
    addRecords({"1;1;1;a;;;;", "1;2;2;b;;;;"});
    clickColumnTitle(1);
    EXPECT_EQ(column(1), (std::vector<std::string>{"1", "2"})) << "the second click: ascending";
}

TEST_F(ColumnSortTest, ProgressClimbsAndEndsAtZero) {
    addRecords({"1;1;1;a;;;;", "2;1;2;b;;;;", "3;1;3;c;;;;", "4;1;4;d;;;;"});
    std::vector<int> values;
    QObject::connect(widget<QProgressBar>(Control::ProgressBar), &QProgressBar::valueChanged,
                     [&](int value) { values.push_back(value); });
    clickColumnTitle(0);
    EXPECT_EQ(values, (std::vector<int>{25, 50, 75, 0}));
}

TEST_F(ColumnSortTest, OnlyTheRowsShownSortAndARefreshBringsBackCollectionOrder) {
    addRecords({"1;1;1;Pils;;;;", "2;1;2;Export;;;;", "3;1;3;Pilsener;;;;", "4;1;4;Alt;;;;"});
    widget(Control::NameField)->setFocus();
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("Pils"));
    EXPECT_TRUE(pump());
    clickColumnTitle(0);
    EXPECT_EQ(shownNames(), (Names{"Pilsener", "Pils"}));
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("e"));
    EXPECT_TRUE(pump());
    QTest::keyClick(widget(Control::NameField), Qt::Key_Backspace);
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownNames(), (Names{"Pils", "Pilsener"}));
}

TEST_F(ColumnSortTest, TheSelectionStaysAtItsRowAndStandsForTheRecordMovedThere) {
    addRecords({"1;1;1;a;;;;", "2;1;2;b;;;;", "3;1;3;c;;;;", "4;1;4;d;;;;"});
    clickRow(2);
    ASSERT_EQ(app->toolkit().state(Control::RecordList), 2);
    clickColumnTitle(0); // d, c, b, a
    EXPECT_EQ(app->toolkit().state(Control::RecordList), 2);
    EXPECT_EQ(app->program().collection.currentPosition(), 3) << "the sort walked the collection";
    dialogs.answerYesNo(true);
    click(Control::DeleteButton);
    EXPECT_TRUE(pump());
    std::string left;
    for (std::int32_t i = 0; i < app->program().collection.count(); ++i) {
        left += app->program().collection.selectAt(i)->name;
    }
    EXPECT_EQ(left, "acd") << "b, which the third row showed after the sort, went";
}

TEST_F(ColumnSortTest, AClickDuringAFilterDrainStillSorts) {
    addRecords({"1;1;1;Pils;;;;", "2;1;2;Pilsener;;;;"});
    widget(Control::NameField)->setFocus();
    EXPECT_TRUE(pump());
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("P"));
    // The title click waits behind the keystroke: it is delivered inside the drain.
    QHeaderView* header = widget<QTableView>(Control::RecordList)->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(0) + 10, header->height() / 2);
    const QPoint global = header->viewport()->mapToGlobal(at);
    QApplication::postEvent(header->viewport(),
                            new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                            Qt::LeftButton, Qt::NoModifier));
    QApplication::postEvent(header->viewport(),
                            new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                            Qt::NoButton, Qt::NoModifier));
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownNames(), (Names{"Pilsener", "Pils"}));
}

} // namespace
} // namespace dovra::test
