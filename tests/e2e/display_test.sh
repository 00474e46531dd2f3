#!/usr/bin/env bash
# The separate display shown with F5 follows the running stopwatch, a split holds it for the set time,
# and the place it was moved to is kept for the next start.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_settings '[dalsiNastaveniTavrok]\r\nzastavitDisplej=1\r\ndoba=2500\r\n'
e2e_launch

shot() { import -window "$DISPLAY_WINDOW" "$E2E_DIR/$1.png"; }
differing() { compare -metric AE "$E2E_DIR/$1.png" "$E2E_DIR/$2.png" null: 2>&1 | cut -d' ' -f1; }
show_display() {
    e2e_key "$E2E_WINDOW" F5
    DISPLAY_WINDOW=$(e2e_wait_visible '^Samostatný displej - Tavrok$') ||
        fail "F5 showed no display window${1:+ $1}"
}
place() {
    xwininfo -id "$DISPLAY_WINDOW" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width/ { w = $2 } /Height/ { h = $2 } END { print x "," y "," w "x" h }'
}

show_display
e2e_focus "$E2E_WINDOW"
e2e_start_stopwatch
shot running1
sleep 0.4
shot running2
[ "$(differing running1 running2)" -gt 0 ] || fail "the display does not follow the running stopwatch"

e2e_click 38 139              # btnTvrMezicas: a split holds the display for 2.5 s
sleep 0.3
shot held1
sleep 0.8
shot held2
expect_eq "$(differing held1 held2)" "0" "pixels changed while the split held the display"
SCREENSHOT_DIR=${SCREENSHOT_DIR:-} e2e_screenshot display-held
sleep 2.5
shot free
[ "$(differing held2 free)" -gt 0 ] || fail "the display stayed held after the freeze time"

xdotool windowmove "$DISPLAY_WINDOW" 60 430
sleep 0.3
before=$(place)
e2e_focus "$E2E_WINDOW"
e2e_click 48 159              # the stopwatch stops
e2e_quit Return               # close without saving the split
expect_ini "$E2E_INI" stavDispleje stav "3" "stav"

e2e_launch
show_display "after the restart"
sleep 0.3
expect_eq "$(place)" "$before" "the display's place after a restart"
e2e_quit
echo "display scenario passed"
