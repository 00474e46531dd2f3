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
# Help menu ("Náp&ověda"): Index, then "Zkontrolovat novou verzi". The menu must have opened: a window
# of the program's more is shown.
visible_windows() { xdotool search --onlyvisible --pid "$E2E_APP_PID" 2>/dev/null | wc -l; }
check_from_menu() {
    e2e_focus "$E2E_WINDOW"
    local before
    before=$(visible_windows)
    xdotool key --clearmodifiers alt+o
    for _ in $(seq 40); do [ "$(visible_windows)" -gt "$before" ] && break; sleep 0.05; done
    [ "$(visible_windows)" -gt "$before" ] || fail "the Help menu did not open"
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

# It confirms and goes; now the menu starts it again. This one hides its window at once: a hidden
# updater still runs, and the menu leaves it alone too.
updater_window_gone
sleep 0.5
touch "$FAKE_UPDATER_LOG.hidden"
check_from_menu
wait_runs 2
sleep 0.3
xdotool search --onlyvisible --name '^Aktualizace programu Tavrok$' >/dev/null 2>&1 && fail "the updater's window should be hidden"
check_from_menu
sleep 0.5
expect_eq "$(runs)" 2 "runs while the updater's window is hidden"
updater_window_gone
rm "$FAKE_UPDATER_LOG.hidden"
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

# The same where the program's files may not be written (here the download folder cannot be made): the
# downloader is started through pkexec, which asks for an administrator's password. A stand-in pkexec
# records who started it and runs the command; the real one refuses a parent that has gone.
rm -rf "$E2E_APP/Data/Aktualizace/Download"
touch "$E2E_APP/Data/Aktualizace/Download"
mkdir -p "$E2E_DIR/bin"
printf '#!/bin/sh\nprintf "%%s|%%s\\n" "$(cat /proc/$PPID/comm)" "$*" >>"%s"\nexec "$@"\n' "$E2E_DIR/pkexec.log" >"$E2E_DIR/bin/pkexec"
chmod +x "$E2E_DIR/bin/pkexec"
sed -i 's/^aktualizovatPoSpusteni=0/aktualizovatPoSpusteni=1/' "$E2E_SETTINGS/Nastaveni.ini"
PATH="$E2E_DIR/bin:$PATH" FAKE_UPDATER_WINDOW_MS=0 FAKE_UPDATER_CONFIRM=0 "$E2E_APP/tavrok" >"$E2E_DIR/tavrok.log" 2>&1 &
E2E_APP_PID=$!
E2E_PIDS+=($E2E_APP_PID)
e2e_answer_box Return
e2e_wait_exit
wait_runs 5
expect_eq "$(sed -n 5p "$FAKE_UPDATER_LOG")" "Cesky.ini" "the downloader's argument through pkexec"
pkexec_line=$(cat "$E2E_DIR/pkexec.log")
[[ "$pkexec_line" == "tavrok|/usr/bin/env DISPLAY=$DISPLAY "*" $E2E_APP/Data/Aktualizace/TavrokStahovac Cesky.ini" ]] ||
    fail "pkexec was started as '$pkexec_line'"
expect_eq "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" stavProgramu aktualizovatPoSpusteni)" 0 "the hand-over flag"
echo "PASS"
