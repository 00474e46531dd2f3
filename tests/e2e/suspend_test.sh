#!/usr/bin/env bash
# The computer sleeps eight hours under a running stopwatch: every clock the program reads moves on
# together (libfaketime moving the wall clock and the clocks that count the sleep), and the title shows
# the eight hours as time that passed, not as a clock that was set.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
offset="$E2E_DIR/clock-offset"
echo "+0" >"$offset"
library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1 || true)
[ -n "$library" ] || fail "libfaketime is not installed"
e2e_launch env LD_PRELOAD="$library" FAKETIME_TIMESTAMP_FILE="$offset" FAKETIME_NO_CACHE=1
e2e_click 70 22  # lblFceTavrok
e2e_click 48 159 # btnZapnout: Start
e2e_wait_title '^T: 0;00:00:0[1-9]$'
echo "+28800" >"$offset" # eight hours asleep
e2e_wait_title '^T: 0;08:00:[0-5][0-9]$'
sleep 2
[[ "$(e2e_title)" =~ ^T:\ 0\;08:00:[0-5][0-9]$ ]] || fail "after the sleep the title reads '$(e2e_title)'"
e2e_click 48 159 # Stop
e2e_close
e2e_wait_exit
echo "suspend scenario passed"
