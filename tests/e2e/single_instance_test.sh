#!/usr/bin/env bash
# Started twice, the program does not open a second window that would write the same files: the second
# start brings the first window forward (here from the taskbar, minimised) and ends.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_launch
first=$E2E_APP_PID
window=$E2E_WINDOW
xdotool windowminimize "$window"
for _ in $(seq 100); do xwininfo -id "$window" | grep -q IsViewable || break; sleep 0.05; done

"$E2E_APP/tavrok" >"$E2E_DIR/second.log" 2>&1 &
second=$!
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.05; done
kill -0 "$second" 2>/dev/null && fail "the second start kept running"
wait "$second" || fail "the second start ended with an error: $(cat "$E2E_DIR/second.log")"
for _ in $(seq 100); do xwininfo -id "$window" | grep -q IsViewable && break; sleep 0.05; done
xwininfo -id "$window" | grep -q IsViewable || fail "the first window did not come forward"
expect_eq "$(xdotool search --all --pid "$first" --class tavrok 2>/dev/null | wc -l | tr -d ' ')" \
    "$(xdotool search --class tavrok 2>/dev/null | wc -l | tr -d ' ')" "windows of other processes"
kill -0 "$first" || fail "the first instance ended"

# Killed without a word, the first leaves its socket: the next start is a first one again.
kill -9 "$first"
wait "$first" 2>/dev/null || true
e2e_launch
e2e_close
e2e_wait_exit
echo "single instance scenario passed"
