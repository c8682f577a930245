// A 100,000-ringtone catalogue: writing it, and reading it back with the
// program's own reader against mdb-export of the same file (the libmdb floor).
// The counters give the file size and the ratio of the two reads.

#include "authoring/CatalogueGenerator.h"
#include "data/Catalogue.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

constexpr qint64 Ringtones = 100000;
constexpr uint64_t Seed = 42;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// The file the read benchmarks share, written once.
const QString &catalogueFile()
{
    static const QString path = [] {
        const QString file = folder().filePath(u"shared.dat"_s);
        QString error;
        if (!authoring::writeGeneratedCatalogue(file, {Ringtones, Seed}, &error))
            qFatal("cannot write the catalogue: %s", qPrintable(error));
        return file;
    }();
    return path;
}

double readWithCatalogue(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    const auto catalogue = data::Catalogue::open(file);
    const auto main = catalogue->table(u"Main"_s);
    benchmark::DoNotOptimize(main->rowCount());
    return double(timer.nsecsElapsed()) / 1e6;
}

double readWithMdbExport(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(u"mdb-export"_s, {file, u"Main"_s});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        qFatal("mdb-export failed");
    return double(timer.nsecsElapsed()) / 1e6;
}

void BM_WriteCatalogue(benchmark::State &state)
{
    const QString file = folder().filePath(u"written.dat"_s);
    for (auto _ : state) {
        QString error;
        if (!authoring::writeGeneratedCatalogue(file, {Ringtones, Seed}, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["file_MB"] = double(QFileInfo(file).size()) / (1024.0 * 1024.0);
    state.counters["ringtones"] = double(Ringtones);
}

void BM_ReadCatalogue(benchmark::State &state)
{
    const QString &file = catalogueFile();
    for (auto _ : state)
        readWithCatalogue(file);
}

void BM_MdbExportMain(benchmark::State &state)
{
    const QString &file = catalogueFile();
    for (auto _ : state)
        readWithMdbExport(file);
}

// Both reads in each iteration, so they meet the same cache and machine load.
void BM_ReadRatio(benchmark::State &state)
{
    const QString &file = catalogueFile();
    double ours = 0;
    double floor = 0;
    for (auto _ : state) {
        ours += readWithCatalogue(file);
        floor += readWithMdbExport(file);
    }
    const auto n = double(state.iterations());
    state.counters["catalogue_ms"] = ours / n;
    state.counters["mdb_export_ms"] = floor / n;
    state.counters["ratio"] = ours / floor;
}

} // namespace

BENCHMARK(BM_WriteCatalogue)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReadCatalogue)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MdbExportMain)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadRatio)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
