#!/usr/bin/env bash
# Memory over days of use: the soak test (100 alarms a day, a countdown repeating every 7 minutes, the
# stopwatch with a split every hour, on the fake clock) for two days and for four weeks under heaptrack.
# Flat memory means the second day adds nothing to the first, and the same heap is left at the end
# whatever the length; four weeks hold more splits than two days, and their lines are kept.
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
        sed "s/^/  $days days: /" | tee "$out/heap$days.txt"
done
# The two-day figure: what the second day adds to the first. Four weeks add the splits taken meanwhile.
grep -h "resident memory after day 1" "$out/run2.log" | awk '{ gsub(",", ""); printf "  => two days: resident memory %d KiB after the first day, %d KiB after the second: %+d KiB (target: flat)\n", $6, $11, $11 - $6 }'
heap() { awk -F': ' -v what="$2" '$2 == what { print $3 }' "$out/heap$1.txt"; }
echo "  => peak heap $(heap 2 'peak heap memory consumption') after two days, $(heap 28 'peak heap memory consumption') after four weeks; left at the end $(heap 2 'total memory leaked') and $(heap 28 'total memory leaked')"
