#include "support/GuiTestSupport.h"

#include <QDateEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

namespace dovra::test {
namespace {

using EventLoopTest = ProgramTest;

TEST_F(EventLoopTest, QuitButtonEndsTheProgramWithExitCodeZero) {
    whenIdle([this] { click(Control::QuitButton); });
    EXPECT_EQ(app->run(), 0);
    EXPECT_EQ(app->toolkit().window(WindowNumber::Main), nullptr) << "the window is released";
}

TEST_F(EventLoopTest, TheCloseBoxEndsTheProgramLikeQuitButton) {
    QWidget* main = app->toolkit().window(WindowNumber::Main);
    whenIdle([main] { main->close(); });
    EXPECT_EQ(app->run(), 0);
}

TEST_F(EventLoopTest, TheWindowDoesNotCloseByItself) {
    QWidget* main = app->toolkit().window(WindowNumber::Main);
    main->close();
    EXPECT_TRUE(main->isVisible()) << "closing is the program's business";
    EXPECT_FALSE(pump()) << "the close event ends the loop";
    EXPECT_EQ(text(Control::StatusText).substr(0, 19), "Programm gestartet.");
    app->shutdown();
}

TEST_F(EventLoopTest, MenuItemBeendenEndsTheProgram) {
    auto* main = qobject_cast<QMainWindow*>(app->toolkit().window(WindowNumber::Main));
    QAction* quit = main->menuBar()->actions()[0]->menu()->actions()[3];
    whenIdle([quit] { quit->trigger(); });
    EXPECT_EQ(app->run(), 0);
}

TEST_F(EventLoopTest, EventsOfControlsWithoutAHandlerChangeNothing) {
    addRecords({"1;1;1;Pils;Belgien;01.02.2003;;", "2;1;2;Export;Belgien;01.02.2003;;"});
    const std::string status = text(Control::StatusText);
    const auto rowsBefore = shownNames();

    type(Control::CapNumberField, QStringLiteral("5"));
    type(Control::ImagePathField, QStringLiteral("bild.png"));
    type(Control::DamageEditor, QStringLiteral("Delle"));
    type(Control::TotalNumberField, QStringLiteral("9"));
    widget(Control::FoundDatePicker)->setFocus();
    QTest::keyClick(widget(Control::FoundDatePicker), Qt::Key_Up);
    ASSERT_FALSE(app->toolkit().events().empty()) << "these controls do raise events";
    EXPECT_TRUE(pump());
    click(Control::StatisticsLine1);
    click(Control::TotalLabel);
    click(Control::ProgressBar);
    click(Control::PictureView);
    EXPECT_TRUE(pump());

    EXPECT_EQ(text(Control::StatusText), status);
    EXPECT_EQ(shownNames(), rowsBefore);
    EXPECT_EQ(app->program().collection.count(), 2);
    EXPECT_FALSE(app->program().modified);
    EXPECT_EQ(text(Control::CapNumberField), "5") << "the input itself arrived";
}

} // namespace
} // namespace dovra::test
