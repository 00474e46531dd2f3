#!/usr/bin/env bash
# A first start shows the clock line in the title, creates the settings folder beside the program with
# both files stamped (and no split-times file yet); closing the window ends it.
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_launch
e2e_expect_title '^(Po|Út|St|Čt|Pá|So|Ne) [0-9]{1,2}\.[0-9]{1,2}\.[0-9]{4} [0-9]{1,2}:[0-9]{2}:[0-9]{2}$' "not the clock"
for f in Nastaveni.ini Budiky.ini; do
    [ -f "$E2E_SETTINGS/$f" ] || fail "$f was not created"
    expect_ini "$E2E_SETTINGS/$f" info program "Tavrok" "$f info/program"
    expect_ini "$E2E_SETTINGS/$f" info verzeProgramu "2.51" "$f info/verzeProgramu"
done
[ ! -e "$E2E_SETTINGS/Mezicasy.ini" ] || fail "Mezicasy.ini must only be created by its first write"
e2e_screenshot startup
e2e_quit
echo "startup scenario passed"
