#!/usr/bin/env bash
# `make fuzz`: installs clang and its libFuzzer runtime when missing, builds
# the fuzz targets of tests/fuzz in a build folder of their own (clang,
# coverage instrumentation, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, starting from the seed
# corpus in the tree.
#
#   scripts/fuzz.sh [build folder] [seconds per target] [jobs]
#
# What each run found stays in <build folder>/fuzz-findings; the inputs it
# collected in <build folder>/fuzz-corpus/<target>, for the next run.
# Exits non-zero when a target found something.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-fuzz}
seconds=${2:-60}
jobs=${3:-4}
targets=(table_file form_text ini_file filter)
case $build in /*) ;; *) build=$root/$build ;; esac

# clang first: which runtime package fits depends on its version.  Debian
# ships libFuzzer in libclang-rt-<n>-dev, older releases in
# libclang-common-<n>-dev.
command -v clang++ >/dev/null 2>&1 || bash "$root/scripts/setup.sh" clang
major=$(clang++ -dumpversion | cut -d. -f1)
runtime=libclang-rt-$major-dev
if ! apt-cache policy "$runtime" 2>/dev/null | grep -q 'Candidate: [0-9]'; then
  runtime=libclang-common-$major-dev
fi
bash "$root/scripts/setup.sh" clang "$runtime"

sanitizers=address,undefined
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,$sanitizers -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=$sanitizers"
fi
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"

# Files the targets write go to memory where there is some: every input is
# written to a file at least once, and saves flush what they write.
scratch_parent=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_parent=/dev/shm
scratch=$(mktemp -d "$scratch_parent/quorvy-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

findings=$build/fuzz-findings
mkdir -p "$findings"
summary=()
failed=0
for t in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$t
  mkdir -p "$corpus"
  log=$build/fuzz-$t.log
  dict=()
  [ -f "$root/tests/fuzz/dict/$t.dict" ] && dict=(-dict="$root/tests/fuzz/dict/$t.dict")
  # libFuzzer grows inputs only a little past the largest seed; ini files
  # need room for long lines and many sections.
  limits=()
  [ "$t" = ini_file ] && limits=(-max_len=65536)
  echo "fuzz: $t for ${seconds}s (log: $log)"
  status=0
  "$build/tests/fuzz/fuzz_$t" "${dict[@]}" "${limits[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$t-" \
    "$corpus" "$root/tests/fuzz/corpus/$t" >"$log" 2>&1 || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  if [ "$status" -eq 0 ]; then
    summary+=("$t: ${runs:-?} executions, nothing found")
  else
    failed=1
    artifact=$(grep -o "Test unit written to [^ ]*" "$log" | tail -1 | sed 's/Test unit written to //')
    summary+=("$t: ${runs:-?} executions, FOUND: ${artifact:-see $log}")
    grep -m1 -E 'finding:|ERROR: [A-Za-z]+Sanitizer|runtime error|deadly signal|timeout' "$log" | sed 's/^/  /' || true
  fi
done

echo "fuzz: results after ${seconds}s per target"
printf '  %s\n' "${summary[@]}"
exit $failed
