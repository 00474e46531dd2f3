#!/usr/bin/env bash
# Start-up and peak memory of the program next to a bare Qt window (bench/qtfloor), in the same run on
# the same display: the time from the start to the first window mapped on the screen (the X server's
# MapNotify, read as it comes, not polled), and the peak resident memory two seconds later. The program
# starts with an existing settings folder, ten alarms and the default sound set. Each figure is the
# median of RUNS starts (default 10).
# Usage: bench/startup.sh path/to/tavrok [runs]
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/lib.sh"
runs=${2:-10}
floor="$(dirname "$1")/bench/qtfloor"

e2e_start_display
e2e_install
mkdir -p "$E2E_SETTINGS"
# Ten alarms as the program saves them, none ringing during the measurement.
python3 - "$E2E_SETTINGS/Budiky.ini" <<'PY'
import datetime, sys
now = datetime.datetime.now()
checked = f"{now.day}.{now.month}.{now.year} {now.hour}:{now.minute:02d}:{now.second:02d}"
hour = (now.hour + 12) % 24
with open(sys.argv[1], "w", encoding="utf-8") as f:
    f.write("[info]\npocetBudiku=10\n" + "".join(f"{i}=Budík {i}\n" for i in range(1, 11)))
    for i in range(1, 11):
        f.write(f"[Budík {i}]\ncas={hour}:{i:02d}:00\nzprava=Zpráva {i}\nstav=1\nvzdy=1\n"
                f"OD=1\nOM=1\nOR=2000\nDD=1\nDM=1\nDR=2000\nKD=0\nKM=0\nKR=0\nposledni={checked}\n")
PY
# Every map on the screen, with the moment it was seen.
maps="$E2E_DIR/maps"
: >"$maps"
xev -root -event substructure 2>/dev/null | while read -r line; do
    [[ "$line" == MapNotify* ]] && echo "$EPOCHREALTIME" >>"$maps"
done &
E2E_PIDS+=($!)
sleep 0.5

# One start: prints "milliseconds-to-map peak-KiB"; the process is ended afterwards.
one_start() {
    local before start pid mapped=""
    before=$(wc -l <"$maps")
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 &
    pid=$!
    E2E_PIDS+=($pid)
    for _ in $(seq 2000); do
        if [ "$(wc -l <"$maps")" -gt "$before" ]; then mapped=$(sed -n "$((before + 1))p" "$maps"); break; fi
        sleep 0.005
    done
    sleep 2
    local peak
    peak=$(awk '/VmHWM/ { print $2 }' /proc/$pid/status 2>/dev/null || echo 0)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -n "$mapped" ] || { echo "none 0"; return; }
    awk -v a="$start" -v b="$mapped" -v p="$peak" 'BEGIN { printf "%.1f %d\n", (b - a) * 1000, p }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One start of each first, not counted: the files in the page cache, the program's settings written.
one_start "$floor" >/dev/null
one_start "$E2E_APP/tavrok" >/dev/null
declare -A ms kib
for who in floor tavrok; do
    : >"$E2E_DIR/$who.txt"
    for _ in $(seq "$runs"); do
        if [ "$who" = floor ]; then one_start "$floor"; else one_start "$E2E_APP/tavrok"; fi >>"$E2E_DIR/$who.txt"
    done
    ms[$who]=$(awk '{ print $1 }' "$E2E_DIR/$who.txt" | median)
    kib[$who]=$(awk '{ print $2 }' "$E2E_DIR/$who.txt" | median)
done
awk -v t="${ms[tavrok]}" -v f="${ms[floor]}" -v runs="$runs" 'BEGIN {
    printf "start to the mapped window: program %.1f ms, bare window %.1f ms, difference %.1f ms (target <= 50 ms; median of %d)\n", t, f, t - f, runs }'
awk -v t="${kib[tavrok]}" -v f="${kib[floor]}" 'BEGIN {
    printf "peak resident memory: program %.1f MiB, bare window %.1f MiB, difference %.2f MiB = %d KiB (target <= 4 MiB = 4096 KiB)\n", t / 1024, f / 1024, (t - f) / 1024, t - f }'
