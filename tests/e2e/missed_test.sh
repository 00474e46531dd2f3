#!/usr/bin/env bash
# A user saves a daily alarm for 7:00, closes Tavrok and starts it two days later (libfaketime): the
# missed alarms are listed at start. Started again right after, nothing is listed.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
ini="$E2E_SETTINGS/Budiky.ini"

e2e_launch faketime '2030-03-02 12:00:00'
e2e_click 19 49             # the hours tens
xdotool type --delay 60 070000
e2e_click 50 118            # cbxBudiky: the name
xdotool type --delay 30 Rano
e2e_click 48 159            # btnZapnout: Zapnout
e2e_click 111 118           # btnBudUlozit
for _ in $(seq 40); do [ "$(ini_value "$ini" Rano stav)" = 1 ] && break; sleep 0.05; done
expect_eq "$(ini_value "$ini" Rano stav)" "1" "saved switched on"
e2e_close
e2e_wait_exit

e2e_launch faketime '2030-03-04 12:00:00'
missed=$(e2e_wait_window '^Zmeškané budíky$') || fail "the missed alarms were not shown"
e2e_screenshot missed-alarms
posledni=$(ini_value "$ini" Rano posledni)
[[ "$posledni" =~ ^4\.3\.2030\ 12:00:0[0-9]$ ]] || fail "posledni is not the start: '$posledni'"
e2e_focus "$missed"
xdotool key --clearmodifiers Return   # OK
e2e_close
e2e_wait_exit

e2e_launch faketime '2030-03-04 12:05:00'
sleep 2
for w in $(xdotool search --name '^Zmeškané budíky$' 2>/dev/null || true); do
    xwininfo -id "$w" 2>/dev/null | grep -q IsViewable && fail "missed alarms listed again right after"
done
e2e_close
e2e_wait_exit
echo "missed alarms scenario passed"
