#!/usr/bin/env bash
# A user checks "Do ikony", starts a countdown and minimises Tavrok: the window leaves the screen and
# the notification area shows the countdown emptying in a small disc; a double click on the icon brings
# the window back.
source "$(dirname "$0")/lib.sh"
e2e_start_display
# A notification area on the top edge, as a desktop panel has it.
trayer --edge top --align right --widthtype pixel --width 120 --height 26 --SetDockType true \
    >"$E2E_DIR/trayer.log" 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"panel": ("panel" "trayer")' && break
    sleep 0.05
done
e2e_install
e2e_launch

# The icon's window inside the notification area: "WIDTHxHEIGHT+X+Y" on the screen, or nothing.
tray_icon() {
    xwininfo -root -tree | awk '/\("tavrok" "Tavrok"\)/ { split($0, a, ")  "); n = split(a[2], g, " "); \
        split(g[1], size, "+"); if (size[1] != "" && g[2] != "") { sub(/^\+/, "", g[2]); \
        split(size[1], wh, "x"); if (wh[1] <= 48 && wh[2] <= 48) print size[1] "+" g[2] } }' | head -1
}
mapped() { xwininfo -id "$E2E_WINDOW" 2>/dev/null | grep -q IsViewable; }

e2e_focus "$E2E_WINDOW"
xdotool key --clearmodifiers alt+r
sleep 0.3
xdotool key d                 # mnuDoIkony
sleep 0.2

e2e_click 130 22              # lblFceOdpocit
e2e_click 19 49               # the digits take the keys
xdotool type --delay 60 000030
e2e_click 48 159              # btnZapnout: Start
e2e_wait_title '^O: 0;00:00:(29|30)$'

xdotool windowminimize "$E2E_WINDOW"
for _ in $(seq 100); do
    ! mapped && [ -n "$(tray_icon)" ] && break
    sleep 0.05
done
mapped && fail "the window stayed on the screen"
icon=$(tray_icon)
[ -n "$icon" ] || fail "no icon appeared in the notification area"

# The icon is drawn by the program: the countdown's blue graph, which empties as time passes.
blue_pixels() {
    import -window root -crop "$icon" "$E2E_DIR/icon.png"
    convert "$E2E_DIR/icon.png" -format %c histogram:info:- | awk '/#0000FF/ { gsub(":", "", $1); print $1 }'
}
first=$(blue_pixels)
[ "${first:-0}" -gt 50 ] || fail "the icon shows no countdown graph (blue pixels: ${first:-0})"
e2e_screenshot tray-countdown
sleep 6
later=$(blue_pixels)
[ "${later:-0}" -lt "$first" ] || fail "the graph did not empty: $first blue pixels, then ${later:-0}"

# A double click on the icon brings the window back and takes the icon away.
geometry=${icon%%+*}
position=${icon#*+}
x=$(( ${position%%+*} + ${geometry%%x*} / 2 ))
y=$(( ${position#*+} + ${geometry#*x} / 2 ))
xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
for _ in $(seq 100); do
    mapped && [ -z "$(tray_icon)" ] && break
    sleep 0.05
done
mapped || fail "the double click did not bring the window back"
[ -z "$(tray_icon)" ] || fail "the icon stayed after the window came back"
e2e_wait_title '^O: 0;00:00:[0-2][0-9]$'

e2e_close
e2e_wait_exit
expect_eq "$(ini_value "$E2E_SETTINGS/Nastaveni.ini" stavHlavnihoOkna doIkony)" "1" "doIkony"
echo "tray scenario passed"
