#!/usr/bin/env bash
# Tavrok's benchmarks: figures to compare with the targets, not pass/fail tests.
set -euo pipefail
build=${1:-build}
echo "== INI reads: 10 000 sections x 30 keys, key by key (target <= 200 ms)"
"$build/bench/ini_bench" 10000 30
echo
echo "== Alarms: 10 000 loaded and sorted (target <= 100 ms); 1 000 000 random schedules (each < 1 ms)"
"$build/bench/alarm_bench" 10000 1000000
echo
# Lateness to a tenth of a millisecond and finer, from the program's own record of each ring and end.
lateness() {
    echo "== Countdown ends: lateness of 200 ends$1 (target: p99 <= 1 ms)"
    "$build/bench/countdown_latency" 200
    echo
    echo "== Alarms ringing: lateness of 200 alarms a second apart$1 (target: p99 <= 1 ms)"
    "$build/bench/alarm_latency" 200
    echo
}
lateness ", the machine otherwise idle"
# A second process keeps one core busy all the time.
( while :; do :; done ) &
busy=$!
trap 'kill $busy 2>/dev/null || true' EXIT
lateness ", with one core kept busy by another process"
kill "$busy"
wait "$busy" 2>/dev/null || true
echo "== Start-up and peak memory next to a bare Qt window"
"$(dirname "$0")/startup.sh" "$build/tavrok" 10
echo
echo "== The program under Xvfb: start-up, memory, CPU idle and with the stopwatch running"
"$(dirname "$0")/cpu.sh" "$build/tavrok" 20
echo
echo "== Big files: start-up with 200 000 alarms, and with a settings file of junk keys"
"$(dirname "$0")/bigfiles.sh" "$build/tavrok"
echo
echo "== Memory over days of use: the soak test on the fake clock under heaptrack, two days and four weeks"
"$(dirname "$0")/soak.sh" "$build"
