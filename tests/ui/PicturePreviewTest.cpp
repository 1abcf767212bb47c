#include "support/GuiTestSupport.h"
#include "ui/toolkit/Widgets.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace dovra::test {
namespace {

class PicturePreviewTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        red = picture("red.png", Qt::red, QSize(400, 100));
        blue = picture("blue.bmp", Qt::blue, QSize(205, 205));
        green = picture("green.png", Qt::green, QSize(50, 60));
        bmpNamedPng = folder.filePath("bmp.png");
        QImage(10, 10, QImage::Format_RGB32).save(bmpNamedPng, "BMP");
        textNamedPng = folder.filePath("text.png");
        writeFile(textNamedPng, "no picture at all");
    }
    QString picture(const char* name, QColor colour, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder.filePath(QString::fromUtf8(name));
        image.save(path);
        return path;
    }
    toolkit::PictureView* view() {
        return dynamic_cast<toolkit::PictureView*>(widget(Control::PictureView));
    }
    // The colour in the middle of the picture shown; black when none is shown.
    QColor shownColour() {
        const QImage& shown = view()->shown();
        return shown.isNull() ? QColor(Qt::black)
                              : shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }
    std::string path(const QString& p) { return p.toStdString(); }

    QTemporaryDir folder;
    QString red, blue, green, bmpNamedPng, textNamedPng;
};

TEST_F(PicturePreviewTest, AtStartTheDefaultPictureShowsWhole) {
    EXPECT_EQ(view()->size(), QSize(209, 214));
    EXPECT_EQ(view()->shown().size(), QSize(205, 210));
    EXPECT_EQ(view()->pos(), QPoint(5, 345));
}

TEST_F(PicturePreviewTest, BrowseShowsTheChosenPictureAndCancelOnlyEmptiesThePath) {
    dialogs.answerFile(red);
    click(Control::BrowseButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(text(Control::ImagePathField), path(red));
    EXPECT_EQ(view()->size(), QSize(209, 209)) << "every loaded picture is 205 x 205";
    EXPECT_EQ(view()->pos(), QPoint(5, 345)) << "the top-left corner stays";
    EXPECT_EQ(shownColour(), QColor(Qt::red));
    const std::string status = text(Control::StatusText);

    dialogs.cancelFile();
    click(Control::BrowseButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(text(Control::ImagePathField), "");
    EXPECT_EQ(shownColour(), QColor(Qt::red)) << "the picture stays";
    EXPECT_EQ(text(Control::StatusText), status) << "browsing writes no status";

    const auto& request = dialogs.fileRequests().front();
    EXPECT_EQ(request.title, QStringLiteral("Bild laden"));
    EXPECT_EQ(request.filter, QStringLiteral("Pünngs (*.png)|*.png"));
    EXPECT_EQ(request.fileName, QStringLiteral("autoexec.bat"));
    EXPECT_EQ(request.folder, QDir::homePath());
}

TEST_F(PicturePreviewTest, ContentDecidesNotTheName) {
    dialogs.answerFile(bmpNamedPng);
    click(Control::BrowseButton);
    EXPECT_TRUE(pump());
    EXPECT_FALSE(view()->shown().isNull()) << "a BMP named .png shows";
    dialogs.answerFile(textNamedPng);
    click(Control::BrowseButton);
    EXPECT_TRUE(pump());
    EXPECT_TRUE(view()->shown().isNull()) << "a text named .png does not";
    EXPECT_EQ(view()->size(), QSize(209, 209)) << "the view keeps its size";
    EXPECT_EQ(text(Control::ImagePathField), path(textNamedPng)) << "the path stays";
    dialogs.answerFile(green);
    click(Control::BrowseButton);
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownColour(), QColor(Qt::green)) << "after a failed load, a good one shows";
}

TEST_F(PicturePreviewTest, SelectingRowsPreviewsEachRecordsPicture) {
    addRecords({"1;1;1;A;;;;" + path(red), "1;2;2;B;;;;" + path(blue), "1;3;3;C;;;;",
                "1;4;4;D;;;;" + path(green)});
    clickRow(1);
    EXPECT_EQ(shownColour(), QColor(Qt::blue));
    EXPECT_EQ(text(Control::StatusText), "Bild geladen.\r\nBereit.");
    EXPECT_EQ(text(Control::ImagePathField), "") << "the preview leaves the form alone";
    clickRow(0);
    EXPECT_EQ(shownColour(), QColor(Qt::red));

    QTest::keyClick(widget(Control::RecordList), Qt::Key_Down);
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownColour(), QColor(Qt::blue)) << "arrow keys preview each newly selected row";
    QTest::keyClick(widget(Control::RecordList), Qt::Key_Down);
    EXPECT_TRUE(pump());
    EXPECT_TRUE(view()->shown().isNull()) << "an empty path shows nothing";
    EXPECT_EQ(view()->size(), QSize(209, 209));
    EXPECT_EQ(text(Control::StatusText), "Bild geladen.\r\nBereit.");
    QTest::keyClick(widget(Control::RecordList), Qt::Key_End);
    EXPECT_TRUE(pump());
    EXPECT_EQ(shownColour(), QColor(Qt::green));
}

TEST_F(PicturePreviewTest, AClickOnEmptySpaceChangesNothing) {
    addRecords({"1;1;1;A;;;;" + path(red)});
    app->toolkit().setText(Control::StatusText, "vorher");
    auto* list = widget(Control::RecordList);
    QWidget* viewport = list->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
    EXPECT_TRUE(pump());
    EXPECT_EQ(text(Control::StatusText), "vorher");
    EXPECT_EQ(view()->size(), QSize(209, 214)) << "still the default picture";
}

TEST_F(PicturePreviewTest, UnderAFilterOrAfterSortingTheRowsRecordShows) {
    addRecords({"1;1;1;Pils;;;;" + path(red), "2;1;2;Alt;;;;", "3;1;3;Pilsener;;;;" + path(blue),
                "4;1;4;Export;;;;", "5;1;5;Pilsator;;;;" + path(green)});
    widget(Control::NameField)->setFocus();
    QTest::keyClicks(widget(Control::NameField), QStringLiteral("Pils"));
    EXPECT_TRUE(pump());
    clickRow(1); // takes the focus from NameField
    clickRow(1);
    EXPECT_EQ(shownColour(), QColor(Qt::blue));
    clickColumnTitle(0); // Pilsator, Pilsener, Pils
    clickRow(0);
    EXPECT_EQ(shownColour(), QColor(Qt::green));
}

TEST_F(PicturePreviewTest, NoticeModeLeavesThePictureAsItIs) {
    dialogs.answerFile(red);
    click(Control::BrowseButton);
    EXPECT_TRUE(pump());
    const QImage before = view()->grab().toImage();
    click(Control::EditButton); // no row selected: a notice
    EXPECT_TRUE(pump());
    ASSERT_FALSE(view()->isEnabled());
    EXPECT_EQ(view()->grab().toImage(), before);
}

} // namespace
} // namespace dovra::test
