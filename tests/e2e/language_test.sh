#!/usr/bin/env bash
# English picked in the settings: after OK the clock line's day, the settings' caption and the stored
# choice are English; picking Czech brings every Czech text back.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_launch
czech_day='^(Po|Út|St|Čt|Pá|So|Ne) '
e2e_wait_title "$czech_day"

# Opens the settings, expecting their caption, and picks the language a key press away in the list.
choose_language() { # caption, key, title expected after, stored value expected after
    local dialog
    e2e_focus "$E2E_WINDOW"
    xdotool key F12
    dialog=$(e2e_wait_window "^$1\$") || fail "no settings window captioned '$1'"
    e2e_focus "$dialog"
    xdotool mousemove --window "$dialog" 180 471 click 1 # cbxJazyk opens its list
    sleep 0.3
    xdotool key "$2" Return
    sleep 0.3
    xdotool key Return                                    # OK
    e2e_until 100 '! xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable' || fail "the settings stayed open"
    e2e_wait_title "$3"
    expect_eq "$(ini_value "$E2E_INI" nastaveni jazyk | tr -d '\r')" "$4" "the stored language"
}

choose_language 'Nastavení' Down '^(Mo|Tu|We|Th|Fr|Sa|Su) ' English
e2e_screenshot language-english
choose_language 'Settings' Up "$czech_day" Cesky
xdotool key F12
e2e_wait_window '^Nastavení$' >/dev/null || fail "the settings are not Czech again"
xdotool key Escape
e2e_quit
echo "language scenario passed"
