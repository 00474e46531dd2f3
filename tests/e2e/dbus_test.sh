#!/usr/bin/env bash
# A script drives the program over the session bus (a private one): it introspects the object, starts
# the stopwatch, takes a split (and hears the signal and the changed state), reads the state, has a
# refused call answered with the reason, runs a countdown to its end, brings the window back, and stops.
# A second start hears an alarm ring and reads it as the next alarm before.
source "$(dirname "$0")/lib.sh"
e2e_setup
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$E2E_DIR/bus.address" 4>"$E2E_DIR/bus.pid" ||
    fail "dbus-daemon did not start"
E2E_PIDS+=("$(cat "$E2E_DIR/bus.pid")")
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_DIR/bus.address")
call() { gdbus call --session --dest cz.tavrok.Tavrok --object-path /cz/tavrok/Tavrok --method "$@"; }
property() { call org.freedesktop.DBus.Properties.Get cz.tavrok.Tavrok "$1"; }

e2e_launch
e2e_until 100 'call org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1' || fail "the program is not on the session bus"
gdbus introspect --session --dest cz.tavrok.Tavrok --object-path /cz/tavrok/Tavrok >"$E2E_DIR/introspect.txt"
for name in Split Stopwatch Countdown SetCountdownLength Show AlarmRang CountdownEnded SplitTaken \
    StopwatchSeconds StopwatchState CountdownSecondsLeft CountdownState NextAlarm Function; do
    grep -q "$name" "$E2E_DIR/introspect.txt" || fail "not introspectable: $name"
done
gdbus monitor --session --dest cz.tavrok.Tavrok >"$E2E_DIR/signals.txt" 2>&1 &
E2E_PIDS+=($!)
sleep 0.3

expect_eq "$(property StopwatchState)" "(<'stopped'>,)" "the stopwatch before"
call cz.tavrok.Tavrok.Stopwatch start >/dev/null || fail "the stopwatch did not start"
e2e_wait_title '^T: 0;00:00:0[0-9]$'
sleep 1.1
call cz.tavrok.Tavrok.Split >/dev/null || fail "no split"
e2e_until 100 'grep -q "SplitTaken" "$E2E_DIR/signals.txt"' || fail "no signal for the split: $(cat "$E2E_DIR/signals.txt")"
expect_eq "$(property StopwatchState)" "(<'running'>,)" "the stopwatch running"
seconds=$(property StopwatchSeconds | tr -dc '0-9.')
awk -v s="$seconds" 'BEGIN { exit !(s >= 1 && s < 30) }' || fail "the stopwatch's time read as '$seconds'"
expect_eq "$(property Function)" "(<'alarm'>,)" "the function shown (a start from outside does not switch it)"

refused=$(call cz.tavrok.Tavrok.Countdown pause 2>&1) && fail "a pause of no countdown was done"
[[ "$refused" == *"cz.tavrok.Tavrok.Error.Refused"*"Odpočítávání neběží"* ]] || fail "the refusal reads '$refused'"
wrong=$(call cz.tavrok.Tavrok.Stopwatch go 2>&1) && fail "a wrong action was done"
[[ "$wrong" == *"InvalidArgs"* ]] || fail "a wrong action reads '$wrong'"

grep -q "PropertiesChanged ('cz.tavrok.Tavrok', {'StopwatchState': <'running'>}" "$E2E_DIR/signals.txt" ||
    fail "the started stopwatch was not announced: $(cat "$E2E_DIR/signals.txt")"

call cz.tavrok.Tavrok.Stopwatch stop >/dev/null || fail "the stopwatch did not stop"
expect_eq "$(property StopwatchState)" "(<'stopped'>,)" "the stopwatch after"

call cz.tavrok.Tavrok.SetCountdownLength 0:00:02 >/dev/null || fail "the length was not set"
expect_eq "$(property CountdownSecondsLeft)" "(<2.0>,)" "the length set"
call cz.tavrok.Tavrok.Countdown start >/dev/null || fail "the countdown did not start"
e2e_until 200 'grep -q "CountdownEnded" "$E2E_DIR/signals.txt"' || fail "no signal for the countdown's end"
xdotool windowminimize "$E2E_WINDOW"
e2e_until 100 '! xwininfo -id "$E2E_WINDOW" | grep -q IsViewable' || fail "the window was not minimised"
call cz.tavrok.Tavrok.Show >/dev/null || fail "Show was refused"
e2e_until 100 'xwininfo -id "$E2E_WINDOW" | grep -q IsViewable' || fail "Show did not bring the window back"
e2e_quit Return # the split nobody saved
e2e_wait_exit

# An alarm at 7:00: the next alarm before, the signal at its ring.
e2e_launch faketime '2030-01-01 06:59:30'
e2e_until 100 'call org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1' || fail "the program is not on the bus again"
gdbus monitor --session --dest cz.tavrok.Tavrok >"$E2E_DIR/signals2.txt" 2>&1 &
E2E_PIDS+=($!)
e2e_save_alarm Budicek Vstavat
expect_eq "$(property NextAlarm)" "(<'Budicek'>,)" "the next alarm"
expect_eq "$(property NextAlarmTime)" "(<'1.1.2030 7:00:00'>,)" "the next alarm's time"
e2e_until 600 'grep -q "AlarmRang (.Budicek.,)" "$E2E_DIR/signals2.txt"' ||
    fail "no signal for the ring: $(cat "$E2E_DIR/signals2.txt")"
box=$(e2e_wait_window '^Tavrok: 1\.1\.2030 7:00:0') || fail "the alarm's box did not come"
e2e_key "$box" Return
e2e_quit
echo "session bus scenario passed"
