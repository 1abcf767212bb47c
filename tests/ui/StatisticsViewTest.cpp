#include "support/GuiTestSupport.h"

#include <QTemporaryDir>
#include <QTest>

namespace dovra::test {
namespace {

class StatisticsViewTest : public ProgramTest {
protected:
    std::vector<std::string> shown() {
        std::vector<std::string> texts;
        for (const Control c :
             {Control::StatisticsLine1, Control::StatisticsLine2, Control::StatisticsLine3,
              Control::StatisticsLine4, Control::StatisticsLine5, Control::TotalLabel,
              Control::CountryLabel, Control::SetLabel}) {
            texts.push_back(shownText(c).toStdString());
        }
        return texts;
    }
    void load(const std::string& lines) {
        writeFile(folder.filePath("s.csv"), cp(lines.c_str()));
        openFile(folder.filePath("s.csv"));
    }
    QTemporaryDir folder;
};

TEST_F(StatisticsViewTest, TheWorkedExample) {
    load("1;1;1;a;;Belgien;;\r\n1;2;2;b;;Dänemark;Delle;\r\n2;2;3;c;;Belgien;;\r\n");
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"Gesamtanzahl: 3", "Anzahl Länder: 2", "Anzahl Sätze: 2",
                                        "Anzahl Beschädigte: 1", "Größter Satz: (1) Kronkorken: 2",
                                        "Gesamt: 3", "Länder: 2", "Sätze: 2"}));
    EXPECT_EQ(app->program().recordCount, 3);
    EXPECT_EQ(app->program().countryEntryCount, 2);
}

TEST_F(StatisticsViewTest, EmptyCollection) {
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"Gesamtanzahl: 0", "Anzahl Länder: 0", "Anzahl Sätze: 0",
                                        "Anzahl Beschädigte: 0", "Größter Satz: (0) Kronkorken: 0",
                                        "Gesamt: 0", "Länder: 0", "Sätze: 0"}));
}

TEST_F(StatisticsViewTest, CountryEntriesCountedAsTheyStandInTheList) {
    load("0;0;0;a;;[unbekannt];;\r\n0;0;0;b;;<alle>;;\r\n0;0;0;c;;;;\r\n0;0;0;d;;Belgien;;\r\n");
    EXPECT_EQ(shownText(Control::StatisticsLine2).toStdString(), "Anzahl Länder: 2")
        << "the empty country counts, [unbekannt] and <alle> do not";
    EXPECT_EQ(shownText(Control::StatisticsLine5).toStdString(), "Größter Satz: (0) Kronkorken: 0");
}

TEST_F(StatisticsViewTest, CountsCoverTheWholeCollectionWhateverTheFilter) {
    load("3;1;1;Pils;;Belgien; ;\r\n5;4;2;Export;;Belgien;\r\n;\r\n-2;9;3;Alt;;Belgien;;\r\n");
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("nichts"));
    EXPECT_TRUE(pump());
    EXPECT_TRUE(shownNames().empty());
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"Gesamtanzahl: 4", "Anzahl Länder: 2", "Anzahl Sätze: 5",
                                        "Anzahl Beschädigte: 1", "Größter Satz: (-2) Kronkorken: 9",
                                        "Gesamt: 4", "Länder: 2", "Sätze: 5"}))
        << "a damage of one blank counts; the empty line's empty country is an entry";
}

} // namespace
} // namespace dovra::test
