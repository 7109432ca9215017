#!/usr/bin/env bash
# Kills a program that writes a contact file and its settings at random
# moments, a few hundred times, and checks after every kill what is left on
# disk: every file loads and is whole, no person's reference has been
# adopted by another record, leftovers of killed saves never pile up and
# never allow more than their file, and a second copy of the program that
# saves the same settings all along never has its work removed.
#
#   bench/crash_saves.sh [BUILD_DIR] [KILLS]     (defaults: build, 300)
#
# Slow (a few minutes), so not part of `make test`.  Works in a folder under
# BUILD_DIR, on the disk the build lives on; prints a summary and exits 1 on
# any fault.  On the sanitizer build (`make asan`, BUILD_DIR build-asan) the
# writer starts and opens several times slower: with PERSONS=1000 kills
# still land inside its saves.
set -euo pipefail

BUILD=${1:-build}
KILLS=${2:-300}
PERSONS=${PERSONS:-20000}
cmake --build "$BUILD" --target crash_writer >/dev/null
WRITER=$(cd "$BUILD" && pwd)/bench/crash_writer
WORK=$(cd "$BUILD" && pwd)/crash-saves
DATA=$WORK/data
rm -rf "$WORK"
mkdir -p "$DATA"
LOG=$WORK/marks
CHECKS=$WORK/checks

"$WRITER" init "$DATA" "$PERSONS"
"$WRITER" settings "$DATA" >"$WORK/settings.out" 2>&1 &
SETTINGS_PID=$!
trap 'kill $SETTINGS_PID 2>/dev/null || true' EXIT

declare -A PHASES=()
inside=0
faults=0
max_leftovers=0
kills_leaving=0
: >"$CHECKS"
for ((i = 1; i <= KILLS; i++)); do
    : >"$LOG"
    "$WRITER" run "$DATA" "$LOG" >/dev/null 2>"$WORK/run.err" &
    pid=$!
    # Start-up, opening, changing and every step of a save.  Every other
    # kill falls in the first file session, whose repairs of what the last
    # kill left are not yet on disk.
    if ((i % 2)); then delay=$((15 + RANDOM % 40)); else delay=$((15 + RANDOM % 136)); fi
    sleep "$(printf '0.%03d' "$delay")"
    if ! kill -KILL "$pid" 2>/dev/null; then
        echo "$i: the writer stopped by itself: $(cat "$WORK/run.err")" >>"$CHECKS"
        faults=$((faults + 1))
    fi
    wait "$pid" 2>/dev/null || true

    last=$(tail -n 1 "$LOG")
    case "$last" in
        S) phase="writing addresses" ;;
        "w Familie.quorvy.adres") phase="writing groups" ;;
        "w Familie.quorvy.groep") phase="writing persons" ;;
        "w Familie.quorvy") phase="after the person rename" ;;
        I) phase="writing settings" ;;
        O) phase="opening" ;;
        *) phase="outside a save" ;;
    esac
    PHASES[$phase]=$((${PHASES[$phase]:-0} + 1))
    case "$phase" in writing* | after*) inside=$((inside + 1)) ;; esac

    result=$("$WRITER" check "$DATA" || true)
    echo "$i $phase: $result" >>"$CHECKS"
    leftovers=$(sed -n 's/.* leftovers=\([0-9]*\).*/\1/p' <<<"$result")
    leftovers=${leftovers:-0}
    # A kill leaves at most one; the next open or save of its file takes it.
    if [[ $result != ok* ]] || ((leftovers > 2)); then
        faults=$((faults + 1))
        echo "$i: fault above" >>"$CHECKS"
    fi
    ((leftovers > max_leftovers)) && max_leftovers=$leftovers
    ((leftovers > 0)) && kills_leaving=$((kills_leaving + 1))
    grep -h '^notice' "$LOG" >>"$WORK/notices" || true
done

kill -TERM "$SETTINGS_PID"
wait "$SETTINGS_PID" || true
trap - EXIT
settings=$(cat "$WORK/settings.out")

# One last clean open and close: nothing may be left behind.
"$WRITER" once "$DATA" >/dev/null
final=$("$WRITER" check "$DATA" || true)
[[ $final == ok*" leftovers=0 "* ]] || faults=$((faults + 1))
[[ $settings == *" failures=0" ]] || faults=$((faults + 1))

notices=$(wc -l <"$WORK/notices" 2>/dev/null || echo 0)
dangling=$(grep -c 'dangling=[1-9]' "$CHECKS" || true)
echo "kills: $KILLS, inside a save: $inside"
for phase in "opening" "writing addresses" "writing groups" "writing persons" "after the person rename" \
    "writing settings" "outside a save"; do
    printf '  %-26s %d\n' "$phase" "${PHASES[$phase]:-0}"
done
echo "checks failed: $faults (details: $CHECKS)"
echo "kills that left a temporary file: $kills_leaving; most leftovers seen at once: $max_leftovers"
echo "checks that found persons pointing at missing records: $dangling; notices given on open: $notices"
echo "second writer of the settings: $settings"
echo "after a last open and close: $final"
((faults == 0))
