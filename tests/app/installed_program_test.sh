#!/bin/sh
# Installs the build into a temporary DESTDIR, checks that everything a desktop program needs is in its
# place, then starts the installed program offscreen on a fresh home that asks for German: it must
# bring the shipped language files into the home and take its texts from the German one.
#   installed_program_test.sh BUILD_DIR
set -eu
BUILD=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

DESTDIR="$WORK/root" cmake --install "$BUILD" --prefix /usr >/dev/null
PREFIX="$WORK/root/usr"
for file in bin/emailvantor bin/vantor-check \
    share/emailvantor/Language/English.lng share/emailvantor/Language/Deutsch.lng \
    share/emailvantor/notify.wav share/emailvantor/manual/main-window.html \
    share/emailvantor/manual/account-manager.html share/applications/emailvantor.desktop \
    share/icons/hicolor/scalable/apps/emailvantor.svg; do
    [ -f "$PREFIX/$file" ] || { echo "not installed: $file"; exit 1; }
done

HOME_DIR="$WORK/home"
mkdir -p "$HOME_DIR"
printf '[Language]\r\nLanguage=Deutsch\r\n[General]\r\nSplash=1\r\nStartMinimize=0\r\n[Tips]\r\nShow=0\r\n' \
    >"$HOME_DIR/setting.ini"
# The program runs until it is ended; five seconds are plenty for its start.
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="vantor.language.info=true" \
    timeout -s TERM 5 "$PREFIX/bin/emailvantor" --home "$HOME_DIR" 2>"$WORK/log" || true

cmp "$PREFIX/share/emailvantor/Language/Deutsch.lng" "$HOME_DIR/Language/Deutsch.lng"
cmp "$PREFIX/share/emailvantor/notify.wav" "$HOME_DIR/notify.wav"
# The German name of the first menu, as the shipped file gives it.
general=$(sed -n '/^\[Menu\]/,/^\[/s/^001=//p' "$PREFIX/share/emailvantor/Language/Deutsch.lng" | tr -d '\r')
if ! grep -q "language Deutsch from $HOME_DIR/Language/Deutsch.lng - first menu: $general\$" "$WORK/log"; then
    echo "the program did not take its texts from the German file:"
    cat "$WORK/log"
    exit 1
fi
