#!/usr/bin/env bash
# Installed into a prefix the user cannot write, the program's desktop entry and metainfo validate, and
# a user starting it finds the settings in their own configuration folder, nothing written beside it.
# Usage: install_test.sh path/to/tavrok build-folder
source "$(dirname "$0")/lib.sh"
BUILD=${2:?build folder}
PREFIX="$E2E_DIR/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$E2E_DIR/install.log" 2>&1 || fail "install: $(cat "$E2E_DIR/install.log")"

for f in bin/tavrok lib/tavrok/tavrok lib/tavrok/libtavrok-sound.so lib/tavrok/libtavrok-serial.so lib/tavrok/libtavrok-print.so lib/tavrok/Data/Zvuky/Standard/Zvonek.wav \
         share/applications/cz.tavrok.Tavrok.desktop share/metainfo/cz.tavrok.Tavrok.metainfo.xml \
         share/icons/hicolor/48x48/apps/cz.tavrok.Tavrok.png share/icons/hicolor/256x256/apps/cz.tavrok.Tavrok.png \
         share/icons/hicolor/scalable/apps/cz.tavrok.Tavrok.svg; do
    [ -e "$PREFIX/$f" ] || fail "not installed: $f"
done
[ -e "$PREFIX/lib/tavrok/Data/Nastaveni" ] && fail "the build's own settings were installed"
expect_eq "$(identify -format '%wx%h' "$PREFIX/share/icons/hicolor/48x48/apps/cz.tavrok.Tavrok.png")" "48x48" "icon size"
desktop-file-validate "$PREFIX/share/applications/cz.tavrok.Tavrok.desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$PREFIX/share/metainfo/cz.tavrok.Tavrok.metainfo.xml" >"$E2E_DIR/appstream.log" 2>&1 ||
    fail "the metainfo does not validate: $(cat "$E2E_DIR/appstream.log")"

e2e_start_display
E2E_APP="$PREFIX/bin"           # started by the launcher on the PATH
# Settings land in the user's configuration folder and nothing is written into the program folder,
# also where the user could write it (root, or a prefix the user owns).
start_and_close() { # home, words before the program
    local home=$1 config="$1/.config/Tavrok" written
    shift
    touch "$E2E_DIR/before"
    sleep 1.1 # file times have whole seconds on some file systems
    e2e_launch "$@" env HOME="$home" XDG_CONFIG_HOME="$home/.config"
    e2e_quit
    [ -f "$config/Nastaveni.ini" ] || fail "no settings in the configuration folder: $(ls -la "$home/.config" "$config" 2>&1)"
    [ -f "$config/Budiky.ini" ] || fail "no alarm file in the configuration folder"
    expect_ini "$config/Nastaveni.ini" info program "Tavrok" "the settings' stamp"
    written=$(find "$PREFIX" -newer "$E2E_DIR/before" | head -5)
    [ -z "$written" ] || fail "written into the program folder: $written"
}
mkdir -p "$E2E_DIR/owner/.config"
start_and_close "$E2E_DIR/owner"

if [ "$(id -u)" = 0 ]; then     # "nobody", with the program folder's write bits gone
    USER_HOME="$E2E_DIR/home"
    mkdir -p "$USER_HOME/.config"
    chown -R nobody "$USER_HOME"
    chmod 755 "$E2E_DIR"
    chmod -R a-w "$PREFIX"
    start_and_close "$USER_HOME" runuser -u nobody --
    chmod -R u+w "$PREFIX"
fi
echo "install scenario passed"
