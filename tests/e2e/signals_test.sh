#!/usr/bin/env bash
# SIGTERM (logout), SIGHUP and SIGINT each close the program in order with exit status 0, nothing asked.
# With "ask" chosen the running stopwatch keeps running across the restart with its splits; a stopped
# stopwatch's unsaved splits come back with it.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_settings '[nastaveni]\nzeptat=1\n'

end_with() { # signal
    local status=0
    kill -"$1" "$E2E_APP_PID"
    e2e_until 200 '! kill -0 "$E2E_APP_PID" 2>/dev/null' ||
        fail "SIG$1 did not end the program (a box is waiting?)"
    wait "$E2E_APP_PID" || status=$?
    expect_eq "$status" "0" "exit status after SIG$1"
}

e2e_launch                 # SIGTERM while running: kept running, the splits with it
e2e_start_stopwatch '^T: 0;00:00:0[1-9]$'
e2e_click 48 139           # btnTvrMezicas
end_with TERM
expect_ini "$E2E_INI" pokracovaniTavrek stav "2" "kept running"
expect_ini "$E2E_INI" pokracovaniTavrek pocetMezicasu "2" "the separator and one split"
expect_ini "$E2E_INI" stavHlavnihoOkna funkce "2" "the window state"

e2e_launch                 # SIGHUP: stopped with an unsaved split, it comes back stopped
e2e_wait_title '^T: 0;00:00:[0-9]{2}$'
e2e_click 48 139           # another split
e2e_click 48 159           # Stop
end_with HUP
expect_ini "$E2E_INI" pokracovaniTavrek stav "1" "unsaved splits kept with the stopped stopwatch"
expect_ini "$E2E_INI" pokracovaniTavrek pocetMezicasu "3" "both splits"
expect_ini "$E2E_INI" pokracovaniTavrek zastaveno "1" "stopped by the user"

e2e_launch                 # SIGINT (Ctrl+C in a terminal) while a question is open
sleep 1
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) ' # the clock: the stopwatch stayed stopped
e2e_close                  # asks about the unsaved splits
sleep 0.5
end_with INT
expect_ini "$E2E_INI" pokracovaniTavrek pocetMezicasu "3" "the splits after SIGINT"
echo "signals scenario passed"
