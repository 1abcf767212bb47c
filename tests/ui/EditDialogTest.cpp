#include "support/GuiTestSupport.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

namespace dovra::test {
namespace {

class EditDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        addRecords({"1;1;1;Pils;Belgien;05.04.2008;;a.png", "2;3;2;Export;Dänemark;;Delle;",
                    "3;1;3;Alt;Belgien;irgendwann;;"});
        app->program().modified = false;
    }
    // Opens the edit window for the selected row, runs the steps inside its loop and closes it
    // with its close box at the end.
    void edit(std::vector<std::function<void()>> steps) {
        click(Control::EditButton);
        steps.push_back([this] { editWindow()->close(); });
        script(std::move(steps));
        EXPECT_TRUE(pump());
        EXPECT_EQ(editWindow(), nullptr) << "closed";
    }
    QWidget* editWindow() { return app->toolkit().window(WindowNumber::Edit); }
    void replaceText(Control field, const QString& value) {
        auto* edit = widget<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeChars(edit, value);
    }
    const CapRecord& record(std::int32_t position) {
        return *app->program().collection.selectAt(position);
    }
};

TEST_F(EditDialogTest, NoSelectedRowIsANotice) {
    click(Control::EditButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(editWindow(), nullptr);
    EXPECT_EQ(text(Control::StatusText), "Keinen Eintrag ausgew\xE4hlt.");
    EXPECT_FALSE(widget(Control::EditButton)->isEnabled());
}

TEST_F(EditDialogTest, TheWindowAndItsFields) {
    clickRow(1);
    bool looked = false;
    edit({[&] {
        QWidget* window = editWindow();
        ASSERT_NE(window, nullptr);
        looked = true;
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Ändern"));
        EXPECT_EQ(window->size(), QSize(250, 190));
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "no sizing border";
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(65, 56));
        EXPECT_EQ(window->parentWidget(), nullptr) << "no owner";
        const struct {
            Control control;
            QRect geometry;
            const char* text;
        } fields[] = {
            {Control::EditSetNumberField, {0, 0, 250, 25}, "2"},
            {Control::EditCapNumberField, {0, 27, 250, 25}, "3"},
            {Control::EditNameField, {0, 54, 250, 25}, "Export"},
            {Control::EditCountryField, {0, 81, 250, 25}, "Dänemark"},
            {Control::EditFoundDatePicker, {0, 108, 250, 25}, nullptr},
            {Control::EditDamageField, {0, 135, 250, 25}, "Delle"},
            {Control::EditImagePathField, {0, 164, 190, 25}, ""},
            {Control::EditBrowseButton, {195, 164, 50, 25}, "..."},
        };
        for (const auto& f : fields) {
            SCOPED_TRACE(number(f.control));
            EXPECT_EQ(widget(f.control)->window(), window);
            EXPECT_EQ(widget(f.control)->geometry(), f.geometry);
            if (f.text) {
                EXPECT_EQ(shownText(f.control), QString::fromUtf8(f.text));
            }
        }
    }});
    EXPECT_TRUE(looked);
}

TEST_F(EditDialogTest, ClosingUntouchedWritesBackTheSameRecord) {
    const CapRecord before = record(0);
    clickRow(0);
    edit({});
    EXPECT_EQ(record(0), before);
    EXPECT_FALSE(app->program().modified) << "nothing changed, nothing to save";
}

TEST_F(EditDialogTest, ANameChangeShowsInTheListAndCountsAsAChange) {
    clickRow(0);
    const std::string status = text(Control::StatusText);
    edit({[&] { replaceText(Control::EditNameField, QStringLiteral("Pilsner Urquell")); }});
    EXPECT_EQ(app->program().collection.currentPosition(), 2) << "the refresh walked";
    EXPECT_EQ(record(0).name, "Pilsner Urquell");
    EXPECT_EQ(shownNames()[0], "Pilsner Urquell");
    EXPECT_EQ(app->toolkit().state(Control::RecordList), -1);
    EXPECT_EQ(text(Control::TotalNumberField), "1");
    EXPECT_EQ(text(Control::StatusText), status);
    EXPECT_TRUE(app->program().modified) << "quitting will offer to save the edit";
}

TEST_F(EditDialogTest, NumbersAreReadByTheSharedRule) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"-7", -7}, {"12abc", 12}, {"abc", 0}, {"", 0}, {" +4", 4}};
    for (const auto& [typed, expected] : cases) {
        clickRow(0);
        edit({[&, typed = typed] {
            replaceText(Control::EditSetNumberField, QString::fromUtf8(typed));
            replaceText(Control::EditCapNumberField, QString::fromUtf8(typed));
        }});
        EXPECT_EQ(record(0).setNumber, expected) << typed;
        EXPECT_EQ(record(0).capNumber, expected) << typed;
        EXPECT_EQ(record(0).totalNumber, 1) << "the running number is not touched";
    }
}

TEST_F(EditDialogTest, AnUntouchedDateNeverReplacesTheStoredOne) {
    for (std::int32_t row : {0, 1, 2}) { // a date, an empty text, a text that is no date
        const std::string stored = record(row).foundDate;
        clickRow(row);
        edit({});
        EXPECT_EQ(record(row).foundDate, stored);
    }
    clickRow(0);
    edit({[&] {
        EXPECT_EQ(widget<QDateEdit>(Control::EditFoundDatePicker)->date(), QDate(2008, 4, 5));
        widget<QDateEdit>(Control::EditFoundDatePicker)->setFocus();
        QTest::keyClick(widget(Control::EditFoundDatePicker), Qt::Key_Up); // the day, one up
    }});
    EXPECT_EQ(record(0).foundDate, "06.04.2008");
}

TEST_F(EditDialogTest, DamageWithLineBreaksInOneLine) {
    app->program().collection.selectAt(1)->damage = "Delle\r\nRost\nKratzer";
    clickRow(1);
    edit({[&] {
        EXPECT_EQ(shownText(Control::EditDamageField), QStringLiteral("Delle ¶ Rost ¶ Kratzer"));
    }});
    EXPECT_EQ(record(1).damage, "Delle\r\nRost\nKratzer") << "untouched, given back unchanged";
    clickRow(1);
    edit({[&] {
        auto* field = widget<QLineEdit>(Control::EditDamageField);
        field->setFocus();
        field->end(false);
        typeChars(field, QStringLiteral("!"));
    }});
    EXPECT_EQ(record(1).damage, "Delle\r\nRost\r\nKratzer!");
}

TEST_F(EditDialogTest, FieldsRefuseWhatARecordCannotHold) {
    clickRow(0);
    edit({[&] {
        widget(Control::EditNameField)->setFocus();
        widget<QLineEdit>(Control::EditNameField)->end(false);
        typeChars(widget(Control::EditNameField), QStringLiteral(";\u0142x"));
    }});
    EXPECT_EQ(record(0).name, "Pilsx");
}

TEST_F(EditDialogTest, BrowseFillsThePathFieldOnly) {
    clickRow(0);
    dialogs.cancelFile();
    dialogs.answerFile(QStringLiteral("/bilder/neu.png"));
    const QImage before = app->toolkit().picture(previewPicture);
    edit({[&] { QTest::mouseClick(widget(Control::EditBrowseButton), Qt::LeftButton); },
          [&] {
              EXPECT_EQ(shownText(Control::EditImagePathField), QStringLiteral("a.png"))
                  << "cancel keeps it";
          },
          [&] { QTest::mouseClick(widget(Control::EditBrowseButton), Qt::LeftButton); }});
    EXPECT_EQ(record(0).imagePath, "/bilder/neu.png");
    EXPECT_EQ(app->toolkit().picture(previewPicture), before) << "no picture is loaded";
    ASSERT_EQ(dialogs.fileRequests().size(), 2u);
    EXPECT_EQ(dialogs.fileRequests()[0].title, QStringLiteral("Bild laden"));
    EXPECT_EQ(dialogs.fileRequests()[0].filter, QStringLiteral("Pünngs (*.png)|*.png"));
    EXPECT_EQ(dialogs.fileRequests()[0].fileName, QString());
}

TEST_F(EditDialogTest, TheMainWindowsCloseBoxClosesOnlyTheDialog) {
    clickRow(0);
    click(Control::EditButton);
    script({[&] { replaceText(Control::EditNameField, QStringLiteral("Neu")); },
            [&] { app->toolkit().window(WindowNumber::Main)->close(); }});
    EXPECT_TRUE(pump()) << "the program keeps running";
    EXPECT_EQ(editWindow(), nullptr);
    EXPECT_EQ(record(0).name, "Neu");
}

TEST_F(EditDialogTest, OtherCommandsDoNothingWhileItIsOpenNorLater) {
    clickRow(0);
    edit({[&] {
        QTest::mouseClick(widget(Control::QuitButton), Qt::LeftButton);
        QTest::mouseClick(widget(Control::DeleteButton), Qt::LeftButton);
        QTest::mouseClick(widget(Control::EditButton), Qt::LeftButton);
        QTest::mouseClick(widget(Control::AddButton), Qt::LeftButton);
        chooseMenu(MenuItem::Open);
    }});
    EXPECT_TRUE(pump()) << "no quit later either";
    EXPECT_EQ(app->program().collection.count(), 3);
    EXPECT_EQ(dialogs.fileRequests().size(), 0u) << "the menu did nothing";
    EXPECT_TRUE(dialogs.questions().empty()) << "neither did DeleteButton";
}

TEST_F(EditDialogTest, UnderAFilterItEditsTheRecordTheRowShows) {
    widget(Control::NameField)->setFocus();
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("t"));
    EXPECT_TRUE(pump()); // Export, Alt
    clickRow(1);
    clickRow(1);
    edit({[&] { EXPECT_EQ(shownText(Control::EditNameField), QStringLiteral("Alt")); }});
}

TEST_F(EditDialogTest, ASortWhileItIsOpenStillEditsTheRecordOpened) {
    clickRow(0); // Pils
    edit({[&] { clickColumnTitle(0); },
          [&] {
              EXPECT_EQ(shownNames()[0], "Alt") << "sorted while the dialog waits";
              replaceText(Control::EditNameField, QStringLiteral("Pilsener"));
          }});
    EXPECT_EQ(record(0).name, "Pilsener");
    EXPECT_EQ(record(2).name, "Alt");
}

} // namespace
} // namespace dovra::test
