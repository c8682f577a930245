// How long drawing the operator logos takes: all five lists from their
// sources (what the first look at the gallery costs), and one list.

#include "logos/pictures/LogoCatalogue.h"

#include <benchmark/benchmark.h>

namespace {

using namespace brivello::logos;

void drawAllLogoLists(benchmark::State &state)
{
    for (auto _ : state) {
        qsizetype total = 0;
        for (Category category : AllCategories)
            total += drawLogoList(category).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(drawAllLogoLists)->Unit(benchmark::kMillisecond);

void drawAnimali(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(drawLogoList(Category::Animali));
}
BENCHMARK(drawAnimali)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
