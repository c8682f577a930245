#!/bin/sh
# Builds the rich-text reader's libFuzzer target with clang and runs it.
#   tests/docviewer/fuzz/run-fuzzer.sh [seconds] [extra libFuzzer options...]
# The build goes to $BUILD (default /tmp/brivello-rtf-fuzz); crashing inputs
# land in $BUILD/artifacts, the growing corpus in $BUILD/corpus.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
seconds=${1:-600}
[ $# -gt 0 ] && shift
build=${BUILD:-/tmp/brivello-rtf-fuzz}
mkdir -p "$build/corpus" "$build/artifacts"

rtf="$root/docviewer/rtf"
# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DQT_NO_CAST_FROM_ASCII -DQT_NO_KEYWORDS -I"$root" \
    $(pkg-config --cflags Qt6Core Qt6Gui) \
    "$here/rtf_fuzzer.cpp" "$rtf/RtfCodePages.cpp" "$rtf/RtfDocumentBuilder.cpp" "$rtf/RtfParser.cpp" \
    "$rtf/RtfReader.cpp" "$rtf/RtfTokenizer.cpp" \
    $(pkg-config --libs Qt6Core Qt6Gui) -o "$build/rtf_fuzzer"

cp "$root"/tests/docviewer/rtfdata/*.rtf "$root"/sampledisc/pages/*.rtf "$build/corpus/"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export QT_QPA_PLATFORM=offscreen
exec "$build/rtf_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -dict="$here/rtf.dict" -artifact_prefix="$build/artifacts/" "$@" "$build/corpus"
