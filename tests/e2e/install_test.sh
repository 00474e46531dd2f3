#!/usr/bin/env bash
# Installed for the whole system: the program is installed into a prefix the user cannot write, its
# desktop entry and metainfo validate, and a user starting it finds the settings in their own
# configuration folder, with nothing written into the program folder.
# Usage: install_test.sh path/to/tavrok build-folder
source "$(dirname "$0")/lib.sh"
BUILD=${2:?build folder}
PREFIX="$E2E_DIR/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >"$E2E_DIR/install.log" 2>&1 || fail "install: $(cat "$E2E_DIR/install.log")"

for f in bin/tavrok lib/tavrok/tavrok lib/tavrok/Data/Zvuky/Standard/Zvonek.wav \
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

# A user who may not write the program folder: root is made one by taking the folder's write bits
# away and running as the unprivileged "nobody".
USER_HOME="$E2E_DIR/home"
mkdir -p "$USER_HOME/.config"
chmod -R a-w "$PREFIX"
chmod 755 "$E2E_DIR"
as_user=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody "$USER_HOME"
    as_user=(runuser -u nobody --)
fi
touch "$E2E_DIR/before"
e2e_start_display
E2E_APP="$PREFIX/bin"           # started by the launcher on the PATH
e2e_launch "${as_user[@]}" env HOME="$USER_HOME" XDG_CONFIG_HOME="$USER_HOME/.config"
e2e_close
e2e_wait_exit
CONFIG="$USER_HOME/.config/Tavrok"
[ -f "$CONFIG/Nastaveni.ini" ] || fail "no settings in the configuration folder: $(ls -la "$USER_HOME/.config" "$CONFIG" 2>&1)"
[ -f "$CONFIG/Budiky.ini" ] || fail "no alarm file in the configuration folder"
expect_eq "$(ini_value "$CONFIG/Nastaveni.ini" info program)" "Tavrok" "the settings' stamp"
written=$(find "$PREFIX" -newer "$E2E_DIR/before" | head -5)
[ -z "$written" ] || fail "written into the program folder: $written"
chmod -R u+w "$PREFIX"
echo "install scenario passed"
