#!/usr/bin/env bash
# Start-up with big files, each case on its own: a Budiky.ini of N alarms (default 200 000, about 31 MB),
# then a Nastaveni.ini of 57 MB of junk keys. Prints the time from start to a viewable window and the
# resident memory of each.
# Usage: bench/bigfiles.sh path/to/tavrok [alarms]
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/lib.sh"
alarms=${2:-200000}

e2e_start_display
e2e_install
mkdir -p "$E2E_SETTINGS"

measure() { # label [runs] [ms target] [MB target]: with several runs, each figure is their median
    local start runs=${2:-1} ms=() rss=() peak=() target_ms=${3:-1000} target_mb=${4:-150}
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        e2e_launch
        ms+=($(( ($(date +%s%N) - start) / 1000000 )))
        rss+=($(awk '/VmRSS/ { print int($2 / 1024) }' /proc/$E2E_APP_PID/status))
        peak+=($(awk '/VmHWM/ { print int($2 / 1024) }' /proc/$E2E_APP_PID/status))
        e2e_close
        e2e_wait_exit
    done
    median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
    echo "$1: start-up to a viewable window $(median "${ms[@]}") ms (target <= $target_ms ms)," \
        "resident memory $(median "${rss[@]}") MB, peak $(median "${peak[@]}") MB (target <= $target_mb MB)" \
        "$( [ "$runs" -gt 1 ] && echo "[median of $runs; times ${ms[*]} ms]")"
}

# As the program saves them: each with the moment it was last checked (so nothing was missed), none
# ringing in the quarter of an hour the measurement takes.
alarm_file() { # with_checked: 1 as the program saves them, 0 as an imported or hand-written file has them
python3 - "$E2E_SETTINGS/Budiky.ini" "$alarms" "$1" <<'PY'
import datetime, random, sys
path, n, with_checked = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1"
random.seed(1)
now = datetime.datetime.now()
checked = f"{now.day}.{now.month}.{now.year} {now.hour}:{now.minute:02d}:{now.second:02d}"
quiet = {(now + datetime.timedelta(minutes=m)).strftime("%H:%M") for m in range(-1, 15)}
with open(path, "w", encoding="utf-8") as f:
    f.write(f"[info]\npocetBudiku={n}\n")
    f.writelines(f"{i}=Budík číslo {i}\n" for i in range(1, n + 1))
    for i in range(1, n + 1):
        while True:
            h, m = random.randrange(24), random.randrange(60)
            if f"{h:02d}:{m:02d}" not in quiet:
                break
        f.write(f"[Budík číslo {i}]\ncas={h}:{m:02d}:00\n"
                f"zprava=Zpráva budíku {i}\nstav=1\nvzdy=1\nOD=1\nOM=1\nOR=2000\nDD=1\nDM=1\nDR=2000\n"
                f"KD=0\nKM=0\nKR=0\n" + (f"posledni={checked}\n" if with_checked else ""))
PY
}
alarm_file 1
echo "Budiky.ini of $alarms alarms: $(du -m "$E2E_SETTINGS/Budiky.ini" | cut -f1) MB"
measure "(a) $alarms alarms, first start (writes the version stamp)"
measure "(a) $alarms alarms, next start" 5 600 120
rm -f "$E2E_SETTINGS"/*
# The same alarms as an imported file has them, without the moment each was last checked.
alarm_file 0
measure "(c) $alarms alarms without their last check, first start"
rm -f "$E2E_SETTINGS"/*

python3 - "$E2E_SETTINGS/Nastaveni.ini" <<'PY'
import sys
with open(sys.argv[1], "w", encoding="utf-8") as f:
    f.write("[nastaveni]\nzobrazovatBudiky=0\n")
    for s in range(1000):
        f.write(f"[junk{s}]\n")
        f.writelines(f"klic{i}={'x' * 40}\n" for i in range(1100))
PY
echo "Nastaveni.ini of junk keys: $(du -m "$E2E_SETTINGS/Nastaveni.ini" | cut -f1) MB"
measure "(b) junk settings"
