#!/usr/bin/env bash
# A user works in another program and takes a split time with F11: the key reaches Tavrok while the
# other window has the focus. With the stopwatch stopped the key does nothing.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
mkdir -p "$E2E_SETTINGS"
printf '[nastaveni]\r\npouzitMezicas=1\r\nzkratkaMezicasu=122\r\n' >"$E2E_SETTINGS/Nastaveni.ini"

xmessage -name jiny -geometry 300x100+600+500 "Jiný program" >/dev/null 2>&1 &
E2E_PIDS+=($!)
other=""
for _ in $(seq 100); do other=$(xdotool search --classname jiny 2>/dev/null | head -1 || true); [ -n "$other" ] && break; sleep 0.05; done
[ -n "$other" ] || fail "the other program's window did not appear"
work_elsewhere() {
    e2e_focus "$other"
    xdotool key F11
    sleep 0.3
}

# Stopped: F11 in the other program takes nothing, so closing asks nothing about unsaved splits.
e2e_launch
work_elsewhere
e2e_close
e2e_wait_exit

# Running: F11 in the other program takes a split, and closing asks about it.
e2e_launch
e2e_click 71 22               # lblFceTavrok
e2e_click 48 159              # btnZapnout: Start
e2e_wait_title '^T: 0;00:00:0[0-9]$'
work_elsewhere
e2e_focus "$E2E_WINDOW"
e2e_click 48 159              # the stopwatch stops
e2e_close
e2e_answer_box Return         # "Mezičasy nebyly uloženy": the split is there
e2e_wait_exit
# The split key is Pause, which the separate display's colour picker takes while it waits: picking a
# colour with it leaves the split key working.
printf '[nastaveni]\r\npouzitMezicas=1\r\nzkratkaMezicasu=19\r\n' >"$E2E_SETTINGS/Nastaveni.ini"
e2e_launch
e2e_click 71 22               # lblFceTavrok
e2e_click 48 159              # btnZapnout: Start
e2e_wait_title '^T: 0;00:00:0[0-9]$'
xdotool key F5 F6
dialog=$(e2e_wait_window '^Nastavení Samostatného displeje$') || fail "the display settings did not open"
e2e_focus "$dialog"
xdotool mousemove --window "$dialog" 208 305 click 1 # the background colour's pipette
sleep 0.3
xdotool key Pause             # picks the colour under the mouse
sleep 0.3
e2e_focus "$dialog"
xdotool key Escape
sleep 0.3
e2e_focus "$other"
xdotool key Pause             # a split, taken in the other program
sleep 0.3
e2e_focus "$E2E_WINDOW"
e2e_click 48 159              # the stopwatch stops
e2e_close
e2e_answer_box Return         # "Mezičasy nebyly uloženy": the split is there
e2e_wait_exit
echo "hotkey scenario passed"
