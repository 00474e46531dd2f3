#!/usr/bin/env bash
# A Wayland desktop: the program runs inside a headless weston through XWayland. With the split key
# turned on it says at start that the key works only in its own windows and where the desktop's own
# shortcut is set; a script then starts the stopwatch, takes a split with `tavrok --split` (as the
# desktop's shortcut would, with that box still open), stops it, and the desktop's logout closes the
# program with the split kept.
source "$(dirname "$0")/lib.sh"
e2e_install
command -v weston >/dev/null || fail "weston is not installed (make test installs it)"
command -v Xwayland >/dev/null || fail "Xwayland is not installed (make test installs it)"

export XDG_RUNTIME_DIR="$E2E_DIR/runtime" WAYLAND_DISPLAY=wayland-tavrok XDG_SESSION_TYPE=wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM
# weston's XWayland takes the first free X display number: the scenarios' Xvfb servers wait meanwhile.
exec 9>"${TMPDIR:-/tmp}/tavrok-e2e-xvfb.lock"
flock -w 60 9 || true
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --xwayland --idle-time=0 \
    --log="$E2E_DIR/weston.log" 9>&- &
E2E_PIDS+=($!)
e2e_until 200 'grep -qs "xserver listening on display" "$E2E_DIR/weston.log"' ||
    fail "weston did not start with XWayland: $(tail -5 "$E2E_DIR/weston.log")"
flock -u 9
exec 9>&-
DISPLAY=$(grep -o 'xserver listening on display :[0-9]*' "$E2E_DIR/weston.log" | grep -o ':[0-9]*$')
export DISPLAY
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston offers no Wayland socket"


e2e_settings '[nastaveni]\npouzitMezicas=1\n'
e2e_spawn
# XWayland starts on the first X11 client: the program's windows are X11 windows there.
e2e_until 600 'E2E_WINDOW=$(xdotool search --all --onlyvisible --pid "$E2E_APP_PID" --name "^(Po|Út|St|Čt|Pá|So|Ne) " 2>/dev/null | head -1); [ -n "$E2E_WINDOW" ]' ||
    fail "no main window appeared through XWayland: $(tail -5 "$E2E_DIR/tavrok.log")"
box=$(e2e_wait_window '^Tavrok$') || fail "the split key on a Wayland desktop was not explained"

e2e_expect_status 0 --stopwatch start
e2e_wait_title '^T: 0;00:00:0[0-9]$'
sleep 1.2
e2e_expect_status 0 --split
e2e_expect_status 0 --stopwatch stop
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) '
xwininfo -id "$box" | grep -q IsViewable || fail "the box went away by itself"

# The desktop's logout: the open box is answered for the user, the split stays for the next start.
kill -TERM "$E2E_APP_PID"
e2e_wait_exit
status=0
wait "$E2E_APP_PID" 2>/dev/null || status=$?
[ "$status" = 0 ] || [ "$status" = 127 ] || fail "the program ended with status $status at the logout"
# The box was the one about the split key, as the program's log names the box the logout answered.
grep -q "tavrok --split" "$E2E_DIR/tavrok.log" || fail "the box at start was not the split key's: $(cat "$E2E_DIR/tavrok.log")"
split=$(sed -n '/^\[pokracovaniTavrek-mezicasy\]/,/^\[/p' "$E2E_INI" | grep -E '^cas[0-9]+=1: +0; 00:00:01,[0-9]{3}$' || true)
[ -n "$split" ] || fail "the split was not kept: $(cat "$E2E_INI")"
echo "wayland scenario passed"
