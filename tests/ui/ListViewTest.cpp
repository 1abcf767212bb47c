#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace dovra::test {
namespace {

using Names = std::vector<std::string>;

class ListViewTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // Countries reach CountryBox's list only from a file.
        writeFile(folder.filePath("c.csv"), cp("7;1;1;Altbräu;;Belgien;;\r\n"
                                               "120;1;2;ALTBRÄU;;belgien;;\r\n"
                                               "12;1;3;Pils;;Belgien ;;\r\n"
                                               "7;2;4;Export;;Belgien;;\r\n"
                                               "0;1;5;;;Dänemark;;\r\n"));
        openFile(folder.filePath("c.csv"));
    }
    void typeInto(Control field, const QString& characters) {
        widget(field)->setFocus();
        EXPECT_TRUE(pump());
        for (const QChar c : characters) {
            typeChars(widget(field), QString(c));
            EXPECT_TRUE(pump());
        }
    }
    void chooseCountry(int entry) {
        auto* box = widget<QComboBox>(Control::CountryBox);
        box->setFocus();
        EXPECT_TRUE(pump());
        while (box->currentIndex() != entry) {
            QTest::keyClick(box, box->currentIndex() < entry ? Qt::Key_Down : Qt::Key_Up);
            EXPECT_TRUE(pump());
        }
    }
    std::vector<std::int32_t> rowData() {
        std::vector<std::int32_t> data;
        for (int row = 0; row < app->toolkit().entryCount(Control::RecordList); ++row) {
            data.push_back(app->toolkit().entryData(Control::RecordList, row));
        }
        return data;
    }
    int selectedRow() { return app->toolkit().state(Control::RecordList); }

    QTemporaryDir folder;
};

TEST_F(ListViewTest, AllRecordsInCollectionOrderWithTheirPositions) {
    EXPECT_EQ(shownNames(), (Names{"Altbräu", "ALTBRÄU", "Pils", "Export", ""}));
    EXPECT_EQ(rowData(), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(app->toolkit().entryText(Control::RecordList, 1, 0), "120");
    EXPECT_EQ(app->toolkit().entryText(Control::RecordList, 1, 4), "belgien");
}

TEST_F(ListViewTest, TypingIntoNameFieldNarrowsTheListOnEveryKeystroke) {
    widget(Control::NameField)->setFocus();
    EXPECT_TRUE(pump());
    const std::pair<const char*, Names> steps[] = {
        {"A", {"Altbräu", "ALTBRÄU"}}, {"l", {"Altbräu"}}, {"t", {"Altbräu"}}, {"x", {}}};
    for (const auto& [key, expected] : steps) {
        QTest::keyClicks(widget(Control::NameField), QString::fromUtf8(key));
        EXPECT_TRUE(pump());
        EXPECT_EQ(shownNames(), expected) << "after " << key;
    }
    QTest::keyClick(widget(Control::NameField), Qt::Key_Backspace);
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownNames(), (Names{"Altbräu"}));
}

TEST_F(ListViewTest, NameFragmentsAreCaseSensitiveBytes) {
    typeInto(Control::NameField, QStringLiteral("bräu"));
    EXPECT_EQ(shownNames(), (Names{"Altbräu"})) << "not ALTBRÄU";
    EXPECT_EQ(rowData(), (std::vector<std::int32_t>{0}));
}

TEST_F(ListViewTest, CountryMatchesTheChosenEntryExactly) {
    const auto& entries = app->toolkit().entryTexts(Control::CountryBox);
    ASSERT_EQ(entries.size(), 5u); // <alle>, Belgien, belgien, "Belgien ", Dänemark
    chooseCountry(1);
    EXPECT_EQ(shownNames(), (Names{"Altbräu", "Export"}))
        << "not belgien, not Belgien with a trailing blank";
    EXPECT_EQ(rowData(), (std::vector<std::int32_t>{0, 3}));
    chooseCountry(0);
    EXPECT_EQ(shownNames().size(), 5u) << "<alle> filters nothing";
}

TEST_F(ListViewTest, TypedCountryTextIsNeverCompared) {
    auto* box = widget<QComboBox>(Control::CountryBox);
    box->setFocus();
    EXPECT_TRUE(pump());
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, QStringLiteral("Belgien"));
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownNames().size(), 5u);
}

TEST_F(ListViewTest, SetNumbersAreReadAsNumbers) {
    typeInto(Control::SetNumberField, QStringLiteral("007"));
    EXPECT_EQ(shownNames(), (Names{"Altbräu", "Export"}));
    widget(Control::SetNumberField)->setFocus();
    QTest::keyClick(widget(Control::SetNumberField), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget(Control::SetNumberField), QStringLiteral("12"));
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownNames(), (Names{"Pils"})) << "12 does not show set 120";
}

TEST_F(ListViewTest, FiltersCombineAndEmptyNamesHideWhileANameIsTyped) {
    chooseCountry(1);
    typeInto(Control::SetNumberField, QStringLiteral("7"));
    EXPECT_EQ(shownNames(), (Names{"Altbräu", "Export"}));
    typeInto(Control::NameField, QStringLiteral("E"));
    EXPECT_EQ(shownNames(), (Names{"Export"}));
    EXPECT_EQ(rowData(), (std::vector<std::int32_t>{3}));
}

TEST_F(ListViewTest, AClickOnARowWhileAFilterFieldHasTheFocusSelectsNothing) {
    widget(Control::NameField)->setFocus();
    EXPECT_TRUE(pump());
    const std::string status = text(Control::StatusText);
    clickRow(2);
    EXPECT_EQ(selectedRow(), -1) << "the focus leaving NameField refreshed the list";
    EXPECT_EQ(text(Control::StatusText), status) << "and no picture was previewed";
    clickRow(2);
    EXPECT_EQ(selectedRow(), 2) << "a second click selects the row";
    EXPECT_EQ(text(Control::StatusText), "Bild geladen.\r\nBereit.");
}

TEST_F(ListViewTest, MovingTheFocusThroughAFilterFieldClearsTheSelection) {
    clickRow(1);
    ASSERT_EQ(selectedRow(), 1);
    widget(Control::SetNumberField)->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(pump());
    EXPECT_EQ(selectedRow(), -1);
}

TEST_F(ListViewTest, CharactersTypedDuringARefreshArriveButTheListFollowsOnlyLater) {
    widget(Control::NameField)->setFocus();
    EXPECT_TRUE(pump());
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("A"));
    // Typed while the refresh for "A" runs: waiting in the queue behind it.
    QApplication::postEvent(widget(Control::NameField),
                            new QKeyEvent(QEvent::KeyPress, Qt::Key_L, Qt::NoModifier, "l"));
    QApplication::postEvent(widget(Control::NameField),
                            new QKeyEvent(QEvent::KeyRelease, Qt::Key_L, Qt::NoModifier, "l"));
    EXPECT_TRUE(pump());
    EXPECT_EQ(text(Control::NameField), "Al") << "the character arrived";
    EXPECT_EQ(shownNames(), (Names{"Altbräu", "ALTBRÄU"})) << "the list still follows \"A\"";
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("t"));
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownNames(), (Names{"Altbräu"}));
}

TEST_F(ListViewTest, ButtonClicksDuringARefreshAreDropped) {
    widget(Control::NameField)->setFocus();
    EXPECT_TRUE(pump());
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("P"));
    // Clicked while the keystroke's refresh runs: press and release wait behind its event.
    QTest::mouseClick(widget(Control::AddButton), Qt::LeftButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(app->program().collection.count(), 5) << "the drain dropped the add";
}

TEST_F(ListViewTest, ResetKeepsTheRowsUntilTheNextRefresh) {
    typeInto(Control::NameField, QStringLiteral("Pils"));
    ASSERT_EQ(shownNames(), (Names{"Pils"}));
    click(Control::ResetButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(text(Control::NameField), "");
    EXPECT_EQ(shownNames(), (Names{"Pils"}));
    typeInto(Control::SetNumberField, QStringLiteral("7"));
    EXPECT_EQ(shownNames(), (Names{"Altbräu", "Export"}));
}

TEST_F(ListViewTest, DeleteUnderAFilterRemovesTheRecordTheRowShows) {
    typeInto(Control::SetNumberField, QStringLiteral("7"));
    clickRow(1); // takes the focus from SetNumberField: that refresh selects nothing
    clickRow(1); // Export, position 3
    dialogs.answerYesNo(true);
    click(Control::DeleteButton);
    EXPECT_TRUE(pump());
    widget(Control::SetNumberField)->setFocus();
    QTest::keyClick(widget(Control::SetNumberField), Qt::Key_Backspace);
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownNames(), (Names{"Altbräu", "ALTBRÄU", "Pils", ""}));
}

} // namespace
} // namespace dovra::test
