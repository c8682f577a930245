// Criteria matching over a generated ringtone table, side by side with SQLite
// evaluating the same conditions over the same rows (in-memory table, no index).
#include "data/DataSource.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QRandomGenerator>

#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

using brivello::data::DataSource;
using brivello::data::Table;

namespace {

constexpr int RowCount = 100000;

const char *const Words[] = {"Amore", "Notte", "Rosa", "Cuore",  "Sole",  "Mare", "Vita",
                             "Tempo", "Sogno", "Luna", "Rose",   "Dance", "Love", "Night",
                             "Fire",  "Heart", "Blue", "Summer", "Angel", "Rain"};
const char *const Artists[] = {
    "Rossi Vasco",   "Mina",      "Carolina Band", "Ramazzotti", "Pausini Laura",  "Ligabue", "Rosalina",
    "Paolina Rossi", "Zucchero",  "Battisti",      "D'Alessio",  "Nannini Gianna", "Madonna", "Queen",
    "Ros Sisters",   "Jovanotti", "Elisa",         "Carmelina",  "Tozzi",          "Nek"};
const char *const Genres[] = {"Pop",           "Rock", "Rock/Pop",  "Pop/Rock", "Dance",
                              "Rock/Pop/Jazz", "Jazz", "Dance/Pop", "Classica", "Pop/Dance",
                              "Latino",        "Rap",  "Soul/Pop",  "Blues"};

template <size_t N> QString pick(QRandomGenerator &random, const char *const (&items)[N])
{
    return QString::fromUtf8(items[random.bounded(static_cast<quint32>(N))]);
}

// Realistic rows: two- or three-word titles, artists, single and combined genres.
const std::shared_ptr<const Table> &ringtones()
{
    static const std::shared_ptr<const Table> table = [] {
        QRandomGenerator random(20260101);
        std::vector<QStringList> rows;
        rows.reserve(RowCount);
        for (int i = 0; i < RowCount; ++i) {
            QString title = pick(random, Words) + u' ' + pick(random, Words);
            if (random.bounded(3) == 0)
                title += u' ' + pick(random, Words);
            rows.push_back({title, pick(random, Artists), pick(random, Genres)});
        }
        return std::make_shared<const Table>(u"Main"_s, QStringList{u"song"_s, u"artiest"_s, u"Genre"_s},
                                             std::move(rows));
    }();
    return table;
}

struct SqliteDeleter
{
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};

// The same rows in an in-memory SQLite table without an index.
sqlite3 *sqliteRingtones()
{
    static const std::unique_ptr<sqlite3, SqliteDeleter> db = [] {
        sqlite3 *handle = nullptr;
        sqlite3_open(":memory:", &handle);
        sqlite3_exec(handle, "CREATE TABLE Main (song TEXT, artiest TEXT, Genre TEXT); BEGIN;", nullptr,
                     nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(handle, "INSERT INTO Main VALUES (?, ?, ?)", -1, &insert, nullptr);
        const auto table = ringtones();
        for (size_t row = 0; row < table->rowCount(); ++row) {
            for (int c = 0; c < 3; ++c) {
                const QByteArray text = table->value(row, c).toUtf8();
                sqlite3_bind_text(insert, c + 1, text.constData(), static_cast<int>(text.size()),
                                  SQLITE_TRANSIENT);
            }
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(handle, "COMMIT;", nullptr, nullptr, nullptr);
        return std::unique_ptr<sqlite3, SqliteDeleter>(handle);
    }();
    return db.get();
}

// Walks the table as the list fill does: find first, then find next until a
// find fails. Returns the number of rows found.
int findAll(DataSource &source, const QString &criteria)
{
    int found = 0;
    for (bool ok = source.findFirst(criteria); ok; ok = source.findNext(criteria))
        ++found;
    return found;
}

int sqliteCount(sqlite3_stmt *statement)
{
    sqlite3_step(statement);
    const int count = sqlite3_column_int(statement, 0);
    sqlite3_reset(statement);
    return count;
}

void setRate(benchmark::State &state, int found)
{
    state.counters["rows/s"] = benchmark::Counter(
        static_cast<double>(RowCount) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["found"] = found;
}

void criteriaScan(benchmark::State &state, const char *criteria)
{
    DataSource source(ringtones());
    const QString text = QString::fromUtf8(criteria);
    int found = 0;
    for (auto _ : state) {
        found = findAll(source, text);
        benchmark::DoNotOptimize(found);
    }
    setRate(state, found);
}

void sqliteScan(benchmark::State &state, const char *where)
{
    sqlite3_stmt *statement = nullptr;
    const std::string sql = std::string("SELECT COUNT(*) FROM Main WHERE ") + where;
    if (sqlite3_prepare_v2(sqliteRingtones(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        state.SkipWithError("SQLite rejected the query");
        return;
    }
    int found = 0;
    for (auto _ : state) {
        found = sqliteCount(statement);
        benchmark::DoNotOptimize(found);
    }
    sqlite3_finalize(statement);
    setRate(state, found);
}

} // namespace

BENCHMARK_CAPTURE(criteriaScan, prefix_ROS, "artiest like 'ROS*'");
BENCHMARK_CAPTURE(sqliteScan, prefix_ROS, "artiest LIKE 'ROS%'");
BENCHMARK_CAPTURE(criteriaScan, contains_LINA, "artiest like '*LINA*'");
BENCHMARK_CAPTURE(sqliteScan, contains_LINA, "artiest LIKE '%LINA%'");
BENCHMARK_CAPTURE(criteriaScan, genre_suffix_POP, "Genre like '*/POP'");
BENCHMARK_CAPTURE(sqliteScan, genre_suffix_POP, "Genre LIKE '%/POP'");
BENCHMARK_CAPTURE(criteriaScan, genre_equals_POP, "Genre = 'POP'");
BENCHMARK_CAPTURE(sqliteScan, genre_equals_POP, "Genre = 'POP' COLLATE NOCASE");
BENCHMARK_CAPTURE(criteriaScan, title_and_genre, "song like 'ROS*' and Genre like '*POP*'");
BENCHMARK_CAPTURE(sqliteScan, title_and_genre, "song LIKE 'ROS%' AND Genre LIKE '%POP%'");

BENCHMARK_MAIN();
