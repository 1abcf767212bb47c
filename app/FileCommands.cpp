#include "FileCommands.h"

#include "AtomicFile.h"
#include "collection/CollectionFile.h"
#include "collection/Statistics.h"
#include "ui/ListView.h"
#include "ui/Program.h"
#include "ui/StatisticsView.h"
#include "ui/StatusArea.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <vector>

namespace dovra {

namespace {

constexpr qint64 readBlockSize = 1 << 20;
// While a file loads, the counters are shown at most this often: often enough to watch them grow,
// rarely enough that showing them costs nothing next to reading.
constexpr qint64 statisticsInterval = 40; // ms

QString chooseCollectionFile(Program& program, toolkit::FileDialogRequest::Kind kind) {
    toolkit::FileDialogRequest request;
    request.kind = kind;
    if (kind == toolkit::FileDialogRequest::Kind::Open) {
        request.title = QStringLiteral("Öffnen");
        request.filter =
            QStringLiteral("Microsoft Excel-Datenbankdatei (*.csv)|*.csv; Alle Dateien (*.*)|*.*");
    } else {
        request.title = QStringLiteral("Speichern");
        request.filter = QStringLiteral("Microsoft Excel-Datenbankdatei (*.csv)|*.csv");
    }
    request.folder = QDir::homePath();
    return program.toolkit.dialogs().chooseFile(request);
}

void showLoadedStatistics(Program& program, const StatisticsFigures& figures) {
    showStatistics(program, figures);
    for (const Control label :
         {Control::StatisticsLine1, Control::StatisticsLine2, Control::StatisticsLine3,
          Control::StatisticsLine4, Control::StatisticsLine5, Control::TotalLabel,
          Control::CountryLabel, Control::SetLabel}) {
        program.toolkit.repaintNow(label);
    }
}

} // namespace

void openCollectionFile(Program& program) {
    toolkit::Toolkit& tk = program.toolkit;
    const QString path = chooseCollectionFile(program, toolkit::FileDialogRequest::Kind::Open);
    // Opened for reading and writing, as every collection file is: a missing one is created, and
    // one that may not be written fails here.
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadWrite)) {
        enterNoticeMode(program, "Die Datei konnte nicht korrekt geöffnet werden.");
        return;
    }
    StatisticsTally tally(computeStatistics(program.collection));
    CapCollection& collection = program.collection;
    collection.reset(); // the file's first record goes to the front
    const qint64 size = file.size();
    LineSplitter splitter;
    bool first = true;
    QElapsedTimer sinceShown;
    sinceShown.start();
    std::uint32_t lines = 0;
    const CapRecord* previous = nullptr; // neighbouring lines mostly share their country

    const auto onLine = [&](std::string_view line) {
        CapRecord& record = collection.insertAfterCurrent();
        readRecordLine(line, record);
        if (first) {
            tally.addAtFront(record);
            first = false;
        } else {
            tally.addAtEnd(record);
        }
        // Every further record goes behind the one that is last now.
        collection.selectAt(collection.count() - 1);
        tk.setState(Control::ProgressBar,
                    size > 0 ? static_cast<int>(splitter.consumed() * 100 / size) : 0);
        if (++lines % 1024 == 0 && sinceShown.elapsed() >= statisticsInterval) {
            showLoadedStatistics(program, tally.figures());
            sinceShown.restart();
        }
        if (!(previous && previous->country == record.country) &&
            program.countryEntries.insert(record.country).second) {
            tk.addEntry(Control::CountryBox, -1, record.country);
        }
        previous = &record;
    };

    std::vector<char> block(readBlockSize);
    for (;;) {
        const qint64 got = file.read(block.data(), readBlockSize);
        if (got <= 0) {
            break; // the end, or a read error, which counts as the end
        }
        splitter.feed(std::string_view(block.data(), static_cast<std::size_t>(got)), onLine);
    }
    splitter.finish(onLine);

    refreshList(program);
    showStatus(program, "Datei geöffnet.\r\nBereit.");
    tk.setState(Control::ProgressBar, 0);
}

bool saveCollectionFile(Program& program) {
    const QString path = chooseCollectionFile(program, toolkit::FileDialogRequest::Kind::Save);
    AtomicFile file(QFile::encodeName(path).toStdString());
    if (path.isEmpty() || !file.open()) {
        enterNoticeMode(program, "Die Datei konnte nicht korrekt gespeichert werden.");
        return false;
    }
    const bool written = writeCollection(program.collection,
                                         [&](std::string_view block) { return file.write(block); });
    if (!written || !file.commit()) {
        enterNoticeMode(program, "Die Datei konnte nicht korrekt gespeichert werden.");
        return false;
    }
    program.modified = false;
    showStatus(program, "Datei gespeichert.\r\nBereit.");
    return true;
}

void savePrompt(Program& program) {
    while (program.modified && program.toolkit.dialogs().askYesNo(QStringLiteral("Dovra"),
                                                                  QStringLiteral("Abspeichern?"))) {
        if (saveCollectionFile(program)) {
            break;
        }
    }
}

} // namespace dovra
