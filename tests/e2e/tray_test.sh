#!/usr/bin/env bash
# With "Do ikony" checked a minimised Tavrok leaves the screen for the notification area, where the icon
# shows the countdown emptying in a small disc; a double click on the icon brings the window back.
source "$(dirname "$0")/lib.sh"
e2e_setup
# A notification area on the top edge, as a desktop panel has it.
trayer --edge top --align right --widthtype pixel --width 120 --height 26 --SetDockType true \
    >"$E2E_DIR/trayer.log" 2>&1 &
E2E_PIDS+=($!)
e2e_until 100 'xwininfo -root -tree 2>/dev/null | grep -q "\"panel\": (\"panel\" \"trayer\")"' || true
e2e_launch

# The icon's window inside the notification area: "WIDTHxHEIGHT+X+Y" on the screen, or nothing.
tray_icon() {
    xwininfo -root -tree | awk '/\("tavrok" "Tavrok"\)/ { split($0, a, ")  "); n = split(a[2], g, " "); \
        split(g[1], size, "+"); if (size[1] != "" && g[2] != "") { sub(/^\+/, "", g[2]); \
        split(size[1], wh, "x"); if (wh[1] <= 48 && wh[2] <= 48) print size[1] "+" g[2] } }' | head -1
}
mapped() { xwininfo -id "$E2E_WINDOW" 2>/dev/null | grep -q IsViewable; }
# The icon is drawn by the program: the countdown's blue graph.
blue_pixels() {
    import -window root -crop "$icon" "$E2E_DIR/icon.png"
    convert "$E2E_DIR/icon.png" -format %c histogram:info:- | awk '/#0000FF/ { gsub(":", "", $1); print $1 }'
}

e2e_key "$E2E_WINDOW" alt+r
sleep 0.3
xdotool key d                 # mnuDoIkony
sleep 0.2
e2e_click 130 22              # lblFceOdpocit
e2e_digits 000030
e2e_click 48 159              # btnZapnout: Start
e2e_wait_title '^O: 0;00:00:(29|30)$'

xdotool windowminimize "$E2E_WINDOW"
e2e_until 100 '! mapped && [ -n "$(tray_icon)" ]' || true
mapped && fail "the window stayed on the screen"
icon=$(tray_icon)
[ -n "$icon" ] || fail "no icon appeared in the notification area"
first=$(blue_pixels)
[ "${first:-0}" -gt 50 ] || fail "the icon shows no countdown graph (blue pixels: ${first:-0})"
e2e_screenshot tray-countdown
sleep 6
later=$(blue_pixels)
[ "${later:-0}" -lt "$first" ] || fail "the graph did not empty: $first blue pixels, then ${later:-0}"

geometry=${icon%%+*}
position=${icon#*+}
xdotool mousemove $(( ${position%%+*} + ${geometry%%x*} / 2 )) $(( ${position#*+} + ${geometry#*x} / 2 )) \
    click --repeat 2 --delay 80 1
e2e_until 100 'mapped && [ -z "$(tray_icon)" ]' || true
mapped || fail "the double click did not bring the window back"
[ -z "$(tray_icon)" ] || fail "the icon stayed after the window came back"
e2e_wait_title '^O: 0;00:00:[0-2][0-9]$'
e2e_quit
expect_ini "$E2E_INI" stavHlavnihoOkna doIkony "1" "doIkony"
echo "tray scenario passed"
