#!/usr/bin/env bash
# The session ends under a running program: SIGTERM (logout), SIGHUP and SIGINT each close it in order
# with exit status 0, nothing asked. With "ask" chosen for running engines the stopwatch keeps running
# across the restart with its splits; a stopped stopwatch's unsaved splits come back with it.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
mkdir -p "$E2E_SETTINGS"
ini="$E2E_SETTINGS/Nastaveni.ini"
printf '[nastaveni]\nzeptat=1\n' >"$ini"

end_with() { # signal
    kill -"$1" "$E2E_APP_PID"
    local status=0
    for _ in $(seq 200); do kill -0 "$E2E_APP_PID" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$E2E_APP_PID" 2>/dev/null && fail "SIGTERM did not end the program (a box is waiting?)"
    wait "$E2E_APP_PID" || status=$?
    expect_eq "$status" "0" "exit status after SIG$1"
}

# SIGTERM with the stopwatch running: kept running, the splits with it.
e2e_launch
e2e_click 70 22            # lblFceTavrok
e2e_click 48 159           # btnZapnout: Start
e2e_wait_title '^T: 0;00:00:0[1-9]$'
e2e_click 48 139           # btnTvrMezicas
end_with TERM
expect_eq "$(ini_value "$ini" pokracovaniTavrek stav)" "2" "kept running"
expect_eq "$(ini_value "$ini" pokracovaniTavrek pocetMezicasu)" "2" "the separator and one split"
expect_eq "$(ini_value "$ini" stavHlavnihoOkna funkce)" "2" "the window state"

# SIGHUP after the start: the stopwatch runs on; stopped with an unsaved split it comes back stopped.
e2e_launch
e2e_wait_title '^T: 0;00:00:[0-9]{2}$'
e2e_click 48 139           # another split
e2e_click 48 159           # Stop
end_with HUP
expect_eq "$(ini_value "$ini" pokracovaniTavrek stav)" "1" "unsaved splits kept with the stopped stopwatch"
expect_eq "$(ini_value "$ini" pokracovaniTavrek pocetMezicasu)" "3" "both splits"
expect_eq "$(ini_value "$ini" pokracovaniTavrek zastaveno)" "1" "stopped by the user"

# SIGINT (Ctrl+C in a terminal) while a question is open: the box does not hold the program.
e2e_launch
sleep 1
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) ' # the clock: the stopwatch stayed stopped
e2e_close                  # asks about the unsaved splits
sleep 0.5
end_with INT
expect_eq "$(ini_value "$ini" pokracovaniTavrek pocetMezicasu)" "3" "the splits after SIGINT"
echo "signals scenario passed"
