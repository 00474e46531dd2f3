#!/usr/bin/env bash
# The stopwatch started counts in the title, takes two splits and stops; closing asks about the unsaved
# splits, and the function and window state are saved and found again at the next start.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_launch
e2e_start_stopwatch '^T: 0;00:00:'
e2e_wait_title '^T: 0;00:00:0[2-9]$'  # counting (a loaded machine may show a later second first)
e2e_click 48 139           # btnTvrMezicas
e2e_click 48 139
e2e_screenshot stopwatch-running
e2e_click 48 159           # btnZapnout: Stop
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) '   # stopped: the clock again
e2e_quit Return            # the unsaved splits' question (message 11): Yes closes
expect_ini "$E2E_INI" stavHlavnihoOkna funkce "2" "funkce"
expect_ini "$E2E_INI" stavHlavnihoOkna zvuk "1" "zvuk"
expect_ini "$E2E_INI" stavHlavnihoOkna vzdyNahore "0" "vzdyNahore"
levo=$(ini_value "$E2E_INI" stavHlavnihoOkna levo)
[[ "$levo" =~ ^[0-9]+$ ]] || fail "window position not saved: '$levo'"

e2e_launch
pos=$(xdotool getwindowgeometry "$E2E_WINDOW" | awk '/Position/ { print $2 }')
e2e_quit
expect_ini "$E2E_INI" stavHlavnihoOkna levo "$levo" "position after a second run"
expect_ini "$E2E_INI" stavHlavnihoOkna funkce "2" "funkce after a second run"
echo "stopwatch scenario passed (window at $pos)"
