#!/usr/bin/env bash
# A first start: the program opens its window, creates its settings folder beside itself and stamps
# both files; closing the window ends it.
source "$(dirname "$0")/lib.sh"
e2e_start_display
e2e_install
e2e_launch

# With no engine running, the title is the clock line.
title=$(e2e_title)
[[ "$title" =~ ^(Po|Út|St|Čt|Pá|So|Ne)\ [0-9]{1,2}\.[0-9]{1,2}\.[0-9]{4}\ [0-9]{1,2}:[0-9]{2}:[0-9]{2}$ ]] || fail "title is not the clock: '$title'"
for f in Nastaveni.ini Budiky.ini; do
    [ -f "$E2E_SETTINGS/$f" ] || fail "$f was not created"
    expect_eq "$(ini_value "$E2E_SETTINGS/$f" info program)" "Tavrok" "$f info/program"
    expect_eq "$(ini_value "$E2E_SETTINGS/$f" info verzeProgramu)" "2.51" "$f info/verzeProgramu"
done
[ ! -e "$E2E_SETTINGS/Mezicasy.ini" ] || fail "Mezicasy.ini must only be created by its first write"
e2e_screenshot startup

e2e_close
e2e_wait_exit
echo "startup scenario passed"
