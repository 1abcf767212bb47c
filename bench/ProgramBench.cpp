// The whole program at scale: every operation a collector does, through the real main window
// (offscreen) with scripted dialogs, timed for collections of the given sizes. Prints one table
// with the median of several runs, and for the file operations the ratio to what this machine
// needs just to read the same file and count its lines.
//
//   dovra_bench [--records 100000,1000000] [--runs 5]

#include "CollectionGenerator.h"
#include "PhotoLike.h"
#include "app/App.h"
#include "app/HugePages.h"
#include "collection/CollectionFile.h"
#include "ui/toolkit/Text.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QImageWriter>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace dovra;
using Clock = QElapsedTimer;

// Answers every file dialog with the path set last and every question with "Ja".
class BenchDialogs : public toolkit::Dialogs {
public:
    QString path;
    QString chooseFile(const toolkit::FileDialogRequest&) override { return path; }
    bool askYesNo(const QString&, const QString&) override { return true; }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double milliseconds(const Clock& clock) {
    return clock.nsecsElapsed() / 1e6;
}

// What the machine needs at least to take in a file: read it in large blocks and find its lines.
double memchrLineCount(const std::string& path) {
    Clock clock;
    clock.start();
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<char> block(1 << 20);
    std::size_t lines = 0;
    for (ssize_t got; (got = ::read(descriptor, block.data(), block.size())) > 0;) {
        const char* at = block.data();
        const char* end = at + got;
        while ((at = static_cast<const char*>(std::memchr(at, '\n', end - at)))) {
            ++lines;
            ++at;
        }
    }
    ::close(descriptor);
    const double elapsed = milliseconds(clock);
    if (lines == 0) {
        std::fprintf(stderr, "no lines in %s\n", path.c_str());
    }
    return elapsed;
}

// One program with a collection loaded, driven the way a person drives it.
class Session {
public:
    explicit Session(const QString& file) : app_(dialogs_) {
        dialogs_.path = file;
        choose(MenuItem::Open);
        app_.handlePending();
    }

    App& app() { return app_; }
    BenchDialogs& dialogs() { return dialogs_; }
    QWidget* widget(Control control) { return app_.toolkit().widget(control); }

    void choose(MenuItem item) {
        auto* main = qobject_cast<QMainWindow*>(app_.toolkit().window(WindowNumber::Main));
        for (QAction* action : main->menuBar()->actions().front()->menu()->actions()) {
            if (!action->isSeparator() && action->data().toInt() == number(item)) {
                action->trigger();
            }
        }
    }
    // Until what the user did is handled and the window shows it.
    void settle() {
        app_.handlePending();
        app_.toolkit().window(WindowNumber::Main)->repaint();
    }
    void focus(Control control) {
        widget(control)->setFocus(Qt::MouseFocusReason);
        settle();
    }
    void key(Control control, Qt::Key key) { QTest::keyClick(widget(control), key); }
    void clickTitle(int column) {
        QHeaderView* header = list()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    void pressRow(int row) {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list()->visualRect(list()->model()->index(row, 3)).center());
    }
    void press(Control control) {
        QTest::mousePress(widget(control), Qt::LeftButton, Qt::NoModifier,
                          widget(control)->rect().center());
        settle();
    }
    void release(Control control) {
        QTest::mouseRelease(widget(control), Qt::LeftButton, Qt::NoModifier,
                            widget(control)->rect().center());
    }
    int rows() { return app_.toolkit().entryCount(Control::RecordList); }

private:
    QTableView* list() { return static_cast<QTableView*>(widget(Control::RecordList)); }

    BenchDialogs dialogs_;
    App app_;
};

double timed(const std::function<void()>& act) {
    Clock clock;
    clock.start();
    act();
    return milliseconds(clock);
}

struct Row {
    std::string operation;
    int records;
    double ms;
    double ratio; // to the memchr line count; 0: none
    std::string target;
};

std::vector<Row> table;

void report(const std::string& operation, int records, const std::vector<double>& runs,
            const std::string& target, double baseline = 0) {
    const double value = median(runs);
    table.push_back({operation, records, value, baseline > 0 ? value / baseline : 0, target});
    std::fprintf(stderr, "  %-40s %9d %10.1f\n", operation.c_str(), records, value);
}

// Runs this program again as a child in the given mode; returns what it printed.
std::string runChild(const std::vector<std::string>& arguments, double* elapsed) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    Clock clock;
    clock.start();
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t got; spawned == 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(got));
        if (elapsed && output.find('\n') != std::string::npos) {
            *elapsed = milliseconds(clock);
            elapsed = nullptr;
        }
    }
    ::close(pipeEnds[0]);
    if (spawned == 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    return output;
}

// Child: start the program and say when its main window is on the screen.
int childStartup(int argc, char** argv) {
    QApplication application(argc, argv);
    BenchDialogs dialogs;
    App app(dialogs);
    QWidget* main = app.toolkit().window(WindowNumber::Main);
    QApplication::processEvents();
    main->repaint();
    std::printf("shown %d\n", main->isVisible());
    std::fflush(stdout);
    return 0;
}

// The peak resident memory of this process image in kilobytes. Not getrusage's figure: that one
// also remembers the peak of the image the process came from before exec.
long peakResidentKilobytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long peak = 0;
    while (status && std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            peak = std::atol(line + 6);
        }
    }
    if (status) {
        std::fclose(status);
    }
    return peak;
}

// Child: open the file into the empty program; tell how long that took and the peak resident
// memory afterwards.
int childOpenMemory(int argc, char** argv, const char* file) {
    QApplication application(argc, argv);
    BenchDialogs dialogs;
    App app(dialogs);
    dialogs.path = QString::fromLocal8Bit(file);
    auto* main = qobject_cast<QMainWindow*>(app.toolkit().window(WindowNumber::Main));
    QAction* openItem = main->menuBar()->actions().front()->menu()->actions().front();
    main->repaint(); // the window is on the screen before the user opens anything
    const double elapsed = timed([&] {
        openItem->trigger();
        app.handlePending();
        main->repaint();
    });
    // Peak kilobytes, rows shown, milliseconds.
    std::printf("%ld %d %.1f\n", peakResidentKilobytes(),
                app.toolkit().entryCount(Control::RecordList), elapsed);
    std::fflush(stdout);
    return 0;
}

// A generated collection of that many records as a file; its first two records show the photos,
// the way a collector's pictures would.
void writeGeneratedFile(const std::string& file, int records, const QString& png,
                        const QString& bmp) {
    CapCollection collection;
    bench::generateCollection(collection, records, 1);
    collection.selectAt(0)->imagePath = toolkit::fromQString(png);
    collection.selectAt(1)->imagePath = toolkit::fromQString(bmp);
    std::FILE* out = std::fopen(file.c_str(), "wb");
    writeCollection(collection, [&](std::string_view block) {
        return std::fwrite(block.data(), 1, block.size(), out) == block.size();
    });
    std::fclose(out);
}

void benchmarkSize(int records, int runs, const QString& folder, const QString& png,
                   const QString& bmp) {
    std::fprintf(stderr, "%d records\n", records);
    const std::string file =
        QString(folder + QStringLiteral("/sammlung-%1.csv").arg(records)).toStdString();
    writeGeneratedFile(file, records, png, bmp);
    std::vector<double> baseline;
    for (int i = 0; i < runs; ++i) {
        baseline.push_back(memchrLineCount(file));
    }
    const double lineCount = median(baseline);
    report("read the file, count lines (memchr)", records, baseline, "the machine's limit");

    std::vector<double> startup;
    for (int i = 0; i < runs; ++i) {
        double elapsed = 0;
        runChild({"dovra_bench", "--child-startup"}, &elapsed);
        startup.push_back(elapsed);
    }
    report("start-up until the window is shown", records, startup, "< 300 ms");

    // A collector opens a file once after starting the program: each run is a fresh process,
    // so no run finds memory an earlier one has already had the system hand out.
    std::vector<double> open, peak;
    for (int i = 0; i < runs; ++i) {
        const std::string result = runChild({"dovra_bench", "--child-open", file}, nullptr);
        long kilobytes = 0;
        int rows = 0;
        double milliseconds = 0;
        if (std::sscanf(result.c_str(), "%ld %d %lf", &kilobytes, &rows, &milliseconds) != 3 ||
            rows != records) {
            std::fprintf(stderr, "the open failed: %s\n", result.c_str());
        }
        open.push_back(milliseconds);
        peak.push_back(kilobytes / 1024.0);
    }
    report("open the file into the empty program", records, open, "< 1500 ms, < 25 x memchr",
           lineCount);
    const double fileMegabytes = QFileInfo(QString::fromStdString(file)).size() / 1048576.0;
    report("peak resident memory after open (MB)", records, peak,
           "< " + std::to_string(static_cast<int>(3 * fileMegabytes + 60)) + " MB (3 x " +
               std::to_string(static_cast<int>(fileMegabytes)) + " MB file + 60)");

    Session session(QString::fromStdString(file));
    std::vector<double> name, set, country;
    session.app().toolkit().setText(Control::NameField, "Klost");
    for (int i = 0; i < runs; ++i) {
        session.focus(Control::NameField);
        name.push_back(timed([&] {
            session.key(Control::NameField, Qt::Key_E); // "Kloste": about one name in a hundred
            session.settle();
        }));
        session.key(Control::NameField, Qt::Key_Backspace);
        session.settle();
    }
    session.app().toolkit().setText(Control::NameField, "");
    session.focus(Control::SetNumberField);
    for (int i = 0; i < runs; ++i) {
        set.push_back(timed([&] {
            session.key(Control::SetNumberField, Qt::Key_7);
            session.settle();
        }));
        session.key(Control::SetNumberField, Qt::Key_Backspace);
        session.settle();
    }
    session.focus(Control::CountryBox);
    for (int i = 0; i < runs; ++i) {
        country.push_back(timed([&] {
            session.key(Control::CountryBox, Qt::Key_Down); // the next country of the list
            session.settle();
        }));
        session.key(Control::CountryBox, Qt::Key_Up);
        session.settle();
    }
    // The list with no filter at all: the focus moving into the empty NameField refreshes it.
    std::vector<double> everything;
    session.app().toolkit().setText(Control::NameField, "");
    for (int i = 0; i < runs; ++i) {
        session.focus(Control::SetNumberField);
        everything.push_back(timed([&] { session.focus(Control::NameField); }));
    }
    report("keystroke in NameField (1% match)", records, name, "< 50 ms");
    report("keystroke in SetNumberField", records, set, "< 50 ms");
    report("choosing a country in CountryBox", records, country, "< 50 ms");
    report("list refresh with no filter (focus into NameField)", records, everything, "< 100 ms");

    // Every record in collection order, as the last refresh left them.
    const int shown = session.rows();
    if (shown != records) {
        std::fprintf(stderr, "expected %d rows, the list shows %d\n", records, shown);
    }
    const std::pair<const char*, int> titles[] = {{"SNR", 0}, {"Name", 3}, {"Funddatum", 5}};
    for (const auto& [title, column] : titles) {
        std::vector<double> sort;
        for (int i = 0; i < runs; ++i) {
            sort.push_back(timed([&, column = column] {
                session.clickTitle(column);
                session.settle();
            }));
        }
        report(std::string("header click on \"") + title + "\"", records, sort, "< 1500 ms");
    }

    std::vector<double> add, remove;
    for (int i = 0; i < runs; ++i) {
        session.press(Control::AddButton);
        add.push_back(timed([&] {
            session.release(Control::AddButton);
            session.settle();
        }));
    }
    for (int i = 0; i < runs; ++i) {
        session.pressRow(5);
        session.settle();
        session.press(Control::DeleteButton);
        remove.push_back(timed([&] {
            session.release(Control::DeleteButton);
            session.settle();
        }));
    }
    report("add one record", records, add, "< 150 ms");
    report("delete one record (renumbering)", records, remove, "< 150 ms");

    std::vector<double> save;
    const QString saved = folder + QStringLiteral("/gespeichert-%1.csv").arg(records);
    session.dialogs().path = saved;
    for (int i = 0; i < runs; ++i) {
        save.push_back(timed([&] {
            session.choose(MenuItem::Save);
            session.settle();
        }));
    }
    std::vector<double> savedBaseline;
    for (int i = 0; i < runs; ++i) {
        savedBaseline.push_back(memchrLineCount(saved.toStdString()));
    }
    report("save the collection", records, save, "< 1000 ms", median(savedBaseline));

    // The photos are the first two records; the list is in collection order again after the
    // refresh of the last delete. A preview by arrow key is one load; a click on a row not
    // selected before raises two events, the selection and the click, and so loads twice.
    std::vector<double> pngByKey, bmpByKey, pngByClick;
    session.pressRow(1);
    session.settle();
    for (int i = 0; i < runs; ++i) {
        pngByKey.push_back(timed([&] {
            session.key(Control::RecordList, Qt::Key_Up);
            session.settle();
        }));
        bmpByKey.push_back(timed([&] {
            session.key(Control::RecordList, Qt::Key_Down);
            session.settle();
        }));
    }
    for (int i = 0; i < runs; ++i) {
        session.pressRow(1);
        session.settle();
        pngByClick.push_back(timed([&] {
            session.pressRow(0);
            session.settle();
        }));
    }
    report("preview a 4000 x 3000 PNG (arrow key)", records, pngByKey, "< 250 ms");
    report("preview a 4000 x 3000 BMP (arrow key)", records, bmpByKey, "< 250 ms");
    report("preview a 4000 x 3000 PNG (click: loads twice)", records, pngByClick, "two previews");
}

std::vector<int> parseSizes(const char* text) {
    std::vector<int> sizes;
    for (const QString& part : QString::fromLocal8Bit(text).split(QLatin1Char(','))) {
        sizes.push_back(part.toInt());
    }
    return sizes;
}

} // namespace

int main(int argc, char** argv) {
    // The same memory setting the program itself runs with.
    restartWithHugePageMalloc(argv);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc >= 2 && std::strcmp(argv[1], "--child-startup") == 0) {
        return childStartup(argc, argv);
    }
    if (argc >= 3 && std::strcmp(argv[1], "--child-open") == 0) {
        return childOpenMemory(argc, argv, argv[2]);
    }
    if (argc >= 4 && std::strcmp(argv[1], "--write") == 0) { // a file to look at by hand
        writeGeneratedFile(argv[3], std::atoi(argv[2]), QStringLiteral("photo.png"),
                           QStringLiteral("photo.bmp"));
        return 0;
    }
    std::vector<int> sizes{100000, 1000000};
    int runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--records") == 0) {
            sizes = parseSizes(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--runs") == 0) {
            runs = std::max(1, std::atoi(argv[i + 1]));
        }
    }

    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("photo.png"));
    const QString bmp = folder.filePath(QStringLiteral("photo.bmp"));
    const QImage photo = bench::photoLike(4000, 3000);
    QImageWriter(png, "png").write(photo);
    QImageWriter(bmp, "bmp").write(photo);

    for (const int records : sizes) {
        benchmarkSize(records, runs, folder.path(), png, bmp);
    }

    std::printf("| operation | N | median of %d runs | ratio to memchr | target |\n", runs);
    std::printf("|---|---:|---:|---:|---|\n");
    for (const Row& row : table) {
        const std::string ratio = row.ratio > 0 ? std::to_string(row.ratio).substr(0, 4) : "";
        std::printf("| %s | %d | %.1f%s | %s | %s |\n", row.operation.c_str(), row.records, row.ms,
                    row.operation.find("(MB)") == std::string::npos ? " ms" : "", ratio.c_str(),
                    row.target.c_str());
    }
    return 0;
}
