#!/usr/bin/env bash
# A user closes Tavrok with the stopwatch running and chooses "keep running"; started again an hour
# later (libfaketime) the title shows the hour and the next split continues the numbering. The same
# with "pause": the hour away does not count.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
mkdir -p "$E2E_SETTINGS"
printf '[nastaveni]\nzeptat=1\n' >"$E2E_SETTINGS/Nastaveni.ini"
ini="$E2E_SETTINGS/Nastaveni.ini"

run_and_close() { # start time, answer key
    e2e_launch faketime "$1"
    e2e_click 70 22            # lblFceTavrok
    e2e_click 48 159           # btnZapnout: Start
    e2e_wait_title '^T: 0;00:00:0[1-9]$'
    e2e_click 48 139           # btnTvrMezicas
    e2e_click 48 139
    e2e_close
    e2e_answer_box "$2"        # the running-stopwatch question
    e2e_wait_exit
}

# Keep running.
run_and_close '2030-01-01 08:00:00' alt+n
expect_eq "$(ini_value "$ini" pokracovaniTavrek stav)" "2" "kept running"
expect_eq "$(ini_value "$ini" pokracovaniTavrek posledniMezicas)" "2" "split counter"
e2e_launch faketime '2030-01-01 09:00:00'
e2e_wait_title '^T: 0;0(0:59:5[0-9]|1:00:[0-9]{2})$'
e2e_screenshot continuation-kept
e2e_click 48 139               # the next split
e2e_close
e2e_answer_box alt+n
e2e_wait_exit
last=$(ini_value "$ini" pokracovaniTavrek-mezicasy cas4)
[[ "$last" =~ ^3:\ \ 0\;\ 0(0:59|1:00): ]] || fail "the next split is not number 3 an hour on: '$last'"

# Pause: a fresh start of the stopwatch, paused while off.
printf '[nastaveni]\nzeptat=1\n' >"$ini"
run_and_close '2030-01-02 08:00:00' alt+p
expect_eq "$(ini_value "$ini" pokracovaniTavrek stav)" "1" "paused"
e2e_launch faketime '2030-01-02 09:00:00'
e2e_wait_title '^T: 0;00:00:[0-9]{2}$'
e2e_close
e2e_answer_box Escape          # Storno: the program stays open and keeps running
sleep 0.5
kill -0 "$E2E_APP_PID" 2>/dev/null || fail "Storno closed the program"
[[ "$(e2e_title)" =~ ^T:\ 0\;00:00: ]] || fail "the stopwatch stopped after Storno: '$(e2e_title)'"
e2e_close
e2e_answer_box alt+z           # Zastavit
e2e_wait_exit
[ -z "$(ini_value "$ini" pokracovaniTavrek stav)" ] || fail "a stopped stopwatch was kept"
echo "continuation scenario passed"
