#!/bin/bash
# Tries EMail Vantor on a demo mailbox, with nothing to set up: installs what is missing, builds the program
# (Release), starts a private Dovecot POP3 server on 127.0.0.1 with about 40 messages (ham and recognisable
# spam), prepares a home directory whose account reads that mailbox, and starts the program on it. One click
# on Check deletes the spam at once. Closing the program (Exit or the tray's Close) stops the server.
#   demo.sh [DIR]   DIR keeps the server and the home directory (default: a new temporary directory)
# On a machine without any network address the program stays offline and refuses to check, as it would
# anywhere; tools/check's vantor-check --home DIR/home runs the same check without the window.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-release"
DEMO=${1:-$(mktemp -d /tmp/vantor-demo.XXXXXX)}
SERVER="$DEMO/server"
HOME_DIR="$DEMO/home"
USER_NAME=demo
PASSWORD=demo-secret

free_port() {
    /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

"$ROOT/scripts/install-deps.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVANTOR_TESTS=OFF -DVANTOR_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target emailvantor -j "$(nproc)"

mkdir -p "$SERVER" "$HOME_DIR"
POP3_PORT=$(free_port)
POP3S_PORT=$(free_port)
rm -rf "$SERVER/mail/$USER_NAME"
mkdir -p "$SERVER/mail"
printf '%s:{PLAIN}%s::::::\n' "$USER_NAME" "$PASSWORD" > "$SERVER/users"
/usr/bin/python3 "$ROOT/scripts/demo/make_home.py" "$HOME_DIR" "$SERVER/mail/$USER_NAME" "$POP3_PORT" \
    "$USER_NAME" "$PASSWORD"
# Dovecot reads the mail as 65534 and refuses to do it as root.
chown -R 65534:65534 "$SERVER/mail" 2>/dev/null || true

"$ROOT/scripts/servers/dovecot.sh" start "$SERVER" "$POP3_PORT" "$POP3S_PORT" $$
trap '"$ROOT/scripts/servers/dovecot.sh" stop "$SERVER"' EXIT
echo "POP3 server: 127.0.0.1:$POP3_PORT, user $USER_NAME, mailbox $SERVER/mail/$USER_NAME"
echo "Home directory: $HOME_DIR"

PROGRAM="$BUILD/src/app/emailvantor"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No desktop found: starting on a virtual X display (xvfb-run)."
    xvfb-run -a "$PROGRAM" --home "$HOME_DIR"
else
    "$PROGRAM" --home "$HOME_DIR"
fi
