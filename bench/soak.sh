#!/usr/bin/env bash
# Memory over days of use: the soak test (100 alarms a day, a countdown repeating every 7 minutes, the
# stopwatch with a split every hour, on the fake clock) for one day and for four weeks under heaptrack.
# Flat memory means the same peak heap and the same heap left at the end, whatever the length.
set -uo pipefail
BUILD=${1:-build}
command -v heaptrack >/dev/null || { echo "heaptrack is not installed (apt-get install heaptrack)"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for days in 2 28; do
    TZ=Europe/Prague QT_QPA_PLATFORM=offscreen TAVROK_SOAK_DAYS=$days \
        heaptrack -o "$out/soak$days" "$BUILD/tests/window_tests" --gtest_filter='SoakTest.*' >"$out/run$days.log" 2>&1
    grep -E "resident memory|OK \]|FAILED" "$out/run$days.log" || true
    heaptrack_print "$out/soak$days".*zst 2>/dev/null |
        grep -E "^(peak heap memory consumption|peak RSS|total memory leaked|calls to allocation functions)" |
        sed "s/^/  $days days: /"
done
