#!/usr/bin/env bash
# The Debian package built with cpack installs with apt-get where a desktop looks for it and is removed
# without leaving its files. Needs root (skipped otherwise).
# Usage: package_test.sh path/to/tavrok build-folder
source "$(dirname "$0")/lib.sh"
BUILD=${2:?build folder}
[ "$(id -u)" = 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
if dpkg-query -W -f='${Status}' tavrok 2>/dev/null | grep -q "install ok installed"; then
    echo "skipped: a tavrok package is installed on this machine already"; exit 77
fi
cpack --config "$BUILD/CPackConfig.cmake" -B "$E2E_DIR/package" >"$E2E_DIR/cpack.log" 2>&1 ||
    fail "cpack: $(tail -20 "$E2E_DIR/cpack.log")"
deb=$(ls "$E2E_DIR"/package/tavrok_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no package was made: $(tail -5 "$E2E_DIR/cpack.log")"
remove() { DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tavrok >"$E2E_DIR/remove.log" 2>&1; }
trap 'remove || true; e2e_cleanup' EXIT

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$E2E_DIR/apt.log" 2>&1 ||
    fail "apt-get install: $(tail -20 "$E2E_DIR/apt.log")"
for f in /usr/bin/tavrok /usr/lib/tavrok/tavrok /usr/lib/tavrok/libtavrok-sound.so /usr/lib/tavrok/libtavrok-serial.so /usr/lib/tavrok/libtavrok-print.so /usr/lib/tavrok/Data/Zvuky/Standard/Zvonek.wav \
         /usr/share/applications/cz.tavrok.Tavrok.desktop /usr/share/metainfo/cz.tavrok.Tavrok.metainfo.xml \
         /usr/share/icons/hicolor/64x64/apps/cz.tavrok.Tavrok.png; do
    [ -e "$f" ] || fail "the package did not install $f"
done
expect_eq "$(readlink -f /usr/bin/tavrok)" "/usr/lib/tavrok/tavrok" "the launcher"
dpkg-query -W -f='${Depends}' tavrok | grep -q libqt6widgets6 || fail "the package names no Qt dependency"

remove || fail "apt-get remove: $(tail -20 "$E2E_DIR/remove.log")"
for f in /usr/bin/tavrok /usr/lib/tavrok /usr/share/applications/cz.tavrok.Tavrok.desktop; do
    [ -e "$f" ] && fail "left after removal: $f"
done
echo "package scenario passed"
