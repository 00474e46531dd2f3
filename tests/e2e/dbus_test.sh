#!/usr/bin/env bash
# A script drives the program over the session bus (a private one): it introspects the object, starts
# the stopwatch, takes a split (and hears the signal), reads the state, has a refused call answered with
# the reason, and stops.
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

call cz.tavrok.Tavrok.Stopwatch stop >/dev/null || fail "the stopwatch did not stop"
expect_eq "$(property StopwatchState)" "(<'stopped'>,)" "the stopwatch after"
e2e_quit Return # the split nobody saved
echo "session bus scenario passed"
