#!/usr/bin/env bash
# A switch on the serial port's DSR line starts the stopwatch, and a countdown's end lights a lamp on DTR
# for the set time. The port is a pseudo-terminal whose modem lines a preloaded library keeps in a file.
# Usage: serial_test.sh tavrok ptyholder libmodemlines.so
source "$(dirname "$0")/lib.sh"
PTYHOLDER=${2:?ptyholder}
MODEMLINES=${3:?modem-line library}
e2e_setup

"$PTYHOLDER" >"$E2E_DIR/pty" &
E2E_PIDS+=($!)
e2e_until 100 '[ -s "$E2E_DIR/pty" ]' || true
PORT=$(head -1 "$E2E_DIR/pty")
[ -c "$PORT" ] || fail "no pseudo-terminal ($PORT)"
STATE="$E2E_DIR/modem"
# Written whole (a new file moved over the old), as the library writes it: never read half-written.
set_lines() { echo "$1" >"$STATE.new" && mv "$STATE.new" "$STATE"; }
lines() { cat "$STATE"; }
lamp() { (( $(lines) & 0x002 )); }
set_lines $((0x006))          # DTR and RTS up, as a port is when it opens

e2e_settings '[seriovyPort]\r\nport=%s\r\nDSR=2\r\nDTR=2\r\nRTS=0\r\nTxD=0\r\ndelka=1500\r\n' "$PORT"
e2e_launch env LD_PRELOAD="$MODEMLINES${LD_PRELOAD:+:$LD_PRELOAD}" TAVROK_MODEM_DEVICE="$PORT" TAVROK_MODEM_STATE="$STATE"
# Connected at start: the outputs are set to their stored state (off), though opening raised them.
e2e_until 100 '[ "$(lines)" = 0 ]' || true
expect_eq "$(lines)" "0" "the lines after connecting"

set_lines $((0x100))          # the switch on DSR closes
e2e_wait_title '^T: 0;00:00:0[0-9]$'
set_lines 0                   # and opens again

e2e_focus "$E2E_WINDOW"       # a two-second countdown; at its end the lamp comes on for 1.5 s
e2e_click 130 22              # lblFceOdpocit
e2e_digits 000002
e2e_click 48 159              # btnZapnout: Start
e2e_until 120 lamp || fail "the lamp on DTR did not light at the countdown's end (lines: $(lines))"
sleep 0.8
lamp || fail "the lamp went out before its 1.5 s"
sleep 1.2
lamp && fail "the lamp stayed on after its 1.5 s"

e2e_click 71 22               # lblFceTavrok
e2e_click 48 159              # btnZapnout: the stopwatch stops, so closing asks nothing
e2e_quit
echo "serial scenario passed"
