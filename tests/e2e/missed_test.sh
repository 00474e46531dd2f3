#!/usr/bin/env bash
# A daily 7:00 alarm saved, the program started two days later (libfaketime) lists the missed alarms;
# started again right after, it lists nothing.
source "$(dirname "$0")/lib.sh"
e2e_setup
ini="$E2E_SETTINGS/Budiky.ini"

e2e_launch faketime '2030-03-02 12:00:00'
e2e_save_alarm Rano
expect_ini "$ini" Rano stav "1" "saved switched on"
e2e_quit

e2e_launch faketime '2030-03-04 12:00:00'
missed=$(e2e_wait_window '^Zmeškané budíky$') || fail "the missed alarms were not shown"
e2e_screenshot missed-alarms
posledni=$(ini_value "$ini" Rano posledni)
[[ "$posledni" =~ ^4\.3\.2030\ 12:00:0[0-9]$ ]] || fail "posledni is not the start: '$posledni'"
e2e_key "$missed" Return       # OK
e2e_quit

e2e_launch faketime '2030-03-04 12:05:00'
sleep 2
[ -z "$(e2e_visible '^Zmeškané budíky$')" ] || fail "missed alarms listed again right after"
e2e_quit
echo "missed alarms scenario passed"
