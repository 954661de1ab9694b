#!/bin/sh
# Installs the Debian packages needed to build, test and run EMail Vantor; does nothing when all are present.
#   --list   prints the package names, one per line, and installs nothing.
set -eu

# libqt6opengl6-dev is named on its own: Qt Charts' CMake package needs Qt6OpenGL, but qt6-charts-dev does
# not depend on it. poppler-utils reads the printed database back in the tests (pdftotext);
# undbx is the outside judge of the .dbx reader. qtkeychain-qt6-dev reaches the system's keyring; the
# keyring tests run gnome-keyring-daemon on a private dbus-daemon.
PACKAGES="g++ cmake make pkg-config
qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-multimedia-dev libgl1-mesa-dev
libqt6opengl6-dev
libzip-dev googletest libgtest-dev libgmock-dev libbenchmark-dev libgmime-3.0-dev
clang libclang-rt-14-dev
dovecot-core dovecot-pop3d python3 python3-aiosmtpd openssl dpkg-dev
xvfb xauth poppler-utils undbx
qtkeychain-qt6-dev gnome-keyring dbus-daemon"

if [ "${1:-}" = "--list" ]; then
    printf '%s\n' $PACKAGES
    exit 0
fi

missing=""
for pkg in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$missing" >&2
    echo "Run this script as root (or install them with apt-get) and try again." >&2
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
