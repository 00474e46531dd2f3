#!/usr/bin/env bash
# The computer sleeps eight hours under a running stopwatch: every clock the program reads moves on
# together (libfaketime moving the wall clock and the clocks that count the sleep), and the title shows
# the eight hours as time that passed, not as a clock that was set.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_faked_clock
offset="$E2E_CLOCK_OFFSET"
e2e_launch env $(e2e_faked_env)
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
