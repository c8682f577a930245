// The ringtone table at scale, side by side with the references in one run:
// - a reference reader: libmdb alone reading the four columns the list shows;
// - the first search of a run: the home window shown and "Artista" clicked at
//   once, until the list is painted (the catalogue is read in the background
//   meanwhile), with the memory the process holds afterwards;
// - the read of the four columns with libmdb value buffers of several sizes.
// The catalogue is the disc folder named by BRIVELLO_BENCH_DISC (a folder with
// datafiles/ringtones.dat, as brivello-gencatalogue writes it), else a
// generated one of 100,000 ringtones.

#include "app/WindowSet.h"
#include "authoring/CatalogueGenerator.h"
#include "data/Catalogue.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "data/MdbFile.h"
#include "platform/Platform.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtoneSearch.h"
#include "ringtones/frmRing.h"
#include "ui/ButtonImages.h"
#include "ui/WindowStack.h"

#include <benchmark/benchmark.h>
#include <mdbtools.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

const QString &discFolder()
{
    static QTemporaryDir generated;
    static const QString folder = [] {
        const QString given = qEnvironmentVariable("BRIVELLO_BENCH_DISC");
        if (!given.isEmpty())
            return given;
        QDir(generated.path()).mkpath(u"datafiles"_s);
        QString error;
        if (!authoring::writeGeneratedCatalogue(generated.filePath(u"datafiles/ringtones.dat"_s),
                                                {100000, 11}, &error))
            qFatal("cannot write the catalogue: %s", qPrintable(error));
        return generated.path();
    }();
    return folder;
}

QString cataloguePath()
{
    return discFolder() + u"/datafiles/ringtones.dat"_s;
}

double residentMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// libmdb alone: the four columns bound, every row fetched, nothing kept.
void BM_ReferenceReaderFourColumns(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(cataloguePath());
    qint64 rows = 0;
    for (auto _ : state) {
        MdbHandle *mdb = mdb_open(path.constData(), MDB_NOFLAGS);
        MdbTableDef *table = mdb_read_table_by_name(mdb, const_cast<char *>("Main"), MDB_TABLE);
        mdb_read_columns(table);
        mdb_rewind_table(table);
        char buffers[4][MDB_BIND_SIZE];
        int lengths[4] = {};
        const char *names[] = {"song", "artiest", "Genre", "bestand"};
        for (int i = 0; i < 4; ++i)
            mdb_bind_column_by_name(table, const_cast<char *>(names[i]), buffers[i], &lengths[i]);
        rows = 0;
        while (mdb_fetch_row(table)) {
            benchmark::DoNotOptimize(lengths[0] + lengths[1] + lengths[2] + lengths[3]);
            ++rows;
        }
        mdb_free_tabledef(table);
        mdb_close(mdb);
    }
    state.counters["rows"] = double(rows);
}

struct Home
{
    std::unique_ptr<ui::WindowStack> stack = std::make_unique<ui::WindowStack>();
    std::unique_ptr<app::WindowSet> windows;

    explicit Home(const ui::ButtonImages &images)
        : windows(std::make_unique<app::WindowSet>(platform::makeQtPlatform(), *stack, images))
    {}

    // Shows the home window and clicks "Artista" with `typed` at once; returns
    // when the list is painted.
    int firstSearch(const char *typed)
    {
        ringtones::frmRing &ring = windows->ring();
        stack->showModal(ring);
        ring.dbcSearch().setCurrentText(u"Artista"_s);
        ring.txtSearch().setText(QString::fromLatin1(typed));
        ring.search().pctZoek_Click();
        while (ring.search().isWaiting())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        ring.lstMain().viewport()->repaint();
        return ring.listModel().rowCount();
    }
};

void BM_FirstSearchInWindow(benchmark::State &state)
{
    data::setProgramFolder(discFolder());
    const ui::ButtonImages images;
    const double before = residentMegabytes();
    double after = 0;
    double tableMegabytes = 0;
    int rows = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        Home home(images);
        rows = home.firstSearch("ma");
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (after == 0) {
            after = residentMegabytes();
            tableMegabytes = double(home.windows->ring().datMain().table().bytes()) / (1024.0 * 1024.0);
        }
    }
    state.counters["rows"] = rows;
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_MB"] = after;
    state.counters["table_MB"] = tableMegabytes;
}

void BM_FourColumnsWithBindSize(benchmark::State &state)
{
    data::MdbFile::setInitialBindSize(size_t(state.range(0)));
    for (auto _ : state) {
        const auto catalogue = data::Catalogue::open(cataloguePath());
        const auto table = catalogue->table(u"Main"_s, {u"song"_s, u"artiest"_s, u"Genre"_s, u"bestand"_s});
        benchmark::DoNotOptimize(table->rowCount());
    }
    data::MdbFile::setInitialBindSize(0);
    state.SetLabel(u"%1 KiB"_s.arg(state.range(0) / 1024).toStdString());
}

// The details of a selected row: every column of one row read from the file.
void BM_RowDetailsWithBindSize(benchmark::State &state)
{
    data::MdbFile::setInitialBindSize(size_t(state.range(0)));
    const auto catalogue = data::Catalogue::open(cataloguePath());
    const auto table = catalogue->table(u"Main"_s, {u"song"_s});
    size_t row = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table->row(row));
        row = (row + 7919) % table->rowCount();
    }
    data::MdbFile::setInitialBindSize(0);
    state.SetLabel(u"%1 KiB"_s.arg(state.range(0) / 1024).toStdString());
}

} // namespace

BENCHMARK(BM_ReferenceReaderFourColumns)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_FirstSearchInWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_FourColumnsWithBindSize)
    ->Arg(4 * 1024)
    ->Arg(16 * 1024)
    ->Arg(256 * 1024)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(BM_RowDetailsWithBindSize)
    ->Arg(4 * 1024)
    ->Arg(16 * 1024)
    ->Arg(256 * 1024)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Iterations(200);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
