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
echo "== Countdown ends: lateness of 50 ends (target: p95 <= 5 ms)"
"$build/bench/countdown_latency" 50
echo
echo "== Alarms ringing: lateness of 50 alarms a second apart (target: p95 <= 5 ms)"
"$build/bench/alarm_latency" 50
echo
echo "== Start-up and peak memory next to a bare Qt window"
"$(dirname "$0")/startup.sh" "$build/tavrok" 10
echo
echo "== The program under Xvfb: start-up, memory, CPU idle and with the stopwatch running"
"$(dirname "$0")/cpu.sh" "$build/tavrok" 20
echo
echo "== Big files: start-up with 200 000 alarms, and with a settings file of junk keys"
"$(dirname "$0")/bigfiles.sh" "$build/tavrok"
