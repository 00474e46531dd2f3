#!/usr/bin/env bash
# The update check with a stand-in updater: the first start runs it with the user's choices, its window
# (shown or hidden) keeps the menu from starting another, its confirmation puts the next check 30 days
# away, and an update prepared for the next start goes to the downloader (through pkexec where the
# program's files may not be written), after which the program ends.
source "$(dirname "$0")/lib.sh"
FAKE_UPDATER=${2:?usage: update_test.sh tavrok fakeupdater}
e2e_setup

export XDG_RUNTIME_DIR="$E2E_DIR/runtime" FAKE_UPDATER_LOG="$E2E_DIR/updater.log" FAKE_UPDATER_WINDOW_MS=3000
mkdir -m 700 "$XDG_RUNTIME_DIR"
: >"$FAKE_UPDATER_LOG"
mkdir -p "$E2E_APP/Data/Aktualizace"
cp "$FAKE_UPDATER" "$E2E_APP/Data/Aktualizace/TavrokAktualizace"
updater='^Aktualizace programu Tavrok$'

runs() { wc -l <"$FAKE_UPDATER_LOG"; }
wait_runs() {
    local n=$1
    e2e_until 200 '[ "$(runs)" -ge "$n" ]' ||
        fail "the updater ran $(runs) times, expected $1: $(cat "$FAKE_UPDATER_LOG")"
}
updater_window_gone() {
    e2e_until 200 '! xdotool search --name "$updater" >/dev/null 2>&1' || fail "the updater's window stayed"
}
# Help menu ("Náp&ověda"), once it has opened (one more window of the program is shown): Index, then
# "Zkontrolovat novou verzi".
visible_windows() { xdotool search --onlyvisible --pid "$E2E_APP_PID" 2>/dev/null | wc -l; }
check_from_menu() {
    local before
    e2e_focus "$E2E_WINDOW"
    before=$(visible_windows)
    xdotool key --clearmodifiers alt+o
    e2e_until 40 '[ "$(visible_windows)" -gt "$before" ]' || fail "the Help menu did not open"
    xdotool key Down Return
    sleep 0.5
}
# A start with an update prepared: the program says so, ends, and starts the downloader.
hand_over() { # run number, words before the program
    local run=$1
    shift
    e2e_spawn env "$@" FAKE_UPDATER_WINDOW_MS=0 FAKE_UPDATER_CONFIRM=0
    e2e_answer_box Return # "Program bude nyní ukončen a bude spuštěna jeho aktualizace."
    e2e_wait_exit
    wait_runs "$run"
    expect_eq "$(sed -n "${run}p" "$FAKE_UPDATER_LOG")" "Cesky.ini" "the downloader's argument (run $run)"
    expect_ini "$E2E_INI" stavProgramu aktualizovatPoSpusteni 0 "the hand-over flag (run $run)"
}

e2e_launch                    # no settings yet: the check is due at once, with the default choices
wait_runs 1
expect_eq "$(sed -n 1p "$FAKE_UPDATER_LOG")" "2|0|1|1|Cesky.ini|2.51|$E2E_INI" "the updater's command line"
e2e_wait_window "$updater" >/dev/null || fail "the updater's window did not appear"
check_from_menu
sleep 0.5
expect_eq "$(runs)" 1 "runs while the updater's window is open"

updater_window_gone           # it confirmed and went: the menu starts it again, now hidden at once
sleep 0.5
touch "$FAKE_UPDATER_LOG.hidden"
check_from_menu
wait_runs 2
sleep 0.3
xdotool search --onlyvisible --name "$updater" >/dev/null 2>&1 && fail "the updater's window should be hidden"
check_from_menu
sleep 0.5
expect_eq "$(runs)" 2 "runs while the updater's window is hidden"
updater_window_gone
rm "$FAKE_UPDATER_LOG.hidden"
e2e_quit
checked=$(ini_value "$E2E_INI" stavProgramu posledniKontrolaVerze)
[[ "$checked" == "$(date +%-d.%-m.%Y) "* ]] || fail "the confirmed check was not stored: $checked"

e2e_launch                    # the same day: nothing is due
sleep 1.5
expect_eq "$(runs)" 2 "runs at a start the day after a check"
e2e_quit

e2e_launch faketime -f '+31d' # a month on: due again at the start
wait_runs 3
updater_window_gone
e2e_quit

cp "$FAKE_UPDATER" "$E2E_APP/Data/Aktualizace/TavrokStahovac"
sed -i 's/^\[stavProgramu\]/[stavProgramu]\naktualizovatPoSpusteni=1/' "$E2E_INI"
E2E_WINDOW=none
hand_over 4

# Where the download folder cannot be made the downloader is started through pkexec. A stand-in pkexec
# records who started it and runs the command; the real one refuses a parent that has gone.
rm -rf "$E2E_APP/Data/Aktualizace/Download"
touch "$E2E_APP/Data/Aktualizace/Download"
mkdir -p "$E2E_DIR/bin"
printf '#!/bin/sh\nprintf "%%s|%%s\\n" "$(cat /proc/$PPID/comm)" "$*" >>"%s"\nexec "$@"\n' "$E2E_DIR/pkexec.log" >"$E2E_DIR/bin/pkexec"
chmod +x "$E2E_DIR/bin/pkexec"
sed -i 's/^aktualizovatPoSpusteni=0/aktualizovatPoSpusteni=1/' "$E2E_INI"
hand_over 5 PATH="$E2E_DIR/bin:$PATH"
pkexec_line=$(cat "$E2E_DIR/pkexec.log")
[[ "$pkexec_line" == "tavrok|/usr/bin/env DISPLAY=$DISPLAY "*" $E2E_APP/Data/Aktualizace/TavrokStahovac Cesky.ini" ]] ||
    fail "pkexec was started as '$pkexec_line'"
echo "PASS"
