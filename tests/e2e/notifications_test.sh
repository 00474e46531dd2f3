#!/usr/bin/env bash
# With the main window minimised, an alarm at 7:00 (libfaketime) also goes to the desktop's notification
# server on a private session bus, with the alarm's name and message and the buttons "Vypnout zvuk" and
# "Odložit". "Odložit" pressed on the notice silences it and puts it off by a minute; the program is
# closed and started again, and the alarm rings once more at 7:01 with its message; "Vypnout zvuk" on
# that notice silences it while the program's box is still open. The sound goes to a PulseAudio
# server with a null sink, whose monitor says whether anything plays.
# Usage: notifications_test.sh path/to/tavrok path/to/fakenotifications
source "$(dirname "$0")/lib.sh"
server=${2:?fakenotifications}
trap 'pulseaudio --kill 2>/dev/null || true; e2e_cleanup' EXIT
e2e_setup

export HOME="$E2E_DIR/home" XDG_RUNTIME_DIR="$E2E_DIR/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=test_sink norewinds=1" \
    --load="module-native-protocol-unix auth-anonymous=1" 2>"$E2E_DIR/pulse.log" ||
    fail "pulseaudio did not start: $(cat "$E2E_DIR/pulse.log")"
e2e_until 100 'pactl info >/dev/null 2>&1' || fail "pulseaudio does not answer"
pactl set-default-sink test_sink
# The loudest sample of half a second of what the sink plays, 0 to 1.
loudness() {
    timeout 0.5 parec -d test_sink.monitor --raw --format=s16le --rate=44100 --channels=2 >"$E2E_DIR/heard.raw" || true
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$E2E_DIR/heard.raw" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }'
}
expect_loud() { awk -v a="$(loudness)" 'BEGIN { exit !(a > 0.1) }' || fail "$1: nothing plays"; }
expect_quiet() { # the sound ends at the sound timer's next turn
    sleep 0.3
    awk -v a="$(loudness)" 'BEGIN { exit !(a < 0.01) }' || fail "$1: the sound still plays"
}

# The scenario's own session bus and notification server.
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$E2E_DIR/bus.address" 4>"$E2E_DIR/bus.pid" ||
    fail "dbus-daemon did not start"
E2E_PIDS+=("$(cat "$E2E_DIR/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_DIR/bus.address")
notices="$E2E_DIR/notices.log"
touch "$notices"
FAKE_NOTIFICATIONS_LOG="$notices" "$server" >"$E2E_DIR/server.log" 2>&1 &
E2E_PIDS+=($!)
e2e_until 100 'gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner org.freedesktop.Notifications 2>/dev/null | grep -q true' ||
    fail "the notification server did not start: $(cat "$E2E_DIR/server.log")"
press() { # notice key
    gdbus call --session --dest org.freedesktop.Notifications --object-path /test \
        --method cz.tavrok.test.Desktop.Press "$1" "$2" >/dev/null || fail "could not press $2 on notice $1"
}
minimised() { xprop -id "$E2E_WINDOW" WM_STATE 2>/dev/null | grep -q 'window state: Iconic'; }

e2e_settings '[nastaveni]\nodkladani=1\ndelkaOdlozeni=1\n'
e2e_launch faketime '2030-01-01 06:59:35'
e2e_save_alarm Budicek Vstavat
xdotool windowminimize "$E2E_WINDOW"
e2e_until 100 minimised || fail "the window did not minimise"

box=$(e2e_wait_window '^Tavrok: 1\.1\.2030 7:00:0') || fail "the alarm did not ring"
e2e_until 100 'grep -q "^notify|1|" "$notices"' || fail "no notice reached the desktop: $(cat "$notices")"
expect_eq "$(grep "^notify|1|" "$notices")" \
    "notify|1|Budicek|Vstavat|default,,vypnout-zvuk,Vypnout zvuk,odlozit,Odložit" "the alarm's notice"
e2e_screenshot notice-ringing
expect_loud "the first ring"

press 1 odlozit
expect_quiet "put off from the notice"
e2e_until 100 '[ "$(ini_value "$E2E_INI" odlozeneBudiky 1)" = Budicek ]' ||
    fail "the alarm was not put off: $(cat "$E2E_INI")"
snoozed=$(ini_value "$E2E_INI" odlozeneBudiky 1kdy)
e2e_key "$box" Return # the program's own box, still open, is closed as ever
e2e_quit
expect_ini "$E2E_INI" odlozeneBudiky 1 Budicek "the snooze kept at the end"

e2e_launch faketime '2030-01-01 07:00:45'
expect_ini "$E2E_INI" odlozeneBudiky 1kdy "$snoozed" "the snooze read back"
xdotool windowminimize "$E2E_WINDOW"
e2e_until 100 minimised || fail "the window did not minimise after the restart"
box=$(e2e_wait_window '^Tavrok: 1\.1\.2030 7:01:0') || fail "the snoozed alarm did not ring after the restart"
e2e_until 100 '[ "$(grep -c "^notify|" "$notices")" = 2 ]' ||
    fail "the second ring did not reach the desktop: $(cat "$notices")"
[[ "$(grep "^notify|" "$notices" | tail -1)" == "notify|2|Budicek|Vstavat|"* ]] ||
    fail "the second notice is not the alarm's: $(cat "$notices")"
[ -z "$(ini_value "$E2E_INI" odlozeneBudiky 1)" ] || fail "the snooze was not taken off after its ring"
expect_loud "the second ring"
press 2 vypnout-zvuk
expect_quiet "silenced from the notice"
e2e_key "$box" Return
e2e_quit
echo "notifications scenario passed"
