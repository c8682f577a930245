// The RTTTL reader on a long melody and on junk at its length limit, the phone
// codes of that melody, and its recording.
#include "ringtones/melody/Melody.h"

#include <benchmark/benchmark.h>

#include <QString>

using namespace Qt::StringLiterals;

using namespace brivello::melody;

namespace {

QString longMelody()
{
    QString text = u"Lunga:d=8,o=5,b=140:"_s;
    const QString bar = u"c,16d#,4p,2g.,f#6,32a#6,1c7,4p.,"_s;
    for (int i = 0; i < MaxNotes / 8; ++i)
        text += bar;
    return text;
}

QString junkAtLimit()
{
    QString text;
    text.reserve(MaxRtttlLength);
    const QString alphabet = u"abcdefgh#.,=0123456789 p:"_s;
    quint32 state = 1;
    while (text.size() < MaxRtttlLength) {
        state = state * 1103515245u + 12345u;
        text += alphabet[(state >> 16) % alphabet.size()];
    }
    return text;
}

void BM_ReadLongMelody(benchmark::State &state)
{
    const QString text = longMelody();
    for (auto _ : state)
        benchmark::DoNotOptimize(readRtttl(text));
}
BENCHMARK(BM_ReadLongMelody);

void BM_ReadJunk(benchmark::State &state)
{
    const QString text = junkAtLimit();
    for (auto _ : state)
        benchmark::DoNotOptimize(readRtttl(text));
}
BENCHMARK(BM_ReadJunk);

void BM_PhoneCodes(benchmark::State &state)
{
    const Melody m = readRtttl(longMelody()).melody;
    for (auto _ : state) {
        benchmark::DoNotOptimize(nokiaKeypad(m));
        benchmark::DoNotOptimize(nokiaScreen(m));
        benchmark::DoNotOptimize(siemensScreen(m));
        benchmark::DoNotOptimize(ericssonScreen(m));
        benchmark::DoNotOptimize(motorolaScreen(m));
    }
}
BENCHMARK(BM_PhoneCodes);

void BM_Recording(benchmark::State &state)
{
    const Melody m = readRtttl(u"Gioia:d=4,o=5,b=120:e,e,f,g,g,f,e,d,c,c,d,e,e.,8d,2d").melody;
    for (auto _ : state)
        benchmark::DoNotOptimize(synthesizeWav(m, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Recording)->Arg(8000)->Arg(16000);

} // namespace

BENCHMARK_MAIN();
