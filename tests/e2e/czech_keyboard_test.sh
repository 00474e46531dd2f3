#!/usr/bin/env bash
# With a Czech keyboard the top-row digits need Shift, and a fast typist presses the next key before
# letting go of the previous one: every digit counts once, and Ctrl+Tab switches once.
source "$(dirname "$0")/lib.sh"
e2e_setup
setxkbmap -display "$DISPLAY" cz || fail "the Czech layout could not be set"
e2e_launch
e2e_click 130 22            # lblFceOdpocit
e2e_digits 000012 80        # xdotool reaches the digits through Shift, as a person must
e2e_click 48 159            # btnZapnout: Start
e2e_wait_title '^O: 0;00:00:1[12]$'
e2e_click 48 159            # Stop
e2e_screenshot czech-typed

e2e_click 19 49             # rollover: each key goes down before the previous one comes up
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

xdotool key --clearmodifiers ctrl+Tab   # quickly: countdown -> alarm clock, exactly one step
sleep 0.3
e2e_quit
expect_ini "$E2E_INI" stavHlavnihoOkna funkce "1" "funkce after one Ctrl+Tab"
echo "czech keyboard scenario passed"
