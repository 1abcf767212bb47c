#include "support/GuiTestSupport.h"
#include "ui/toolkit/Text.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

namespace dovra::test {
namespace {

class RecordCommandsTest : public ProgramTest {
protected:
    void add() {
        click(Control::AddButton);
        EXPECT_TRUE(pump());
    }
    void setField(Control field, const QString& value) {
        auto* edit = widget<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, value);
        EXPECT_TRUE(pump());
    }
    const CapRecord& record(std::int32_t position) {
        CapCollection& c = app->program().collection;
        const std::int32_t keep = c.currentPosition();
        const CapRecord* found = c.selectAt(position);
        c.selectAt(keep);
        return *found;
    }
    std::string names() {
        std::string all;
        for (std::int32_t i = 0; i < app->program().collection.count(); ++i) {
            all += record(i).name;
        }
        return all;
    }
};

TEST_F(RecordCommandsTest, AddNumbersCapsWithinTheSetAndTheWholeCollection) {
    setField(Control::SetNumberField, QStringLiteral("7"));
    add();
    add();
    EXPECT_EQ(record(0).setNumber, 7);
    EXPECT_EQ(record(0).capNumber, 1);
    EXPECT_EQ(record(0).totalNumber, 1);
    EXPECT_EQ(record(1).capNumber, 2) << "the form keeps its contents for the next cap";
    EXPECT_EQ(record(1).totalNumber, 2);
    EXPECT_EQ(text(Control::TotalNumberField), "2");
    EXPECT_EQ(text(Control::StatusText),
              "Datensatz erstellt.\n\rDatensatz in Statistik aufgenommen.\r\nBereit");
    EXPECT_TRUE(app->program().modified);

    setField(Control::CapNumberField, QStringLiteral("12"));
    add();
    EXPECT_EQ(record(2).capNumber, 12) << "a typed cap number is taken as it is";

    setField(Control::SetNumberField, QString());
    setField(Control::CapNumberField, QString());
    add();
    EXPECT_EQ(record(3).setNumber, 0);
    EXPECT_EQ(record(3).capNumber, 1) << "the records of set 0, the new one included";
    EXPECT_EQ(text(Control::StatisticsLine1), "Gesamtanzahl: 4");
}

TEST_F(RecordCommandsTest, AddTakesEveryFieldOfTheForm) {
    setField(Control::NameField, QStringLiteral("Pils"));
    auto* box = widget<QComboBox>(Control::CountryBox);
    box->setFocus();
    box->lineEdit()->selectAll();
    typeChars(box->lineEdit(), QStringLiteral("Österreich"));
    EXPECT_TRUE(pump());
    widget<QDateEdit>(Control::FoundDatePicker)->setDate(QDate(2009, 2, 3));
    widget(Control::DamageEditor)->setFocus();
    QTest::keyClicks(widget(Control::DamageEditor), QStringLiteral("Delle"));
    QTest::keyClick(widget(Control::DamageEditor), Qt::Key_Return);
    QTest::keyClicks(widget(Control::DamageEditor), QStringLiteral("Rost"));
    setField(Control::ImagePathField, QStringLiteral("bilder/pils.png"));
    add();
    const CapRecord& r = record(0);
    EXPECT_EQ(r.name, "Pils");
    EXPECT_EQ(r.country, cp("Österreich")) << "the typed country";
    EXPECT_EQ(r.foundDate, "03.02.2009");
    EXPECT_EQ(r.damage, "Delle\r\nRost");
    EXPECT_EQ(r.imagePath, "bilder/pils.png");
    EXPECT_EQ(app->toolkit().entryCount(Control::CountryBox), 1)
        << "a typed country is not added to the list";
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Pils"});
}

TEST_F(RecordCommandsTest, UntouchedCountryBoxStoresAlle) {
    add();
    EXPECT_EQ(record(0).country, "<alle>");
}

TEST_F(RecordCommandsTest, AnAddedRecordThatMissesTheFilterIsCountedButNotShown) {
    QTemporaryDir folder;
    writeFile(folder.filePath("b.csv"), "1;1;1;Pils;;Belgien;;\r\n");
    openFile(folder.filePath("b.csv"));
    auto* box = widget<QComboBox>(Control::CountryBox);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down); // the entry Belgien: the list shows Belgian caps
    EXPECT_TRUE(pump());
    box->lineEdit()->selectAll();
    typeChars(box->lineEdit(), QStringLiteral("Dänemark")); // the new cap's country
    EXPECT_TRUE(pump());
    add();
    EXPECT_EQ(app->program().collection.count(), 2);
    EXPECT_EQ(record(1).country, cp("Dänemark"));
    EXPECT_EQ(shownNames(), std::vector<std::string>{"Pils"});
    EXPECT_EQ(text(Control::StatisticsLine1), "Gesamtanzahl: 2");
}

TEST_F(RecordCommandsTest, AddAfterAPreviewGoesBehindThePreviewedRecord) {
    addRecords({"1;1;1;A;;;;", "1;2;2;B;;;;", "1;3;3;C;;;;"});
    clickRow(1);
    setField(Control::NameField, QStringLiteral("D"));
    // Typing ran the filter, so the list shows nothing; D still goes to the end.
    add();
    EXPECT_EQ(names(), "ABCD");

    setField(Control::NameField, QString());
    clickRow(1);
    clickRow(1); // the first click only took the focus from NameField
    ASSERT_EQ(app->toolkit().state(Control::RecordList), 1);
    add();
    EXPECT_EQ(app->program().collection.count(), 5);
    EXPECT_EQ(record(2).name, "") << "right behind the previewed B";
    EXPECT_EQ(record(2).totalNumber, 5);
}

TEST_F(RecordCommandsTest, DeleteWithoutASelectedRowIsANotice) {
    addRecords({"1;1;1;A;;;;"});
    click(Control::DeleteButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(text(Control::StatusText), "Keinen Eintrag ausgew\xE4hlt");
    EXPECT_FALSE(widget(Control::DeleteButton)->isEnabled());
    EXPECT_EQ(app->program().collection.count(), 1);
    EXPECT_TRUE(dialogs.questions().empty());
}

TEST_F(RecordCommandsTest, DeleteAnsweredNoChangesNothing) {
    addRecords({"1;1;1;A;;;;", "1;2;2;B;;;;"});
    clickRow(0);
    dialogs.answerYesNo(false);
    click(Control::DeleteButton);
    EXPECT_TRUE(pump());
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(dialogs.questions()[0].title, QStringLiteral("Dovra"));
    EXPECT_EQ(dialogs.questions()[0].text,
              QStringLiteral("Soll der ausgewählte Datensatz wirklich gelöscht werden?"));
    EXPECT_EQ(text(Control::StatusText), cp("Datensatz wird gelöscht..."));
    EXPECT_EQ(names(), "AB");
    EXPECT_FALSE(app->program().modified);
}

TEST_F(RecordCommandsTest, DeleteRenumbersTheRest) {
    addRecords({"1;1;1;A;;;;", "1;2;2;B;;;;", "1;3;7;C;;;;"});
    clickRow(1);
    dialogs.answerYesNo(true);
    click(Control::DeleteButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(names(), "AC");
    EXPECT_EQ(record(0).totalNumber, 1);
    EXPECT_EQ(record(1).totalNumber, 2);
    EXPECT_EQ(text(Control::TotalNumberField), "2");
    EXPECT_EQ(text(Control::StatusText), cp("Datensatz gelöscht.\r\nBereit"));
    EXPECT_TRUE(app->program().modified);
    EXPECT_EQ(app->toolkit().state(Control::RecordList), -1);
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"A", "C"}));
}

TEST_F(RecordCommandsTest, DeletingTheOnlyRecord) {
    addRecords({"1;1;1;A;;;;"});
    clickRow(0);
    dialogs.answerYesNo(true);
    click(Control::DeleteButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(app->program().collection.count(), 0);
    EXPECT_EQ(text(Control::TotalNumberField), "0");
    EXPECT_TRUE(app->program().modified);
}

TEST_F(RecordCommandsTest, ResetEmptiesTheFormAndKeepsTheDate) {
    auto* box = widget<QComboBox>(Control::CountryBox);
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("Belgien"));
    setField(Control::SetNumberField, QStringLiteral("3"));
    setField(Control::CapNumberField, QStringLiteral("4"));
    setField(Control::NameField, QStringLiteral("Pils"));
    setField(Control::ImagePathField, QStringLiteral("p.png"));
    app->toolkit().setText(Control::DamageEditor, "Delle");
    widget<QDateEdit>(Control::FoundDatePicker)->setDate(QDate(2009, 2, 3));
    click(Control::ResetButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(text(Control::CountryBox), "<alle>");
    EXPECT_EQ(box->currentIndex(), 0);
    for (const Control field :
         {Control::SetNumberField, Control::CapNumberField, Control::NameField,
          Control::ImagePathField, Control::DamageEditor}) {
        EXPECT_EQ(text(field), "") << number(field);
    }
    EXPECT_EQ(widget<QDateEdit>(Control::FoundDatePicker)->date(), QDate(2009, 2, 3));
    EXPECT_EQ(text(Control::FoundDatePicker),
              QLocale::system().toString(QDate(2009, 2, 3), QLocale::ShortFormat).toStdString())
        << "the system's short date form from now on";
    EXPECT_EQ(text(Control::StatusText), cp("Alle Parameter gelöscht.\r\nBereit"));
    EXPECT_FALSE(app->program().modified);
}

TEST_F(RecordCommandsTest, FieldsRefuseWhatARecordCannotHold) {
    auto* box = widget<QComboBox>(Control::CountryBox);
    const std::pair<QWidget*, Control> fields[] = {
        {widget(Control::NameField), Control::NameField},
        {box->lineEdit(), Control::CountryBox},
        {widget(Control::ImagePathField), Control::ImagePathField},
        {widget(Control::DamageEditor), Control::DamageEditor},
    };
    for (const auto& [target, control] : fields) {
        SCOPED_TRACE(number(control));
        app->toolkit().setText(control, "");
        target->setFocus();
        typeChars(target, QStringLiteral("a;b\u0142c\u20ACd"));
        EXPECT_EQ(text(control), cp("abc€d")) << "typed";
        QApplication::clipboard()->setText(QStringLiteral("x;y"));
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        QApplication::clipboard()->setText(QStringLiteral("\u4E2D"));
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(text(control), cp("abc€d")) << "pasted";
        QApplication::clipboard()->setText(QStringLiteral("ok"));
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(text(control), cp("abc€dok")) << "a good paste arrives";
    }
    EXPECT_TRUE(pump());
}

} // namespace
} // namespace dovra::test
