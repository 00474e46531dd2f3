#!/usr/bin/env bash
# A user sets a countdown on the digits: types its length, writes a message, starts it, watches the
# title count down, pauses and resumes it, and sees the end message come up in front.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_launch

e2e_click 130 22            # lblFceOdpocit
e2e_click 19 49             # the hours tens of lblH: the marker, and the focus off the edits
xdotool type --delay 60 000005
e2e_click 88 136            # edtOdpZprava
xdotool type --delay 30 "Hotovo"
e2e_click 48 159            # btnZapnout: Start
e2e_wait_title '^O: 0;00:00:0[45]$'
e2e_screenshot countdown-running

e2e_wait_title '^O: 0;00:00:04$'
e2e_click 129 181           # btnPauza: Pauza
# Paused, the countdown does not run: the title shows the clock.
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) '
sleep 1.5
e2e_click 129 181           # btnPauza: Pokračovat
# It goes on from where it stood: the pause took nothing off the time left.
e2e_wait_title '^O: 0;00:00:0[34]$'

box=$(e2e_wait_window '^Tavrok: [0-9]') || fail "the end message did not appear"
e2e_screenshot countdown-end
e2e_focus "$box"
xdotool key --clearmodifiers Return
for _ in $(seq 100); do
    xdotool search --name '^Tavrok: [0-9]' >/dev/null 2>&1 || break
    sleep 0.05
done
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) '
e2e_close
e2e_wait_exit
expect_eq "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" stavHlavnihoOkna funkce)" "3" "funkce"
echo "countdown scenario passed"
