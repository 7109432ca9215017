#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets (tests/fuzz/corpus) again from
# the project's API and forms, with the seed writer of tests/fuzz/seeds.
# Seeds a fuzz run found and that were added by hand stay as they are.
#
#   scripts/fuzz-seeds.sh [build folder]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac

[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target fuzz_make_seeds
QT_QPA_PLATFORM=offscreen "$build/tests/fuzz/fuzz_make_seeds" "$root" "$root/tests/fuzz/corpus"
