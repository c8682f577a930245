// Start-up to the home window on screen: the real program on the sample disc
// and on a large catalogue (100,000 ringtones unless BRIVELLO_BENCH_DISC names
// another), against a bare Qt program that shows
// one empty window (the floor) and one that shows a line of text. Each
// iteration starts a fresh process and is timed until the program says its
// window is on screen.

#include "authoring/CatalogueGenerator.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

// The time from starting the program until it says its window is on screen;
// the run's end afterwards is not timed.
void runOnce(benchmark::State &state, const QString &program, const QStringList &arguments = {})
{
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"BRIVELLO_QUIT_WHEN_SHOWN"_s, u"1"_s);
    if (!environment.contains(u"QT_QPA_PLATFORM"_s))
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    run.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    run.start(program, arguments);
    QByteArray output;
    while (!output.contains("shown: ") && run.waitForReadyRead(120000))
        output += run.readAllStandardOutput();
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (!run.waitForFinished(120000) || run.exitCode() != 0 || !output.contains("shown: ")) {
        state.SkipWithError("the program did not reach its home window");
        return;
    }
    state.SetIterationTime(seconds);
}

const QString &largeDiscProgram()
{
    static QTemporaryDir disc;
    static const QString program = [] {
        // BRIVELLO_BENCH_DISC names a disc folder with a catalogue of any size
        // (brivello-gencatalogue); the program is copied beside it.
        const QString given = qEnvironmentVariable("BRIVELLO_BENCH_DISC");
        if (!given.isEmpty()) {
            const QString copy = given + u"/brivello"_s;
            QFile::remove(copy);
            QFile::copy(QString::fromUtf8(BRIVELLO_EXE), copy);
            return copy;
        }
        QDir(disc.path()).mkpath(u"datafiles"_s);
        QString error;
        if (!authoring::writeGeneratedCatalogue(disc.filePath(u"datafiles/ringtones.dat"_s), {100000, 7},
                                                &error))
            qFatal("cannot write the catalogue: %s", qPrintable(error));
        const QString copy = disc.filePath(u"brivello"_s);
        QFile::copy(QString::fromUtf8(BRIVELLO_EXE), copy);
        return copy;
    }();
    return program;
}

void BM_BareQtWindow(benchmark::State &state)
{
    for (auto _ : state)
        runOnce(state, QString::fromUtf8(BARE_WINDOW_EXE));
}

void BM_BareQtWindowWithText(benchmark::State &state)
{
    for (auto _ : state)
        runOnce(state, QString::fromUtf8(BARE_WINDOW_EXE), {u"--text"_s});
}

void BM_StartUpSampleDisc(benchmark::State &state)
{
    if (!QFile::exists(QString::fromUtf8(BRIVELLO_DISC_DIR "/datafiles/ringtones.dat"))) {
        state.SkipWithError("the sample disc has not been assembled");
        return;
    }
    for (auto _ : state)
        runOnce(state, QString::fromUtf8(BRIVELLO_EXE));
}

void BM_StartUpLargeCatalogue(benchmark::State &state)
{
    const QString program = largeDiscProgram();
    for (auto _ : state)
        runOnce(state, program);
}

} // namespace

BENCHMARK(BM_BareQtWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_BareQtWindowWithText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_StartUpSampleDisc)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_StartUpLargeCatalogue)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
