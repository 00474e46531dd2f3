# Shared steps of the end-to-end scenarios: a private X server with a window manager, a private copy of
# the program with its Data tree, and helpers that drive and read it like a user.
# A scenario sources this file, calls e2e_start_display and e2e_install, then drives the program.
set -euo pipefail

E2E_PROGRAM=${1:?usage: scenario.sh path/to/tavrok}
E2E_DIR=$(mktemp -d /tmp/tavrok-e2e.XXXXXX)
E2E_PIDS=()

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [ -n "${E2E_KEEP:-}" ]; then echo "kept $E2E_DIR"; else rm -rf "$E2E_DIR"; fi
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then import -window root "$E2E_DIR/failure.png" 2>/dev/null && echo "screen: $E2E_DIR/failure.png" >&2; fi
    E2E_KEEP=1
    exit 1
}

# Starts one Xvfb on a free display number; succeeds when the server answers on it. Servers are started
# one at a time (a server starting while another does was seen to serve the other's number).
# -noreset: the server would otherwise reset when its last client (our readiness probe) leaves, just as
# the window manager connects.
e2e_try_xvfb() {
    local fifo="$E2E_DIR/displayfd.$1" number="" server
    mkfifo "$fifo"
    exec 9>"${TMPDIR:-/tmp}/tavrok-e2e-xvfb.lock"
    flock -w 60 9 || true
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" 2>>"$E2E_DIR/xvfb.log" 9>&- &
    server=$!
    E2E_PIDS+=($server)
    read -r -t 20 number <"$fifo" || true
    local ready=""
    if [ -n "$number" ]; then
        export DISPLAY=":$number"
        for _ in $(seq 100); do
            kill -0 "$server" 2>/dev/null || break
            if xprop -root >/dev/null 2>&1; then ready=1; break; fi
            sleep 0.05
        done
        # One that answers and then ends at once had lost its number to another server.
        sleep 0.2
        kill -0 "$server" 2>/dev/null || ready=""
    fi
    flock -u 9
    exec 9>&-
    [ -n "$ready" ] && return 0
    echo "Xvfb (try $1) did not answer on ':$number'" >>"$E2E_DIR/xvfb.log"
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    return 1
}

# Starts openbox on $DISPLAY; succeeds when it has taken over the screen.
e2e_try_wm() {
    local wm
    openbox >>"$E2E_DIR/openbox.log" 2>&1 &
    wm=$!
    E2E_PIDS+=($wm)
    for _ in $(seq 100); do
        # Ready when it names what it supports (a loaded machine shows the check window first).
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window &&
            xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW; then
            sleep 0.2 # the window manager announces itself before it manages windows
            return 0
        fi
        kill -0 "$wm" 2>/dev/null || return 1 # it gave up (a busy machine)
        sleep 0.05
    done
    kill "$wm" 2>/dev/null || true
    return 1
}

# Starts Xvfb on a free display number and openbox on it. Scenarios run side by side; a server or a
# window manager that gives up is started again, and a server the window manager cannot reach is
# replaced.
e2e_start_display() {
    unset WAYLAND_DISPLAY
    local try attempt
    for try in 1 2 3; do
        e2e_try_xvfb "$try" || continue
        for attempt in 1 2 3; do
            e2e_try_wm && return 0
            xprop -root >/dev/null 2>&1 || break # the server went away: start another
            sleep 0.3
        done
        echo "openbox could not start on $DISPLAY (try $try)" >>"$E2E_DIR/xvfb.log"
    done
    fail "the X server with its window manager did not start: $(cat "$E2E_DIR/xvfb.log" "$E2E_DIR/openbox.log" 2>/dev/null)"
}

# Copies the program and its Data tree into a folder of its own, so its settings are the scenario's.
e2e_install() {
    E2E_APP="$E2E_DIR/app"
    mkdir -p "$E2E_APP"
    cp "$E2E_PROGRAM" "$E2E_APP/tavrok"
    cp -r "$(dirname "$E2E_PROGRAM")/Data" "$E2E_APP/Data"
    rm -rf "$E2E_APP/Data/Nastaveni"
    E2E_SETTINGS="$E2E_APP/Data/Nastaveni"
}

# A clock the scenario moves while the program runs: libfaketime reads an offset ("+0", "-3600") from
# E2E_CLOCK_OFFSET at every call. `e2e_faked_env` prints the environment that applies it; add
# FAKETIME_DONT_FAKE_MONOTONIC=1 to move only the wall clock (a clock set) rather than all (a sleep).
e2e_faked_clock() {
    E2E_CLOCK_OFFSET="$E2E_DIR/clock-offset"
    echo "+0" >"$E2E_CLOCK_OFFSET"
    E2E_FAKETIME=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1 || true)
    [ -n "$E2E_FAKETIME" ] || fail "libfaketime is not installed"
}
e2e_faked_env() { echo "LD_PRELOAD=$E2E_FAKETIME FAKETIME_TIMESTAMP_FILE=$E2E_CLOCK_OFFSET FAKETIME_NO_CACHE=1"; }

# Starts the program (extra words before it, e.g. faketime '...') and waits for its main window.
e2e_launch() {
    "$@" "$E2E_APP/tavrok" >"$E2E_DIR/tavrok.log" 2>&1 &
    E2E_APP_PID=$!
    E2E_PIDS+=($E2E_APP_PID)
    E2E_WINDOW=""
    for _ in $(seq 200); do
        local w pid
        w=""
        # A wrapper such as faketime may run the program as its child.
        # The first of the program's windows that is on the screen (others exist hidden from the start).
        for pid in "$E2E_APP_PID" $(pgrep -P "$E2E_APP_PID" 2>/dev/null || true); do
            for w in $(xdotool search --all --pid "$pid" --class tavrok 2>/dev/null || true); do
                xwininfo -id "$w" 2>/dev/null | grep -q IsViewable && break 2
                w=""
            done
        done
        if [ -n "$w" ]; then
            E2E_WINDOW=$w
            break
        fi
        kill -0 "$E2E_APP_PID" 2>/dev/null || fail "the program ended at start: $(cat "$E2E_DIR/tavrok.log")"
        sleep 0.05
    done
    [ -n "$E2E_WINDOW" ] || fail "no main window appeared"
}

e2e_title() { xdotool getwindowname "$E2E_WINDOW"; }

# Closes the main window the way a user does: focus it and press Alt+F4 (the window manager asks the
# program to close, exactly as the title bar's close button does).
e2e_close() {
    e2e_focus "$E2E_WINDOW"
    xdotool key --clearmodifiers alt+F4
}

# Gives a window the keyboard focus and waits until the window manager reports it active, up to 5 s
# (on a loaded machine a key pressed before that goes to no window at all).
e2e_focus() {
    for _ in $(seq 50); do
        xdotool windowactivate "$1" 2>/dev/null || true
        for _ in 1 2 3 4 5; do
            [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$1" ] && return 0
            sleep 0.02
        done
    done
    echo "window $1 never became active (active: $(xdotool getactivewindow 2>/dev/null || echo none))" >&2
}

# Waits until the program has ended (after a close), up to 10 s.
e2e_wait_exit() {
    for _ in $(seq 200); do
        kill -0 "$E2E_APP_PID" 2>/dev/null || { wait "$E2E_APP_PID" || true; return 0; }
        sleep 0.05
    done
    fail "the program did not end; active window: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none);" \
        "its windows: $(for w in $(xdotool search --all --onlyvisible --pid "$E2E_APP_PID" --class tavrok 2>/dev/null); do
            printf "'%s' " "$(xdotool getwindowname "$w")"; done); log: $(tail -5 "$E2E_DIR/tavrok.log")"
}

# Clicks a point given in the main window's client coordinates below the menu bar, as the layout
# tables give them (the window must be at its full height, as it starts).
E2E_CLIENT_HEIGHT=223
e2e_click() {
    local height
    height=$(xdotool getwindowgeometry "$E2E_WINDOW" | awk '/Geometry/ { split($2, g, "x"); print g[2] }')
    xdotool mousemove --window "$E2E_WINDOW" "$1" $(( $2 + height - E2E_CLIENT_HEIGHT )) click 1
    sleep 0.15
}

# Waits until the title matches an extended regular expression, up to 5 s.
e2e_wait_title() {
    for _ in $(seq 100); do
        [[ "$(e2e_title)" =~ $1 ]] && return 0
        sleep 0.05
    done
    fail "title '$(e2e_title)' never matched '$1'"
}

# Waits for a message box captioned exactly "Tavrok" (up to 5 s) and answers it with a key.
e2e_answer_box() {
    local box=""
    for _ in $(seq 100); do
        box=$(xdotool search --name '^Tavrok$' 2>/dev/null | while read -r w; do
            [ "$w" != "$E2E_WINDOW" ] && xwininfo -id "$w" 2>/dev/null | grep -q IsViewable && echo "$w"
        done | head -1 || true)
        [ -n "$box" ] && break
        sleep 0.05
    done
    [ -n "$box" ] || fail "no question appeared"
    e2e_focus "$box"
    xdotool key --clearmodifiers "$1"
}

# Waits up to 45 s for a window whose title matches an extended regular expression; prints its id.
e2e_wait_window() {
    local w=""
    for _ in $(seq 900); do
        w=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.05
    done
    return 1
}

e2e_screenshot() { import -window root "${SCREENSHOT_DIR:-$E2E_DIR}/$1.png"; }

# ini_value FILE SECTION KEY: the value as a person reading the file sees it.
ini_value() {
    awk -v s="$2" -v k="$3" '
        /^\[/ { sec = tolower(substr($0, 2, length($0) - 2)) }
        sec == tolower(s) && index($0, "=") { split($0, kv, "="); if (tolower(kv[1]) == tolower(k)) { print substr($0, length(kv[1]) + 2); exit } }
    ' "$1"
}

expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }
