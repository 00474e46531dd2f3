#!/usr/bin/env bash
# The wall clock is set back an hour, then on by a day, under a running stopwatch (libfaketime, the
# monotonic clock real): the title goes on counting the real seconds elapsed through both changes.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_faked_clock
faked() { env $(e2e_faked_env) date +%s; } # the offset really moves the clock the program sees
e2e_launch env $(e2e_faked_env) FAKETIME_DONT_FAKE_MONOTONIC=1
e2e_start_stopwatch '^T: 0;00:00:0[1-9]$'
echo "-3600" >"$E2E_CLOCK_OFFSET" # set back an hour
(( $(date +%s) - $(faked) > 3500 )) || fail "libfaketime did not set the clock back"
sleep 2
e2e_expect_title '^T: 0;00:00:(0[3-9]|[1-5][0-9])$' "after the clock was set back"
echo "+86400" >"$E2E_CLOCK_OFFSET" # on by a day (25 hours from the last setting)
(( $(faked) - $(date +%s) > 86000 )) || fail "libfaketime did not set the clock on"
sleep 2
e2e_expect_title '^T: 0;00:00:[0-1][0-9]$' "after the clock was set on"
e2e_click 48 159 # Stop
e2e_quit
echo "clock jump scenario passed"
