#!/usr/bin/env bash
# A daily alarm set, named, given a message and saved rings at 7:00 (libfaketime): the box with its
# caption, "posledni" written, and the alarm moved on to the next day.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_launch faketime '2030-01-01 06:59:35'
e2e_save_alarm Budicek Vstavat
ini="$E2E_SETTINGS/Budiky.ini"
expect_ini "$ini" Budicek cas "7:00:00" "saved time"
expect_ini "$ini" Budicek stav "1" "saved switched on"
expect_ini "$ini" Budicek zprava "Vstavat" "saved message"
expect_ini "$ini" info 1 "Budicek" "listed in info"
e2e_screenshot alarm-saved

box=$(e2e_wait_window '^Tavrok: 1\.1\.2030 7:00:0') || fail "the alarm did not ring (title '$(e2e_title)')"
e2e_screenshot alarm-ringing
posledni=$(ini_value "$ini" Budicek posledni)
[[ "$posledni" =~ ^1\.1\.2030\ 7:00:0[0-2]$ ]] || fail "posledni not written at the ring: '$posledni'"
e2e_key "$box" Return
sleep 2
[ -z "$(xdotool search --name '^Tavrok: 1\.1\.2030' 2>/dev/null || true)" ] || fail "the alarm rang twice"
e2e_quit
echo "alarm scenario passed"
