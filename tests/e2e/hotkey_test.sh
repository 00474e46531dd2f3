#!/usr/bin/env bash
# The split key (F11) pressed in another program reaches Tavrok while its stopwatch runs and does nothing
# while it is stopped; a split key (Pause) that the display's colour picker took stays working after.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_settings '[nastaveni]\r\npouzitMezicas=1\r\nzkratkaMezicasu=122\r\n'

xmessage -name jiny -geometry 300x100+600+500 "Jiný program" >/dev/null 2>&1 &
E2E_PIDS+=($!)
other=""
e2e_until 100 'other=$(xdotool search --classname jiny 2>/dev/null | head -1 || true); [ -n "$other" ]' ||
    fail "the other program's window did not appear"
split_elsewhere() { # key
    e2e_focus "$other"
    xdotool key "$1"
    sleep 0.3
}
stop_and_quit() {
    e2e_focus "$E2E_WINDOW"
    e2e_click 48 159          # the stopwatch stops
    e2e_quit Return           # "Mezičasy nebyly uloženy": the split is there
}

e2e_launch                    # stopped: nothing taken, so closing asks nothing
split_elsewhere F11
e2e_quit

e2e_launch
e2e_start_stopwatch
split_elsewhere F11
stop_and_quit

e2e_settings '[nastaveni]\r\npouzitMezicas=1\r\nzkratkaMezicasu=19\r\n'
e2e_launch
e2e_start_stopwatch
xdotool key F5 F6
dialog=$(e2e_wait_window '^Nastavení Samostatného displeje$') || fail "the display settings did not open"
e2e_focus "$dialog"
xdotool mousemove --window "$dialog" 208 305 click 1 # the background colour's pipette
sleep 0.3
xdotool key Pause             # picks the colour under the mouse
sleep 0.3
e2e_key "$dialog" Escape
sleep 0.3
split_elsewhere Pause
stop_and_quit
echo "hotkey scenario passed"
