#!/usr/bin/env bash
# A countdown set on the digits with a message counts down in the title, pauses and resumes without
# losing time, and brings its end message up in front.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_launch
e2e_click 130 22            # lblFceOdpocit
e2e_digits 000005
e2e_click 88 136            # edtOdpZprava
xdotool type --delay 30 "Hotovo"
e2e_click 48 159            # btnZapnout: Start
e2e_wait_title '^O: 0;00:00:0[45]$'
e2e_screenshot countdown-running

e2e_wait_title '^O: 0;00:00:04$'
e2e_click 129 181           # btnPauza: Pauza
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) '   # paused: the title shows the clock
sleep 1.5
e2e_click 129 181           # btnPauza: Pokračovat
e2e_wait_title '^O: 0;00:00:0[34]$'         # on from where it stood

box=$(e2e_wait_window '^Tavrok: [0-9]') || fail "the end message did not appear"
e2e_screenshot countdown-end
e2e_key "$box" Return
e2e_until 100 '! xdotool search --name "^Tavrok: [0-9]" >/dev/null 2>&1' || true
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) '
e2e_quit
expect_ini "$E2E_INI" stavHlavnihoOkna funkce "3" "funkce"
echo "countdown scenario passed"
