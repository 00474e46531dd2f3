#!/usr/bin/env bash
# A user sets a daily alarm on the digits, names it, writes its message, switches it on and saves it,
# then sees it ring at 7:00 (time moved with libfaketime): the box with its caption, "posledni" written,
# and the alarm moved on to the next day.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_launch faketime '2030-01-01 06:59:35'

e2e_click 19 49             # the hours tens
xdotool type --delay 60 070000
e2e_click 50 118            # cbxBudiky: the name
xdotool type --delay 30 Budicek
e2e_click 66 96             # edtD: the message
xdotool type --delay 30 "Vstavat"
e2e_click 48 159            # btnZapnout: Zapnout
e2e_click 111 118           # btnBudUlozit
ini="$E2E_SETTINGS/Budiky.ini"
for _ in $(seq 40); do [ "$(ini_value "$ini" Budicek stav)" = 1 ] && break; sleep 0.05; done
expect_eq "$(ini_value "$ini" Budicek cas)" "7:00:00" "saved time"
expect_eq "$(ini_value "$ini" Budicek stav)" "1" "saved switched on"
expect_eq "$(ini_value "$ini" Budicek zprava)" "Vstavat" "saved message"
expect_eq "$(ini_value "$ini" info 1)" "Budicek" "listed in info"
e2e_screenshot alarm-saved

box=$(e2e_wait_window '^Tavrok: 1\.1\.2030 7:00:0') || fail "the alarm did not ring (title '$(e2e_title)')"
e2e_screenshot alarm-ringing
posledni=$(ini_value "$ini" Budicek posledni)
[[ "$posledni" =~ ^1\.1\.2030\ 7:00:0[0-2]$ ]] || fail "posledni not written at the ring: '$posledni'"
e2e_focus "$box"
xdotool key --clearmodifiers Return
sleep 2
[ -z "$(xdotool search --name '^Tavrok: 1\.1\.2030' 2>/dev/null || true)" ] || fail "the alarm rang twice"
e2e_close
e2e_wait_exit
echo "alarm scenario passed"
