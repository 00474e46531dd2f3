#!/usr/bin/env bash
# The update check as a user meets it, with a stand-in updater installed in Data/Aktualizace: the first
# start starts it with the user's update choices, its open window keeps the menu from starting a second
# one, its confirmation puts the next check thirty days away, and an update it prepared for the next
# start is handed to the downloader, after which the program ends.
source "$(dirname "$0")/lib.sh"
FAKE_UPDATER=${2:?usage: update_test.sh tavrok fakeupdater}
e2e_start_display
e2e_install

export XDG_RUNTIME_DIR="$E2E_DIR/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export FAKE_UPDATER_LOG="$E2E_DIR/updater.log"
export FAKE_UPDATER_WINDOW_MS=3000
: >"$FAKE_UPDATER_LOG"
mkdir -p "$E2E_APP/Data/Aktualizace"
cp "$FAKE_UPDATER" "$E2E_APP/Data/Aktualizace/TavrokAktualizace"

runs() { wc -l <"$FAKE_UPDATER_LOG"; }
wait_runs() {
    for _ in $(seq 200); do [ "$(runs)" -ge "$1" ] && return 0; sleep 0.05; done
    fail "the updater ran $(runs) times, expected $1: $(cat "$FAKE_UPDATER_LOG")"
}
updater_window_gone() {
    for _ in $(seq 200); do
        xdotool search --name '^Aktualizace programu Tavrok$' >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    fail "the updater's window stayed"
}
# Help menu ("Náp&ověda"): Index, then "Zkontrolovat novou verzi".
check_from_menu() {
    xdotool windowactivate --sync "$E2E_WINDOW" 2>/dev/null || true
    xdotool key --clearmodifiers alt+o
    sleep 0.4
    xdotool key Down Return
    sleep 0.5
}

# First start, no settings yet: the check is due at once, with the default choices.
e2e_launch
wait_runs 1
expect_eq "$(sed -n 1p "$FAKE_UPDATER_LOG")" "2|0|1|1|Cesky.ini|2.51|$E2E_SETTINGS/Nastaveni.ini" "the updater's command line"
e2e_wait_window '^Aktualizace programu Tavrok$' >/dev/null || fail "the updater's window did not appear"
check_from_menu
sleep 0.5
expect_eq "$(runs)" 1 "runs while the updater's window is open"

# It confirms and goes; now the menu starts it again.
updater_window_gone
sleep 0.5
check_from_menu
wait_runs 2
updater_window_gone
e2e_close
e2e_wait_exit
today=$(date +%-d.%-m.%Y)
[[ "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" stavProgramu posledniKontrolaVerze)" == "$today "* ]] ||
    fail "the confirmed check was not stored: $(ini_value "$E2E_SETTINGS/Nastaveni.ini" stavProgramu posledniKontrolaVerze)"

# The next start, the same day: nothing is due.
e2e_launch
sleep 1.5
expect_eq "$(runs)" 2 "runs at a start the day after a check"
e2e_close
e2e_wait_exit

# A month on, the check is due again at the start.
e2e_launch faketime -f '+31d'
wait_runs 3
updater_window_gone
e2e_close
e2e_wait_exit

# The updater prepared an update for the next start: the downloader gets it and the program ends.
cp "$FAKE_UPDATER" "$E2E_APP/Data/Aktualizace/TavrokStahovac"
sed -i 's/^\[stavProgramu\]/[stavProgramu]\naktualizovatPoSpusteni=1/' "$E2E_SETTINGS/Nastaveni.ini"
FAKE_UPDATER_WINDOW_MS=0 FAKE_UPDATER_CONFIRM=0 "$E2E_APP/tavrok" >"$E2E_DIR/tavrok.log" 2>&1 &
E2E_APP_PID=$!
E2E_PIDS+=($E2E_APP_PID)
E2E_WINDOW=none
e2e_answer_box Return # "Program bude nyní ukončen a bude spuštěna jeho aktualizace."
e2e_wait_exit
wait_runs 4
expect_eq "$(sed -n 4p "$FAKE_UPDATER_LOG")" "Cesky.ini" "the downloader's argument"
expect_eq "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" stavProgramu aktualizovatPoSpusteni)" 0 "the hand-over flag"
echo "PASS"
