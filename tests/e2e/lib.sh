# Shared steps of the end-to-end scenarios: a private X server with a window manager, a private copy of
# the program with its Data tree, and helpers that drive and read it like a user.
# A scenario sources this file, calls e2e_setup (or its two steps), then drives the program.
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

# e2e_until TRIES CONDITION: evaluates the condition every 50 ms until it holds (status 0) or the tries
# run out (status 1). The condition sees the caller's variables, not its positional parameters.
e2e_until() {
    for _ in $(seq "$1"); do eval "$2" && return 0; sleep 0.05; done
    return 1
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

# Copies the program and its Data tree into a folder of its own, so its settings are the scenario's;
# E2E_INI is the main settings file there. e2e_settings writes it before a start (printf's arguments).
e2e_install() {
    E2E_APP="$E2E_DIR/app" E2E_SETTINGS="$E2E_DIR/app/Data/Nastaveni"
    E2E_INI="$E2E_SETTINGS/Nastaveni.ini"
    mkdir -p "$E2E_APP"
    cp "$E2E_PROGRAM" "$E2E_APP/tavrok"
    cp "$(dirname "$E2E_PROGRAM")"/libtavrok-{sound,serial,print}.so "$E2E_APP/"
    cp -r "$(dirname "$E2E_PROGRAM")/Data" "$E2E_APP/Data"
    rm -rf "$E2E_SETTINGS"
}
e2e_setup() { e2e_start_display; e2e_install; }
e2e_settings() { mkdir -p "$E2E_SETTINGS"; printf "$@" >"$E2E_INI"; }

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

# Starts the program (extra words before it, e.g. faketime '...'); e2e_launch also waits for its window.
e2e_spawn() { "$@" "$E2E_APP/tavrok" >"$E2E_DIR/tavrok.log" 2>&1 & E2E_APP_PID=$!; E2E_PIDS+=($E2E_APP_PID); }
e2e_launch() {
    e2e_spawn "$@"
    E2E_WINDOW=""
    local tries
    for tries in $(seq 200); do
        local w pid boxed=""
        # A wrapper such as faketime may run the program as its child.
        # The main window: the first of the program's windows on the screen that belongs to no other (a
        # box or a dialog the start shows, such as the missed alarms, may map first); a box alone after
        # 3 s (one the start shows before the window).
        for pid in "$E2E_APP_PID" $(pgrep -P "$E2E_APP_PID" 2>/dev/null || true); do
            for w in $(xdotool search --all --pid "$pid" --class tavrok 2>/dev/null || true); do
                xwininfo -id "$w" 2>/dev/null | grep -q IsViewable || continue
                if xprop -id "$w" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; then
                    boxed=${boxed:-$w}
                    continue
                fi
                E2E_WINDOW=$w
                break 2
            done
        done
        [ -z "$E2E_WINDOW" ] && [ -n "$boxed" ] && (( tries > 60 )) && E2E_WINDOW=$boxed
        [ -n "$E2E_WINDOW" ] && break
        kill -0 "$E2E_APP_PID" 2>/dev/null || fail "the program ended at start: $(cat "$E2E_DIR/tavrok.log")"
        sleep 0.05
    done
    [ -n "$E2E_WINDOW" ] || fail "no main window appeared"
}

e2e_title() { xdotool getwindowname "$E2E_WINDOW"; }

# Closes the main window the way a user does: focus it and press Alt+F4 (the window manager asks the
# program to close, exactly as the title bar's close button does). e2e_quit also answers the question
# that closing asks with a key, if one is given, and waits for the end.
e2e_close() { e2e_focus "$E2E_WINDOW"; xdotool key --clearmodifiers alt+F4; }
e2e_quit() {
    e2e_close
    # On a loaded machine an Alt+F4 was seen to reach no one: the window stayed active, the program
    # neither ended nor asked. A user presses it again; the log says so, and a close the program
    # ignores still fails below.
    if ! e2e_until 100 '! kill -0 "$E2E_APP_PID" 2>/dev/null || [ "$(e2e_visible_windows | wc -w)" != 1 ]'; then
        echo "the first Alt+F4 neither closed the program nor opened a question; pressing it again" >&2
        e2e_close
    fi
    [ -z "${1:-}" ] || e2e_answer_box "$1"
    e2e_wait_exit
}
# The program's windows on the screen (a wrapper such as runuser or faketime may run it as a child).
e2e_visible_windows() {
    local pid
    for pid in "$E2E_APP_PID" $(pgrep -P "$E2E_APP_PID" 2>/dev/null || true); do
        xdotool search --all --onlyvisible --pid "$pid" --class tavrok 2>/dev/null || true
    done
}

# Gives a window the keyboard focus and waits until the window manager reports it active, up to 5 s
# (on a loaded machine a key pressed before that goes to no window at all). e2e_key WINDOW KEY... then
# presses keys in it.
e2e_focus() {
    for _ in $(seq 50); do
        xdotool windowactivate "$1" 2>/dev/null || true
        for _ in 1 2 3 4 5; do
            [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$1" ] && return 0
            sleep 0.02
        done
    done
    fail "window $1 never became active (active: $(xdotool getactivewindow 2>/dev/null || echo none));" \
        "the program's windows: $(for w in $(e2e_visible_windows); do printf "%s '%s' " "$w" "$(xdotool getwindowname "$w")"; done)"
}
e2e_key() { e2e_focus "$1"; shift; xdotool key --clearmodifiers "$@"; }

# Waits until the program has ended (after a close), up to 10 s.
e2e_wait_exit() {
    if e2e_until 200 '! kill -0 "$E2E_APP_PID" 2>/dev/null'; then wait "$E2E_APP_PID" || true; return 0; fi
    fail "the program did not end; active window: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none);" \
        "its windows: $(for w in $(e2e_visible_windows); do printf "'%s' " "$(xdotool getwindowname "$w")"; done);" \
        "log: $(tail -5 "$E2E_DIR/tavrok.log")$(e2e_backtrace)"
}
# Where the program's threads stand, when gdb is there to say it.
e2e_backtrace() {
    local pid
    command -v gdb >/dev/null || return 0
    for pid in "$E2E_APP_PID" $(pgrep -P "$E2E_APP_PID" 2>/dev/null || true); do
        printf '\nthreads of %s:\n' "$pid"
        timeout 30 gdb -p "$pid" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E '^(Thread|#)' | head -80
    done
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

# Types digits on the digit display from the hours tens (a click there also takes the focus off the
# edits); $2 is the delay between keys in ms.
e2e_digits() { e2e_click 19 49; xdotool type --delay "${2:-60}" "$1"; }

# Switches to the stopwatch, starts it and waits until the title matches $1.
e2e_start_stopwatch() {
    e2e_click 70 22            # lblFceTavrok
    e2e_click 48 159           # btnZapnout: Start
    e2e_wait_title "${1:-^T: 0;00:00:0[0-9]$}"
}

# Sets a daily alarm for 7:00 named $1 (with the message $2), switches it on, saves it and waits until
# the alarm file has it switched on.
e2e_save_alarm() {
    local alarm=$1
    e2e_digits 070000
    e2e_click 50 118           # cbxBudiky: the name
    xdotool type --delay 30 "$1"
    if [ -n "${2:-}" ]; then
        e2e_click 66 96        # edtD: the message
        xdotool type --delay 30 "$2"
    fi
    e2e_click 48 159           # btnZapnout: Zapnout
    e2e_click 111 118          # btnBudUlozit
    e2e_until 40 '[ "$(ini_value "$E2E_SETTINGS/Budiky.ini" "$alarm" stav)" = 1 ]' || true
}

# Waits up to 5 s until the title matches an extended regular expression; e2e_expect_title checks it now.
e2e_wait_title() {
    local re=$1
    e2e_until 100 '[[ "$(e2e_title)" =~ $re ]]' || fail "title '$(e2e_title)' never matched '$1'"
}
e2e_expect_title() { [[ "$(e2e_title)" =~ $1 ]] || fail "$2: the title reads '$(e2e_title)'"; }

# Prints the first window on the screen (not the main window) whose title matches an extended regular
# expression, or nothing; e2e_wait_visible waits up to 5 s for one (status 1 when none came).
e2e_visible() {
    local w
    for w in $(xdotool search --name "$1" 2>/dev/null || true); do
        [ "$w" != "${E2E_WINDOW:-}" ] || continue
        xwininfo -id "$w" 2>/dev/null | grep -q IsViewable && { echo "$w"; break; }
    done
    return 0
}
e2e_wait_visible() {
    local re=$1 w=""
    e2e_until 100 'w=$(e2e_visible "$re"); [ -n "$w" ]' && echo "$w"
}

# Waits up to 45 s for a window (shown or not) whose title matches an extended regular expression;
# prints its id.
e2e_wait_window() {
    local re=$1 w=""
    e2e_until 900 'w=$(xdotool search --name "$re" 2>/dev/null | head -1 || true); [ -n "$w" ]' && echo "$w"
}

# Waits for a message box captioned exactly "Tavrok" (up to 5 s) and answers it with a key.
e2e_answer_box() {
    local box
    box=$(e2e_wait_visible '^Tavrok$') || fail "no question appeared"
    e2e_key "$box" "$1"
}

# e2e_dialog_type TEXT WINDOW...: waits up to 10 s for a dialog to become active (a window other than
# those given) and types the text into it.
e2e_dialog_type() {
    local text=$1 dialog=""
    shift
    local others=" $* "
    e2e_until 200 'dialog=$(xdotool getactivewindow 2>/dev/null || true)
        [ -n "$dialog" ] && [[ $others != *" $dialog "* ]]' || fail "no dialog appeared"
    sleep 0.5
    xdotool type --delay 20 "$text"
}

e2e_screenshot() { import -window root "${SCREENSHOT_DIR:-$E2E_DIR}/$1.png"; }

# ini_value FILE SECTION KEY: the value as a person reading the file sees it.
ini_value() {
    awk -v s="$2" -v k="$3" '
        /^\[/ { sec = tolower(substr($0, 2, length($0) - 2)) }
        sec == tolower(s) && index($0, "=") { split($0, kv, "="); if (tolower(kv[1]) == tolower(k)) { print substr($0, length(kv[1]) + 2); exit } }
    ' "$1"
}

# A second start with switches, as a script runs it: its output in $E2E_DIR/stdout and stderr;
# e2e_expect_status checks its exit status (the reason shown on failure).
e2e_tavrok() { "$E2E_APP/tavrok" "$@" 2>"$E2E_DIR/stderr" >"$E2E_DIR/stdout"; }
e2e_expect_status() { # expected status, switches...
    local want=$1 got=0
    shift
    e2e_tavrok "$@" || got=$?
    [ "$got" = "$want" ] || fail "tavrok $*: status $got, not $want ($(cat "$E2E_DIR/stderr"))"
}
expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }
expect_ini() { expect_eq "$(ini_value "$1" "$2" "$3")" "$4" "$5"; } # FILE SECTION KEY EXPECTED WHAT
