#!/usr/bin/env bash
# Closed with the stopwatch running and "keep running" chosen, the program started an hour later
# (libfaketime) shows the hour and numbers the next split on; with "pause" the hour away does not count.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_settings '[nastaveni]\nzeptat=1\n'

run_and_close() { # start time, answer to the running-stopwatch question
    e2e_launch faketime "$1"
    e2e_start_stopwatch '^T: 0;00:00:0[1-9]$'
    e2e_click 48 139           # btnTvrMezicas
    e2e_click 48 139
    e2e_quit "$2"
}

run_and_close '2030-01-01 08:00:00' alt+n   # keep running
expect_ini "$E2E_INI" pokracovaniTavrek stav "2" "kept running"
expect_ini "$E2E_INI" pokracovaniTavrek posledniMezicas "2" "split counter"
e2e_launch faketime '2030-01-01 09:00:00'
e2e_wait_title '^T: 0;0(0:59:5[0-9]|1:00:[0-9]{2})$'
e2e_screenshot continuation-kept
e2e_click 48 139               # the next split
e2e_quit alt+n
last=$(ini_value "$E2E_INI" pokracovaniTavrek-mezicasy cas4)
[[ "$last" =~ ^3:\ \ 0\;\ 0(0:59|1:00): ]] || fail "the next split is not number 3 an hour on: '$last'"

e2e_settings '[nastaveni]\nzeptat=1\n'       # a fresh start of the stopwatch, paused while off
run_and_close '2030-01-02 08:00:00' alt+p
expect_ini "$E2E_INI" pokracovaniTavrek stav "1" "paused"
e2e_launch faketime '2030-01-02 09:00:00'
e2e_wait_title '^T: 0;00:00:[0-9]{2}$'
e2e_close
e2e_answer_box Escape          # Storno: the program stays open and keeps running
sleep 0.5
kill -0 "$E2E_APP_PID" 2>/dev/null || fail "Storno closed the program"
e2e_expect_title '^T: 0;00:00:' "the stopwatch stopped after Storno"
e2e_quit alt+z                 # Zastavit
[ -z "$(ini_value "$E2E_INI" pokracovaniTavrek stav)" ] || fail "a stopped stopwatch was kept"
echo "continuation scenario passed"
