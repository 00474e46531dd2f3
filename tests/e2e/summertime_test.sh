#!/usr/bin/env bash
# Summer time ends under a running stopwatch (TZ=Europe/Prague, libfaketime running every clock 200
# times faster from 01:59 CEST on 25 October 2026): 70 minutes on, across the change from 03:00 CEST
# to 02:00 CET, the title shows over an hour elapsed, not an hour less.
source "$(dirname "$0")/lib.sh"
export TZ=Europe/Prague
e2e_setup
e2e_launch faketime -f '@2026-10-25 01:59:00 x200'
e2e_start_stopwatch '^T: 0;00:0'
sleep 22
e2e_expect_title '^T: 0;01:[0-2][0-9]:[0-9]{2}$' "after 70 minutes across the change"
e2e_screenshot summertime
e2e_quit
echo "summer time scenario passed"
