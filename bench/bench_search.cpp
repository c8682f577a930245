// A full "Artista" search on a large catalogue, as the user runs
// it: method picked, text typed, the search button clicked, the list filled
// and painted. Side by side, SQLite evaluates the same criteria strings (as
// the window hands them to its data source) as LIKE queries over the same
// rows in an in-memory table without index.

#include "app/WindowSet.h"
#include "authoring/CatalogueGenerator.h"
#include "data/Catalogue.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "platform/Platform.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtoneSearch.h"
#include "ringtones/frmRing.h"
#include "ui/ButtonImages.h"
#include "ui/WindowStack.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

constexpr qint64 Ringtones = 100000;
// Typed texts: a common prefix (many rows, no contains pass), one with an I
// (a name variant), and one that begins no name (the contains pass runs).
const char *const TypedTexts[] = {"ma", "rossi", "lina"};

struct Bench
{
    QTemporaryDir disc;
    std::unique_ptr<ui::WindowStack> stack;
    std::unique_ptr<ui::ButtonImages> images;
    std::unique_ptr<app::WindowSet> windows;
    QStringList criteria;
    sqlite3 *db = nullptr;

    Bench()
    {
        // BRIVELLO_BENCH_DISC names a disc folder with a catalogue of any
        // size (brivello-gencatalogue); else one of 100,000 is generated.
        QString folder = qEnvironmentVariable("BRIVELLO_BENCH_DISC");
        if (folder.isEmpty()) {
            folder = disc.path();
            QDir(folder).mkpath(u"datafiles"_s);
            QString error;
            if (!authoring::writeGeneratedCatalogue(disc.filePath(u"datafiles/ringtones.dat"_s),
                                                    {Ringtones, 11}, &error))
                qFatal("cannot write the catalogue: %s", qPrintable(error));
        }
        const QString path = folder + u"/datafiles/ringtones.dat"_s;
        data::setProgramFolder(folder);
        stack = std::make_unique<ui::WindowStack>();
        images = std::make_unique<ui::ButtonImages>();
        windows = std::make_unique<app::WindowSet>(platform::makeQtPlatform(), *stack, *images);
        stack->showModal(windows->ring());
        // Every findFirst and findNext reports its criteria; one pass is a run
        // of the same string.
        windows->ring().datMain().setFindObserver([this](const QString &c) {
            if (criteria.isEmpty() || criteria.constLast() != c)
                criteria << c;
        });
        loadSqlite(path);
    }

    ~Bench() { sqlite3_close(db); }

    void loadSqlite(const QString &path)
    {
        const auto table = data::Catalogue::open(path)->table(
            u"Main"_s, {u"song"_s, u"artiest"_s, u"Genre"_s, u"bestand"_s});
        sqlite3_open(":memory:", &db);
        sqlite3_exec(db, "CREATE TABLE Main(song TEXT, artiest TEXT, Genre TEXT, bestand TEXT)", nullptr,
                     nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Main VALUES(?,?,?,?)", -1, &insert, nullptr);
        const int columns[] = {table->column(u"song"), table->column(u"artiest"), table->column(u"Genre"),
                               table->column(u"bestand")};
        for (size_t row = 0; row < table->rowCount(); ++row) {
            for (int i = 0; i < 4; ++i) {
                const QByteArray text = table->value(row, columns[i]).toUtf8();
                sqlite3_bind_text(insert, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }

    int search(const char *typed)
    {
        ringtones::frmRing &ring = windows->ring();
        ring.dbcSearch().setCurrentText(u"Artista"_s);
        ring.txtSearch().setText(QString::fromLatin1(typed));
        ring.search().pctZoek_Click();
        ring.lstMain().viewport()->repaint();
        return ring.listModel().rowCount();
    }
};

Bench &bench()
{
    static Bench instance;
    return instance;
}

// "artiest like 'ROS*'" -> "artiest LIKE 'ROS%'"; the generated texts hold no
// SQL wildcards, and SQLite's LIKE ignores ASCII letter case as ours does.
QByteArray toSql(const QString &criteria)
{
    QString where = criteria;
    where.replace(u" like "_s, u" LIKE "_s, Qt::CaseInsensitive);
    where.replace(QLatin1Char('*'), QLatin1Char('%'));
    where.replace(QLatin1Char('?'), QLatin1Char('_'));
    return "SELECT song, artiest, Genre, bestand FROM Main WHERE " + where.toUtf8();
}

void BM_ArtistSearchInWindow(benchmark::State &state)
{
    const char *typed = TypedTexts[state.range(0)];
    Bench &b = bench();
    b.search(typed); // the first search reads Main
    int rows = 0;
    for (auto _ : state)
        rows = b.search(typed);
    state.counters["rows"] = rows;
    state.SetLabel(typed);
}

void BM_ArtistSearchSqlite(benchmark::State &state)
{
    const char *typed = TypedTexts[state.range(0)];
    Bench &b = bench();
    b.criteria.clear();
    b.search(typed);
    const QStringList passes = b.criteria;
    std::vector<sqlite3_stmt *> statements;
    for (const QString &criteria : passes) {
        sqlite3_stmt *statement = nullptr;
        const QByteArray sql = toSql(criteria);
        if (sqlite3_prepare_v2(b.db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
            state.SkipWithError("SQLite refused a criteria string");
            return;
        }
        statements.push_back(statement);
    }
    qint64 rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (sqlite3_stmt *statement : statements) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, 0));
                ++rows;
            }
            sqlite3_reset(statement);
        }
    }
    for (sqlite3_stmt *statement : statements)
        sqlite3_finalize(statement);
    state.counters["rows"] = double(rows);
    state.counters["passes"] = double(passes.size());
    state.SetLabel(typed);
}

} // namespace

BENCHMARK(BM_ArtistSearchInWindow)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ArtistSearchSqlite)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

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
