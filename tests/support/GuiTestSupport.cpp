#include "GuiTestSupport.h"

#include "collection/NumberText.h"
#include "collection/Windows1252.h"
#include "ui/ListView.h"
#include "ui/toolkit/Text.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace dovra::test {

void ProgramTest::SetUp() {
    app = std::make_unique<App>(dialogs);
    ASSERT_TRUE(app->started());
    QApplication::setActiveWindow(app->toolkit().window(WindowNumber::Main));
}

void ProgramTest::TearDown() {
    app.reset();
    EXPECT_TRUE(dialogs.allAnswersUsed()) << "a scripted answer was never asked for";
}

QString ProgramTest::shownText(Control control) {
    QWidget* w = widget(control);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* field = qobject_cast<QLineEdit*>(w)) {
        return field->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        return box->currentText();
    }
    return QString();
}

void ProgramTest::chooseMenu(MenuItem item) {
    auto* main = qobject_cast<QMainWindow*>(app->toolkit().window(WindowNumber::Main));
    for (QAction* action : main->menuBar()->actions().front()->menu()->actions()) {
        if (!action->isSeparator() && action->data().toInt() == number(item)) {
            action->trigger();
            return;
        }
    }
    ADD_FAILURE() << "no menu item " << number(item);
}

void ProgramTest::click(Control control) {
    // A person's click takes longer than the loop's turn for the focus change it causes, so the
    // button is released only after that turn.
    QWidget* w = widget(control);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    pump();
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

void ProgramTest::type(Control control, const QString& keys) {
    QWidget* w = widget(control);
    if (!w->hasFocus()) {
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, w->height() / 2));
    }
    QTest::keyClicks(w, keys);
}

void ProgramTest::addRecords(const std::vector<std::string>& records) {
    for (const std::string& line : records) {
        const std::string bytes = windows1252FromUtf8(line);
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= bytes.size(); ++i) {
            if (i == bytes.size() || bytes[i] == ';') {
                fields.push_back(bytes.substr(start, i - start));
                start = i + 1;
            }
        }
        fields.resize(8);
        CapCollection& collection = app->program().collection;
        collection.selectAt(collection.count() - 1);
        CapRecord& record = collection.insertAfterCurrent();
        record.setNumber = numberFromText(fields[0]);
        record.capNumber = numberFromText(fields[1]);
        record.totalNumber = numberFromText(fields[2]);
        record.name = fields[3];
        record.country = fields[4];
        record.foundDate = fields[5];
        record.damage = fields[6];
        record.imagePath = fields[7];
    }
    refreshList(app->program());
}

void ProgramTest::openFile(const QString& path) {
    dialogs.answerFile(path);
    chooseMenu(MenuItem::Open);
    EXPECT_TRUE(pump());
}

void ProgramTest::saveFile(const QString& path) {
    dialogs.answerFile(path);
    chooseMenu(MenuItem::Save);
    EXPECT_TRUE(pump());
}

QPoint ProgramTest::rowCentre(int row) {
    auto* list = widget<QTableView>(Control::RecordList);
    return list->visualRect(list->model()->index(row, 3)).center();
}

void ProgramTest::clickRow(int row) {
    auto* list = widget<QTableView>(Control::RecordList);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre(row));
    EXPECT_TRUE(pump());
}

void ProgramTest::clickColumnTitle(int column) {
    QHeaderView* header = widget<QTableView>(Control::RecordList)->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

std::vector<std::string> ProgramTest::shownNames() {
    std::vector<std::string> names;
    toolkit::Toolkit& tk = app->toolkit();
    for (int row = 0; row < tk.entryCount(Control::RecordList); ++row) {
        names.push_back(
            toolkit::toQString(tk.entryText(Control::RecordList, row, 3)).toStdString());
    }
    return names;
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<missing>";
    }
    return file.readAll().toStdString();
}

std::string cp(const char* utf8) {
    return windows1252FromUtf8(utf8);
}

void typeChars(QWidget* widget, const QString& characters) {
    for (const QChar c : characters) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

void whenIdle(std::function<void()> fn) {
    QTimer::singleShot(0, std::move(fn));
}

} // namespace dovra::test

namespace dovra::test {

void script(std::vector<std::function<void()>> steps) {
    if (steps.empty()) {
        return;
    }
    auto first = std::move(steps.front());
    steps.erase(steps.begin());
    whenIdle([first = std::move(first), rest = std::move(steps)]() mutable {
        first();
        // Later than any zero timer the step itself started, so its effects come first.
        QTimer::singleShot(1, [rest = std::move(rest)]() mutable { script(std::move(rest)); });
    });
}

} // namespace dovra::test
