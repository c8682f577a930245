#!/bin/sh
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer, ASan, UBSan) and
# runs them one after another, one job each.
#   scripts/fuzz.sh [seconds per target] [target...]
# Targets: criteria catalogue rtttl (all when none is named); 120 s by default.
# The build goes to $FUZZ_BUILD (default build-fuzz). Each target's growing
# corpus is $FUZZ_BUILD/fuzz-corpus/<target>, seeded from tests/fuzz/corpus;
# an input that shows a fault lands in $FUZZ_BUILD/fuzz-artifacts/<target>.
# Copy it into tests/fuzz/corpus/<target> to keep it as a regression case.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
[ $# -gt 0 ] && shift
targets=${*:-criteria catalogue rtttl}
build=${FUZZ_BUILD:-$root/build-fuzz}

if command -v ccache >/dev/null 2>&1; then
    launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
else
    launcher=
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DBRIVELLO_FUZZ=ON $launcher >/dev/null
for target in $targets; do
    cmake --build "$build" -j2 --target "fuzz_$target"
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
status=0
for target in $targets; do
    corpus="$build/fuzz-corpus/$target"
    artifacts="$build/fuzz-artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    cp "$root/tests/fuzz/corpus/$target"/* "$corpus/"
    options=""
    # Catalogue files are whole databases: room for pages, and the damaged
    # copies kept by the catalogue tests as extra seeds.
    if [ "$target" = catalogue ]; then
        cp "$root"/tests/data/damaged/*.dat "$corpus/"
        options="-max_len=262144"
    else
        options="-max_len=4096"
    fi
    # With -jobs libFuzzer writes the run's log as fuzz-0.log in the current
    # folder: one folder per target keeps the logs apart.
    logs="$build/fuzz-logs/$target"
    mkdir -p "$logs"
    echo "== fuzz_$target for $seconds s (log: $logs/fuzz-0.log)"
    # shellcheck disable=SC2086
    (cd "$logs" && "$build/tests/fuzz/fuzz_$target" -jobs=1 -workers=1 -max_total_time="$seconds" -timeout=20 \
        -rss_limit_mb=2048 $options -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus") || status=$?
    tail -n 25 "$logs/fuzz-0.log"
done
exit $status
