#!/usr/bin/env bash
# A user takes two splits, saves them under a name in the split-times manager, clears the list, loads
# the set back and exports it as CSV for a spreadsheet; closing then asks nothing, as nothing is unsaved.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_launch
e2e_click 71 22               # lblFceTavrok
e2e_click 48 159              # btnZapnout: Start
e2e_wait_title '^T: 0;00:00:0[0-9]$'
e2e_click 38 139              # btnTvrMezicas
sleep 0.3
e2e_click 38 139
e2e_click 48 159              # Stop
e2e_click 45 99               # btnTvrImpExp
manager=$(e2e_wait_window '^Mezičasy$') || fail "the split-times manager did not open"
e2e_focus "$manager"
xdotool mousemove --window "$manager" 150 41 click 1   # edtNazev
xdotool type --delay 30 'Zavod 1'
xdotool key Return                                     # saves
splits="$E2E_SETTINGS/Mezicasy.ini"
for _ in $(seq 100); do [ "$(ini_value "$splits" info 1 2>/dev/null | tr -d '\r')" = 'Zavod 1' ] && break; sleep 0.05; done
expect_eq "$(ini_value "$splits" info 1 | tr -d '\r')" 'Zavod 1' "the saved name"
expect_eq "$(ini_value "$splits" 'Zavod 1' pocetMezicasu | tr -d '\r')" 3 "the saved lines"

xdotool key Escape            # the manager closes (it stands over the main window)
e2e_focus "$E2E_WINDOW"
e2e_click 123 99              # btnTvrVymazatVse
e2e_answer_box Return         # "Opravdu chcete vymazat všechny mezičasy?" Yes
e2e_click 45 99               # btnTvrImpExp again
manager=""
for _ in $(seq 100); do
    for w in $(xdotool search --name '^Mezičasy$' 2>/dev/null || true); do
        xwininfo -id "$w" 2>/dev/null | grep -q IsViewable && manager=$w
    done
    [ -n "$manager" ] && break
    sleep 0.05
done
[ -n "$manager" ] || fail "the split-times manager did not open again"
e2e_focus "$manager"
xdotool mousemove --window "$manager" 342 100 click 1  # btnNacist
sleep 0.3
xdotool mousemove --window "$manager" 342 322 click 1  # btnExportovat
csv="$E2E_DIR/zavod.csv"
dialog=""
for _ in $(seq 200); do
    dialog=$(xdotool getactivewindow 2>/dev/null || true)
    [ -n "$dialog" ] && [ "$dialog" != "$manager" ] && [ "$dialog" != "$E2E_WINDOW" ] && break
    dialog=""
    sleep 0.05
done
[ -n "$dialog" ] || fail "no file dialog appeared"
sleep 0.5
xdotool type --delay 20 "$csv"
# The file name's completion list may take the first Return: another one goes to the dialog.
for _ in 1 2 3; do
    xdotool key Return
    for _ in $(seq 40); do [ -s "$csv" ] && break 2; sleep 0.05; done
done
[ -s "$csv" ] || fail "no CSV was written"
grep -q $'^1;0;[0-9.,E-]*\r$' "$csv" || fail "the first split is not in the CSV: $(cat -A "$csv")"
grep -q $'^2;0;[0-9.,E-]*\r$' "$csv" || fail "the second split is not in the CSV: $(cat -A "$csv")"
e2e_screenshot splits-manager

xdotool key Escape
e2e_close                     # nothing unsaved: no question
e2e_wait_exit
echo "splits scenario passed"
