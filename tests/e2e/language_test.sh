#!/usr/bin/env bash
# A user picks English in the settings: after OK the program speaks English (the clock line's day, the
# settings dialog's caption, the stored choice), and picking Czech brings every Czech text back.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_launch
czech_day='^(Po|Út|St|Čt|Pá|So|Ne) '
english_day='^(Mo|Tu|We|Th|Fr|Sa|Su) '
e2e_wait_title "$czech_day"

# Opens the settings, expecting their caption, and picks the language a key press away in the list.
choose_language() {
    local caption=$1 key=$2 dialog
    e2e_focus "$E2E_WINDOW"
    xdotool key F12
    dialog=$(e2e_wait_window "^$caption\$") || fail "no settings window captioned '$caption'"
    e2e_focus "$dialog"
    xdotool mousemove --window "$dialog" 180 471 click 1 # cbxJazyk opens its list
    sleep 0.3
    xdotool key "$key" Return
    sleep 0.3
    xdotool key Return                                    # OK
    for _ in $(seq 100); do
        xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable || return 0
        sleep 0.05
    done
    fail "the settings stayed open"
}

choose_language 'Nastavení' Down
e2e_wait_title "$english_day"
expect_eq "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" nastaveni jazyk | tr -d '\r')" English "the stored language"
e2e_screenshot language-english

choose_language 'Settings' Up
e2e_wait_title "$czech_day"
expect_eq "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" nastaveni jazyk | tr -d '\r')" Cesky "the stored language"
xdotool key F12
e2e_wait_window '^Nastavení$' >/dev/null || fail "the settings are not Czech again"
xdotool key Escape
e2e_close
e2e_wait_exit
echo "language scenario passed"
