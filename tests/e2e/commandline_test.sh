#!/usr/bin/env bash
# A script drives the stopwatch and the countdown through the command line: the switches reach the
# running program and answer with their exit status; a refused one says why on standard error, a wrong
# one is a usage error; --help and --version answer without a program. With none running, a switch
# starts the program first.
source "$(dirname "$0")/lib.sh"
e2e_setup

e2e_expect_status 0 --help
grep -q -- "--countdown-length H:MM:SS" "$E2E_DIR/stdout" || fail "--help lists no switches: $(cat "$E2E_DIR/stdout")"
e2e_expect_status 0 --version
expect_eq "$(cat "$E2E_DIR/stdout")" "Tavrok 2.51" "--version"
e2e_expect_status 2 --stopwatch go
grep -q -- "--stopwatch go" "$E2E_DIR/stderr" || fail "the usage error does not name the switch"
e2e_expect_status 2 -stopwatch

# The countdown's message is remembered from a last run: its end opens a box.
e2e_settings '[nastaveni]\npamatovatOdpocit=1\n[stavHlavnihoOkna]\nodpocitZprava=Hotovo\n'
e2e_launch
e2e_expect_status 0 --stopwatch start
e2e_wait_title '^T: 0;00:00:0[0-9]$'
sleep 1.2
e2e_expect_status 1 --stopwatch reset
grep -Fxq "Tavrok běží, vynulovat jej proto nelze. Nejprve jej zastavte." "$E2E_DIR/stderr" ||
    fail "the reason of a refused reset: $(cat "$E2E_DIR/stderr")"
e2e_expect_status 0 --split
e2e_expect_status 0 --split
e2e_expect_status 0 --stopwatch stop
e2e_wait_title '^(Po|Út|St|Čt|Pá|So|Ne) '
e2e_expect_status 1 --split
grep -Fxq "Tavrok neběží, mezičas proto nelze vzít." "$E2E_DIR/stderr" ||
    fail "the reason of a refused split: $(cat "$E2E_DIR/stderr")"
e2e_expect_status 1 --countdown pause
e2e_expect_status 0 --countdown-length 0:00:02 --countdown start
box=$(e2e_wait_window '^Tavrok: ') || fail "the countdown started from the command line did not end"
e2e_expect_status 1 --countdown-length 0:01:00
grep -q "otevřeném okně" "$E2E_DIR/stderr" || fail "a command while the box is open is not refused: $(cat "$E2E_DIR/stderr")"
e2e_key "$box" Return
e2e_quit Return # the two splits nobody saved

# Nothing runs: the switch starts the program in the background, hands itself over and answers, so a
# script that reads its output goes on (the program must not hold the script's pipe).
answer=$(timeout 60 "$E2E_APP/tavrok" --stopwatch start 2>&1) || fail "tavrok --stopwatch start with none running: $answer"
E2E_APP_PID=$(pgrep -n -f "^$E2E_APP/tavrok\$") || fail "no program runs after the start"
E2E_PIDS+=($E2E_APP_PID)
e2e_until 200 'E2E_WINDOW=$(xdotool search --all --onlyvisible --pid "$E2E_APP_PID" --class tavrok 2>/dev/null | head -1); [ -n "$E2E_WINDOW" ]' ||
    fail "the started program shows no window"
e2e_wait_title '^T: 0;00:00:0[0-9]$'
e2e_expect_status 0 --stopwatch stop
e2e_quit
echo "command line scenario passed"
