#!/usr/bin/env bash
# A second start opens no second window writing the same files: it brings the first (minimised) window
# forward and ends. A first instance killed without a word leaves its socket: the next start is a first one.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_launch
first=$E2E_APP_PID
viewable() { xwininfo -id "$E2E_WINDOW" | grep -q IsViewable; }
xdotool windowminimize "$E2E_WINDOW"
e2e_until 100 '! viewable' || true

"$E2E_APP/tavrok" >"$E2E_DIR/second.log" 2>&1 &
second=$!
e2e_until 100 '! kill -0 "$second" 2>/dev/null' || fail "the second start kept running"
wait "$second" || fail "the second start ended with an error: $(cat "$E2E_DIR/second.log")"
e2e_until 100 viewable || fail "the first window did not come forward"
expect_eq "$(xdotool search --all --pid "$first" --class tavrok 2>/dev/null | wc -l | tr -d ' ')" \
    "$(xdotool search --class tavrok 2>/dev/null | wc -l | tr -d ' ')" "windows of other processes"
kill -0 "$first" || fail "the first instance ended"

kill -9 "$first"
wait "$first" 2>/dev/null || true
e2e_launch
e2e_quit
echo "single instance scenario passed"
