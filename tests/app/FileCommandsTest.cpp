#include "collection/NumberText.h"
#include "support/GuiTestSupport.h"
#include "ui/toolkit/Text.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

namespace dovra::test {
namespace {

using namespace std::string_literals;

class FileCommandsTest : public ProgramTest {
protected:
    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    // The collection's names in collection order, in UTF-8.
    std::string collectionNames() {
        CapCollection& collection = app->program().collection;
        std::string names;
        for (std::int32_t i = 0; i < collection.count(); ++i) {
            names +=
                (i ? "," : "") + toolkit::toQString(collection.selectAt(i)->name).toStdString();
        }
        collection.selectAt(collection.count() - 1);
        return names;
    }
    std::vector<std::string> countryEntries() {
        std::vector<std::string> entries;
        for (const std::string& e : app->toolkit().entryTexts(Control::CountryBox)) {
            entries.push_back(toolkit::toQString(e).toStdString());
        }
        return entries;
    }
    bool inNoticeMode() { return !widget(Control::AddButton)->isEnabled(); }

    QTemporaryDir folder;
};

TEST_F(FileCommandsTest, OpeningAddsTheFileFirstRecordInFrontAndTheOthersAtTheEnd) {
    addRecords({"1;1;1;X;Belgien;;;", "1;2;2;Y;Dänemark;;;"});
    writeFile(path("a.csv"), cp("5;1;7;A;01.01.2001;Belgien;;a.png\r\n"
                                "5;2;8;B;02.01.2001;belgien;;\r\n"
                                "6;1;9;C;03.01.2001;Österreich;Kratzer;\r\n"));
    int highestProgress = 0;
    QObject::connect(widget<QProgressBar>(Control::ProgressBar), &QProgressBar::valueChanged,
                     [&](int value) { highestProgress = std::max(highestProgress, value); });
    app->program().modified = false;

    openFile(path("a.csv"));

    EXPECT_EQ(collectionNames(), "A,X,Y,B,C");
    EXPECT_EQ(countryEntries(),
              (std::vector<std::string>{"<alle>", "Belgien", "belgien", "Österreich"}))
        << "new countries once each, compared byte for byte, in file order";
    EXPECT_EQ(highestProgress, 100);
    EXPECT_EQ(widget<QProgressBar>(Control::ProgressBar)->value(), 0);
    EXPECT_EQ(text(Control::StatusText), "Datei ge\xF6"
                                         "ffnet.\r\nBereit.");
    EXPECT_FALSE(app->program().modified) << "opening changes no flag";
    EXPECT_EQ(text(Control::TotalNumberField), "1") << "nor TotalNumberField";
    EXPECT_EQ(shownNames(), (std::vector<std::string>{"A", "X", "Y", "B", "C"}));
    EXPECT_EQ(text(Control::StatisticsLine1), "Gesamtanzahl: 5");
    EXPECT_EQ(text(Control::StatisticsLine2), cp("Anzahl Länder: 3"));
    EXPECT_EQ(text(Control::CountryBox), "<alle>") << "the selection stays";

    CapRecord* a = app->program().collection.selectAt(0);
    EXPECT_EQ(a->totalNumber, 7) << "no renumbering";
    EXPECT_EQ(a->foundDate, "01.01.2001");
    EXPECT_EQ(a->imagePath, "a.png");

    openFile(path("a.csv"));
    EXPECT_EQ(collectionNames(), "A,A,X,Y,B,C,B,C") << "a second time, every record twice";
    EXPECT_EQ(countryEntries().size(), 4u) << "and no entry twice";
}

TEST_F(FileCommandsTest, OpeningANameThatDoesNotExistCreatesAnEmptyFile) {
    openFile(path("neu.csv"));
    EXPECT_TRUE(QFile::exists(path("neu.csv")));
    EXPECT_EQ(readFile(path("neu.csv")), "");
    EXPECT_EQ(app->program().collection.count(), 0);
    EXPECT_EQ(text(Control::StatusText), "Datei ge\xF6"
                                         "ffnet.\r\nBereit.");
}

TEST_F(FileCommandsTest, OpeningFailsWithANotice) {
    writeFile(path("datei"), "x");
    const QString failing[] = {
        QString(),                  // the dialog was cancelled
        folder.path(),              // a folder
        path("datei/unter.csv"),    // a "folder" that is a file
        path("fehlt/nirgends.csv"), // a folder that does not exist
    };
    for (const QString& target : failing) {
        SCOPED_TRACE(target.toStdString());
        openFile(target);
        EXPECT_TRUE(inNoticeMode());
        EXPECT_EQ(text(Control::StatusText), "Die Datei konnte nicht korrekt ge\xF6"
                                             "ffnet werden.");
        EXPECT_EQ(app->program().collection.count(), 0);
        click(Control::OkButton);
        pump();
    }
    const auto& requests = dialogs.fileRequests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].title, QStringLiteral("Öffnen"));
    EXPECT_EQ(
        requests[0].filter,
        QStringLiteral("Microsoft Excel-Datenbankdatei (*.csv)|*.csv; Alle Dateien (*.*)|*.*"));
    EXPECT_EQ(requests[0].folder, QDir::homePath());
    EXPECT_EQ(requests[0].fileName, QString());
    EXPECT_EQ(requests[0].kind, toolkit::FileDialogRequest::Kind::Open);
}

TEST_F(FileCommandsTest, ReadingRulesReachTheWindow) {
    // Ends of line of every kind, a NUL, an empty line, a short and a long line, no final break.
    writeFile(path("r.csv"), "1;2;3;A\n4;5\r\r \t7;+8;9a;B;d;Land;x;y;9;10"s + '\0' + "0;0;0;C"s);
    openFile(path("r.csv"));
    EXPECT_EQ(collectionNames(), "A,,,B,C");
    CapCollection& c = app->program().collection;
    const CapRecord* b = c.selectAt(3);
    EXPECT_EQ((std::vector<std::int32_t>{b->setNumber, b->capNumber, b->totalNumber}),
              (std::vector<std::int32_t>{7, 8, 9}));
    EXPECT_EQ(b->foundDate, "d");
    EXPECT_EQ(b->country, "Land");
    EXPECT_EQ(b->imagePath, "y") << "fields past the eighth are ignored";
    const CapRecord* shortLine = c.selectAt(1);
    EXPECT_EQ(shortLine->setNumber, 4);
    EXPECT_EQ(shortLine->capNumber, 5);
    EXPECT_EQ(shortLine->totalNumber, 0);
    EXPECT_EQ(*c.selectAt(2), CapRecord{}) << "an empty line is an empty record";
    EXPECT_EQ(countryEntries(), (std::vector<std::string>{"<alle>", "", "Land"}))
        << "the empty country is an entry too";
}

TEST_F(FileCommandsTest, SavingWritesTheExactBytesAndReplacesTheFile) {
    addRecords({"12;3;40;Pils;Belgien;05.04.2008;;C:\\Bilder\\pils.png",
                "-1;0;2;Bräu;Österreich;;Delle;"});
    app->program().modified = true;
    writeFile(path("alt.csv"), std::string(5000, 'x'));

    saveFile(path("alt.csv"));

    EXPECT_EQ(readFile(path("alt.csv")),
              cp("12;3;40;Pils;05.04.2008;Belgien;;C:\\Bilder\\pils.png\r\n"
                 "-1;0;2;Bräu;;Österreich;Delle;\r\n"));
    EXPECT_FALSE(app->program().modified);
    EXPECT_EQ(text(Control::StatusText), "Datei gespeichert.\r\nBereit.");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"alt.csv"})
        << "no temporary file is left behind";

    saveFile(path("ohne_endung"));
    EXPECT_TRUE(QFile::exists(path("ohne_endung"))) << "no extension is added";

    const auto& request = dialogs.fileRequests().front();
    EXPECT_EQ(request.title, QStringLiteral("Speichern"));
    EXPECT_EQ(request.filter, QStringLiteral("Microsoft Excel-Datenbankdatei (*.csv)|*.csv"));
    EXPECT_EQ(request.folder, QDir::homePath());
    EXPECT_EQ(request.kind, toolkit::FileDialogRequest::Kind::Save);
}

TEST_F(FileCommandsTest, SavingAnEmptyCollectionLeavesAnEmptyFile) {
    writeFile(path("alt.csv"), "1;2;3;x\r\n");
    saveFile(path("alt.csv"));
    EXPECT_EQ(readFile(path("alt.csv")), "");
}

TEST_F(FileCommandsTest, SavingFailsWithANoticeAndKeepsTheFlag) {
    addRecords({"1;1;1;A;;;;"});
    writeFile(path("datei"), "x");
    QDir(folder.path()).mkdir(QStringLiteral("ordner"));
    const QString failing[] = {QString(), path("datei/unter.csv"), path("ordner"),
                               path("fehlt/x.csv")};
    for (const QString& target : failing) {
        SCOPED_TRACE(target.toStdString());
        app->program().modified = true;
        saveFile(target);
        EXPECT_TRUE(inNoticeMode());
        EXPECT_EQ(text(Control::StatusText), "Die Datei konnte nicht korrekt gespeichert werden.");
        EXPECT_TRUE(app->program().modified);
        click(Control::OkButton);
        pump();
    }
    EXPECT_EQ(readFile(path("datei")), "x");
}

// A file that may grow no further than a few bytes: a real write error, which root cannot
// get around either.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

TEST_F(FileCommandsTest, AWriteErrorLeavesTheOldFileWholeAndIsReported) {
    std::vector<std::string> records;
    for (int i = 0; i < 200; ++i) {
        records.push_back("1;" + std::to_string(i) + ";1;Name;Land;01.01.2000;;");
    }
    addRecords(records);
    const std::string old = "alt;alt\r\n";
    writeFile(path("sammlung.csv"), old);
    app->program().modified = true;
    {
        FileSizeLimit limit(1000);
        saveFile(path("sammlung.csv"));
    }
    EXPECT_TRUE(inNoticeMode());
    EXPECT_EQ(text(Control::StatusText), "Die Datei konnte nicht korrekt gespeichert werden.");
    EXPECT_TRUE(app->program().modified);
    EXPECT_EQ(readFile(path("sammlung.csv")), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"sammlung.csv"});
}

// Marks a file or folder immutable, which even root cannot write to, while it lives.
class Immutable {
public:
    explicit Immutable(const QString& path) : path_(path) {
        made_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
    }
    ~Immutable() {
        if (made_) {
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
        }
    }
    bool made() const { return made_; }

private:
    QString path_;
    bool made_ = false;
};

TEST_F(FileCommandsTest, AFileOrFolderThatMayNotBeWrittenFailsWithANotice) {
    writeFile(path("fest.csv"), "1;1;1;A\r\n");
    QDir(folder.path()).mkdir(QStringLiteral("fest"));
    const Immutable file(path("fest.csv"));
    const Immutable folderGuard(path("fest"));
    if (!file.made() || !folderGuard.made()) {
        GTEST_SKIP()
            << "chattr +i is not possible here (it needs root on a file system that has it)";
    }
    addRecords({"2;2;2;B;;;;"});
    app->program().modified = true;

    openFile(path("fest.csv")); // opening asks for write access too
    EXPECT_TRUE(inNoticeMode());
    EXPECT_EQ(text(Control::StatusText), "Die Datei konnte nicht korrekt ge\xF6"
                                         "ffnet werden.");
    EXPECT_EQ(app->program().collection.count(), 1);
    click(Control::OkButton);
    EXPECT_TRUE(pump());

    for (const QString& target : {path("fest.csv"), path("fest/neu.csv")}) {
        SCOPED_TRACE(target.toStdString());
        saveFile(target);
        EXPECT_TRUE(inNoticeMode());
        EXPECT_EQ(text(Control::StatusText), "Die Datei konnte nicht korrekt gespeichert werden.");
        EXPECT_TRUE(app->program().modified);
        click(Control::OkButton);
        EXPECT_TRUE(pump());
    }
    EXPECT_EQ(readFile(path("fest.csv")), "1;1;1;A\r\n");
}

TEST_F(FileCommandsTest, RoundTripKeepsEveryRecordAlsoWithSemicolonsAndLineBreaks) {
    addRecords({"7;1;1;Altbräu;Deutschland;01.02.2003;;/bilder/a.png",
                "7;2;2;Zeta \"Spezial\";Belgien;;  Rand ;", "-3;0;3;;;;;", "8;1;4;A;B;C;D;E"});
    CapCollection& collection = app->program().collection;
    collection.selectAt(1)->name = cp("Bier;Bräu");
    collection.selectAt(2)->damage = "Delle\r\nKratzer\nRost\rBeule\n\rEnde";
    collection.selectAt(3)->country = std::string("Nul\0l", 5);
    std::vector<CapRecord> before;
    for (std::int32_t i = 0; i < collection.count(); ++i) {
        before.push_back(*collection.selectAt(i));
    }
    saveFile(path("rund.csv"));

    app.reset();
    app = std::make_unique<App>(dialogs);
    openFile(path("rund.csv"));

    CapCollection& loaded = app->program().collection;
    ASSERT_EQ(loaded.count(), 4) << "no record shifted or split";
    before[1].name = cp("Bier,Bräu");
    before[2].damage = "Delle Kratzer Rost Beule Ende";
    before[3].country = "Null";
    for (std::int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(*loaded.selectAt(i), before[static_cast<std::size_t>(i)]) << "record " << i;
    }
}

TEST_F(FileCommandsTest, QuittingWithoutChangesAsksNothing) {
    click(Control::QuitButton);
    EXPECT_FALSE(pump());
    app->shutdown();
    EXPECT_TRUE(dialogs.questions().empty());
}

TEST_F(FileCommandsTest, QuittingAfterOpeningAFileAsksNothing) {
    writeFile(path("a.csv"), "1;1;1;A\r\n");
    openFile(path("a.csv"));
    click(Control::QuitButton);
    EXPECT_FALSE(pump());
    app->shutdown();
    EXPECT_TRUE(dialogs.questions().empty());
}

TEST_F(FileCommandsTest, TheSavePromptAsksAgainUntilSavedOrNo) {
    addRecords({"1;1;1;A;;;;"});
    const struct {
        const char* what;
        std::vector<int> script; // 1 Ja, 0 Nein, 2 a file, 3 a cancelled dialog, 4 a failing file
        std::size_t questions;
        bool saved;
    } cases[] = {
        {"Nein", {0}, 1, false},
        {"Ja and a file", {1, 2}, 1, true},
        {"Ja, a cancelled dialog, Nein", {1, 3, 0}, 2, false},
        {"Ja, a failing file, Ja, a file", {1, 4, 1, 2}, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("ende.csv"));
        app.reset();
        ScriptedDialogs scripted;
        app = std::make_unique<App>(scripted);
        addRecords({"1;1;1;A;;;;"});
        app->program().modified = true;
        for (int step : c.script) {
            if (step <= 1) {
                scripted.answerYesNo(step == 1);
            } else if (step == 2) {
                scripted.answerFile(path("ende.csv"));
            } else if (step == 3) {
                scripted.cancelFile();
            } else {
                scripted.answerFile(folder.path());
            }
        }
        std::string statusWhileAsking;
        scripted.whileAsking = [&] {
            if (statusWhileAsking.empty()) {
                statusWhileAsking = text(Control::StatusText);
            }
        };
        click(Control::QuitButton);
        EXPECT_FALSE(pump());
        app->shutdown();
        EXPECT_EQ(scripted.questions().size(), c.questions);
        EXPECT_EQ(scripted.questions().front().title, QStringLiteral("Dovra"));
        EXPECT_EQ(scripted.questions().front().text, QStringLiteral("Abspeichern?"));
        EXPECT_EQ(statusWhileAsking, "Programm wird geschlossen...");
        EXPECT_EQ(QFile::exists(path("ende.csv")), c.saved);
        EXPECT_TRUE(scripted.allAnswersUsed());
        app.reset();
    }
}

} // namespace
} // namespace dovra::test
