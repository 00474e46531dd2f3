#!/usr/bin/env bash
# The computer sleeps eight hours under a running stopwatch (libfaketime moving every clock together):
# the title shows the eight hours as time that passed, not as a clock that was set.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_faked_clock
e2e_launch env $(e2e_faked_env)
e2e_start_stopwatch '^T: 0;00:00:0[1-9]$'
echo "+28800" >"$E2E_CLOCK_OFFSET" # eight hours asleep
e2e_wait_title '^T: 0;08:00:[0-5][0-9]$'
sleep 2
e2e_expect_title '^T: 0;08:00:[0-5][0-9]$' "after the sleep"
e2e_click 48 159 # Stop
e2e_quit
echo "suspend scenario passed"
