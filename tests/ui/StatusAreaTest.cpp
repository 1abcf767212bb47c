#include "support/GuiTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace dovra::test {
namespace {

class StatusAreaTest : public ProgramTest {
protected:
    // A notice the user can bring about: the open dialog cancelled.
    void causeNotice() {
        dialogs.cancelFile();
        chooseMenu(MenuItem::Open);
        EXPECT_TRUE(pump());
    }
    void pressOk() {
        click(Control::OkButton);
        EXPECT_TRUE(pump());
    }
    QLabel* status() { return widget<QLabel>(Control::StatusText); }
    QColor shownColour() {
        return status()->palette().color(QPalette::Active, QPalette::WindowText);
    }
    QColor defaultColour() { return QApplication::palette(status()).color(QPalette::WindowText); }

    void expectEnabled(bool commandsEnabled) {
        for (int n = 0; n <= 35; ++n) {
            const auto control = static_cast<Control>(n);
            const bool expected = control == Control::StatusText || control == Control::OkButton
                                      ? true
                                      : commandsEnabled;
            EXPECT_EQ(widget(control)->isEnabled(), expected) << "control " << n;
        }
    }

    const QColor blue{0, 0, 204};
    const QColor black{0, 0, 0};
};

TEST_F(StatusAreaTest, ANoticeInBoldBlueDisablesEverythingButOk) {
    const int defaultPoints = status()->font().pointSize();
    causeNotice();
    EXPECT_EQ(text(Control::StatusText), "Die Datei konnte nicht korrekt ge\xF6"
                                         "ffnet werden.");
    EXPECT_EQ(status()->font().pointSize(), 10);
    EXPECT_TRUE(status()->font().bold());
    EXPECT_EQ(shownColour(), blue);
    expectEnabled(false);
    EXPECT_TRUE(app->toolkit().window(WindowNumber::Main)->isEnabled()) << "the menu stays active";

    pressOk();
    EXPECT_EQ(text(Control::StatusText), "Bereit.");
    EXPECT_EQ(status()->font().pointSize(), 8);
    EXPECT_FALSE(status()->font().bold());
    EXPECT_EQ(shownColour(), defaultColour()) << "the colour it had before: none set";
    expectEnabled(true);
    Q_UNUSED(defaultPoints);
}

TEST_F(StatusAreaTest, OkBeforeAnyNoticeSwitchesToBlackAndTheNoticeRemembersIt) {
    app->toolkit().setText(Control::StatusText, "etwas");
    pressOk();
    EXPECT_EQ(text(Control::StatusText), "Bereit.");
    EXPECT_EQ(shownColour(), black);
    EXPECT_EQ(status()->font().pointSize(), 8);
    causeNotice();
    EXPECT_EQ(shownColour(), blue);
    pressOk();
    EXPECT_EQ(shownColour(), black);
}

TEST_F(StatusAreaTest, ASecondNoticeBeforeOkRemembersBlue) {
    causeNotice();
    causeNotice();
    pressOk();
    EXPECT_EQ(shownColour(), blue) << "the second notice remembered the notice colour";
    EXPECT_FALSE(status()->font().bold());
    expectEnabled(true);
    causeNotice();
    pressOk();
    EXPECT_EQ(shownColour(), blue);
}

TEST_F(StatusAreaTest, OpeningAFileInNoticeModeWritesInTheNoticeLook) {
    QTemporaryDir folder;
    writeFile(folder.filePath("a.csv"), "1;1;1;A\r\n");
    causeNotice();
    openFile(folder.filePath("a.csv"));
    EXPECT_EQ(text(Control::StatusText), "Datei ge\xF6"
                                         "ffnet.\r\nBereit.");
    EXPECT_EQ(shownColour(), blue);
    EXPECT_TRUE(status()->font().bold());
    expectEnabled(false);
    pressOk();
    EXPECT_EQ(text(Control::StatusText), "Bereit.");
    expectEnabled(true);
}

TEST_F(StatusAreaTest, InNoticeModeOnlyOkTakesTheFocus) {
    widget(Control::NameField)->setFocus();
    EXPECT_TRUE(pump()); // the focus event's refresh would drop the menu event otherwise
    causeNotice();
    EXPECT_EQ(QApplication::focusWidget(), widget(Control::OkButton));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), widget(Control::OkButton));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    EXPECT_EQ(text(Control::NameField), "");
    EXPECT_TRUE(pump());
}

TEST_F(StatusAreaTest, TheProgramEndsFromNoticeMode) {
    causeNotice();
    QWidget* main = app->toolkit().window(WindowNumber::Main);
    whenIdle([main] { main->close(); });
    EXPECT_EQ(app->run(), 0);
}

TEST_F(StatusAreaTest, LongNoticesWrapAtWordsInsideTheLabel) {
    causeNotice();
    const int lineHeight = status()->fontMetrics().height();
    EXPECT_GT(status()->heightForWidth(290), lineHeight) << "more than one line";
    EXPECT_EQ(status()->geometry(), QRect(470, 480, 290, 50)) << "the label keeps its size";
}

} // namespace
} // namespace dovra::test
