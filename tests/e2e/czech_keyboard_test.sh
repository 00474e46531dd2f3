#!/usr/bin/env bash
# A user with a Czech keyboard sets a countdown: the top-row digits need Shift, and a fast typist presses
# the next key before letting go of the previous one. Every digit counts once; Ctrl+Tab switches once.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
setxkbmap -display "$DISPLAY" cz || fail "the Czech layout could not be set"
e2e_launch

e2e_click 130 22            # lblFceOdpocit
e2e_click 19 49             # the hours tens: the marker, and the focus off the edits
# With the Czech layout xdotool reaches the digits through Shift, as a person must.
xdotool type --delay 80 000012
e2e_click 48 159            # btnZapnout: Start
e2e_wait_title '^O: 0;00:00:1[12]$'
e2e_click 48 159            # Stop
e2e_screenshot czech-typed

# Rollover: each key goes down before the previous one comes up.
e2e_click 19 49
xdotool keydown shift
for k in 1 2 3 4 5 6; do
    xdotool keydown "$k"
    [ "$k" != 1 ] && xdotool keyup "$prev"
    prev=$k
    sleep 0.03
done
xdotool keyup "$prev"
xdotool keyup shift
e2e_click 48 159            # Start 12:34:56
e2e_wait_title '^O: 0;12:34:5[56]$'
e2e_click 48 159            # Stop

# Ctrl+Tab pressed quickly: countdown -> alarm clock, exactly one step.
xdotool key --clearmodifiers ctrl+Tab
sleep 0.3
e2e_close
e2e_wait_exit
expect_eq "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" stavHlavnihoOkna funkce)" "1" "funkce after one Ctrl+Tab"
echo "czech keyboard scenario passed"
