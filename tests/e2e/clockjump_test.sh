#!/usr/bin/env bash
# The computer's clock is set back an hour, then on by a day, under a running stopwatch (libfaketime
# reading the wall clock's offset from a file the scenario rewrites; the monotonic clock stays real):
# the title goes on counting the real time elapsed, a few seconds, through both changes.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_faked_clock
offset="$E2E_CLOCK_OFFSET"
# The offset really moves the clock the program sees.
faked() { env $(e2e_faked_env) date +%s; }
e2e_launch env $(e2e_faked_env) FAKETIME_DONT_FAKE_MONOTONIC=1
e2e_click 70 22  # lblFceTavrok
e2e_click 48 159 # btnZapnout: Start
e2e_wait_title '^T: 0;00:00:0[1-9]$'
echo "-3600" >"$offset" # set back an hour
(( $(date +%s) - $(faked) > 3500 )) || fail "libfaketime did not set the clock back"
sleep 2
[[ "$(e2e_title)" =~ ^T:\ 0\;00:00:(0[3-9]|[1-5][0-9])$ ]] || fail "after the clock was set back the title reads '$(e2e_title)'"
echo "+86400" >"$offset" # on by a day (25 hours from the last setting)
(( $(faked) - $(date +%s) > 86000 )) || fail "libfaketime did not set the clock on"
sleep 2
[[ "$(e2e_title)" =~ ^T:\ 0\;00:00:[0-1][0-9]$ ]] || fail "after the clock was set on the title reads '$(e2e_title)'"
e2e_click 48 159 # Stop
e2e_close
e2e_wait_exit
echo "clock jump scenario passed"
