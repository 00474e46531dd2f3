#!/usr/bin/env bash
# With the main window minimised, an alarm at 7:00 (libfaketime) also goes to the desktop's notification
# server on a private session bus, with the alarm's name and message and the buttons "Vypnout zvuk" and
# "Odložit". "Odložit" pressed on the notice puts it off by a minute; the program is closed and started
# again, and the alarm rings once more at 7:01 with its message; a click on that notice brings the
# window back.
# Usage: notifications_test.sh path/to/tavrok path/to/fakenotifications
source "$(dirname "$0")/lib.sh"
server=${2:?fakenotifications}
e2e_setup

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

press 1 odlozit
e2e_until 100 '[ "$(ini_value "$E2E_INI" odlozeneBudiky 1)" = Budicek ]' ||
    fail "the alarm was not put off: $(cat "$E2E_INI")"
snoozed=$(ini_value "$E2E_INI" odlozeneBudiky 1kdy)
e2e_key "$box" Return # the program's own box, still open, is closed as ever
e2e_quit
expect_ini "$E2E_INI" odlozeneBudiky 1 Budicek "the snooze kept at the end"

e2e_launch faketime '2030-01-01 07:00:40'
expect_ini "$E2E_INI" odlozeneBudiky 1kdy "$snoozed" "the snooze read back"
xdotool windowminimize "$E2E_WINDOW"
e2e_until 100 minimised || fail "the window did not minimise after the restart"
box=$(e2e_wait_window '^Tavrok: 1\.1\.2030 7:01:0') || fail "the snoozed alarm did not ring after the restart"
e2e_until 100 '[ "$(grep -c "^notify|" "$notices")" = 2 ]' ||
    fail "the second ring did not reach the desktop: $(cat "$notices")"
[[ "$(grep "^notify|" "$notices" | tail -1)" == "notify|2|Budicek|Vstavat|"* ]] ||
    fail "the second notice is not the alarm's: $(cat "$notices")"
[ -z "$(ini_value "$E2E_INI" odlozeneBudiky 1)" ] || fail "the snooze was not taken off after its ring"
press "$(grep "^notify|" "$notices" | tail -1 | cut -d'|' -f2)" default
e2e_until 100 '! minimised' || fail "a click on the notice did not bring the window back"
e2e_key "$box" Return
e2e_until 100 'grep -q "^close|" "$notices"' || true
e2e_quit
echo "notifications scenario passed"
