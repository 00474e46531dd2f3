#!/usr/bin/env bash
# A user wires a switch to the serial port's DSR line and a lamp to DTR: closing the switch starts the
# stopwatch, and the end of a countdown lights the lamp for the set time. The port is a pseudo-terminal
# whose modem lines a preloaded library keeps in a file (a pseudo-terminal has none of its own).
# Usage: serial_test.sh tavrok ptyholder libmodemlines.so
source "$(dirname "$0")/lib.sh"
PTYHOLDER=${2:?ptyholder}
MODEMLINES=${3:?modem-line library}
e2e_start_display
e2e_install

"$PTYHOLDER" >"$E2E_DIR/pty" &
E2E_PIDS+=($!)
for _ in $(seq 100); do [ -s "$E2E_DIR/pty" ] && break; sleep 0.05; done
PORT=$(head -1 "$E2E_DIR/pty")
[ -c "$PORT" ] || fail "no pseudo-terminal ($PORT)"
STATE="$E2E_DIR/modem"
# Written whole (a new file moved over the old), as the library writes it: never read half-written.
set_lines() { echo "$1" >"$STATE.new" && mv "$STATE.new" "$STATE"; }
lines() { cat "$STATE"; }
set_lines $((0x006))          # DTR and RTS up, as a port is when it opens

mkdir -p "$E2E_SETTINGS"
printf '[seriovyPort]\r\nport=%s\r\nDSR=2\r\nDTR=2\r\nRTS=0\r\nTxD=0\r\ndelka=1500\r\n' "$PORT" >"$E2E_SETTINGS/Nastaveni.ini"
e2e_launch env LD_PRELOAD="$MODEMLINES${LD_PRELOAD:+:$LD_PRELOAD}" TAVROK_MODEM_DEVICE="$PORT" TAVROK_MODEM_STATE="$STATE"

# Connected at start: the outputs are set to their stored state (off), though opening raised them.
for _ in $(seq 100); do [ "$(lines)" = 0 ] && break; sleep 0.05; done
expect_eq "$(lines)" "0" "the lines after connecting"

set_lines $((0x100))          # the switch on DSR closes
e2e_wait_title '^T: 0;00:00:0[0-9]$'
set_lines 0                   # and opens again

# A two-second countdown; at its end DTR (the lamp) comes on for 1.5 s.
e2e_focus "$E2E_WINDOW"
e2e_click 130 22              # lblFceOdpocit
e2e_click 19 49               # the digits take the keys
xdotool type --delay 60 000002
e2e_click 48 159              # btnZapnout: Start
lamp=""
for _ in $(seq 120); do
    if (( $(lines) & 0x002 )); then lamp=on; break; fi
    sleep 0.05
done
[ "$lamp" = on ] || fail "the lamp on DTR did not light at the countdown's end (lines: $(lines))"
sleep 0.8
(( $(lines) & 0x002 )) || fail "the lamp went out before its 1.5 s"
sleep 1.2
(( $(lines) & 0x002 )) && fail "the lamp stayed on after its 1.5 s"

e2e_click 71 22               # lblFceTavrok
e2e_click 48 159              # btnZapnout: the stopwatch stops, so closing asks nothing
e2e_close
e2e_wait_exit
echo "serial scenario passed"
