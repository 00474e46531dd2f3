#!/usr/bin/env bash
# Summer time ends under a running stopwatch (TZ=Europe/Prague, libfaketime running the wall clock 200
# times faster from 01:59 CEST on 25 October 2026): after the clocks go back from 03:00 CEST to 02:00
# CET the title shows the real time elapsed, over an hour, not an hour less. The monotonic clock is
# faked along: the program takes a wall clock that runs away from it for a clock being set.
source "$(dirname "$0")/lib.sh"
export TZ=Europe/Prague
e2e_start_display
e2e_install
e2e_launch faketime -f '@2026-10-25 01:59:00 x200'
e2e_click 70 22            # lblFceTavrok
e2e_click 48 159           # btnZapnout: Start
# 70 minutes on the faked wall clock: past the change by ten minutes.
e2e_wait_title '^T: 0;00:0'
sleep 22
title=$(e2e_title)
[[ "$title" =~ ^T:\ 0\;01:[0-2][0-9]:[0-9]{2}$ ]] || fail "after 70 minutes across the change the title reads '$title'"
e2e_screenshot summertime
e2e_close
e2e_wait_exit
echo "summer time scenario passed"
