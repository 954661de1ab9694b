#!/bin/sh
# Builds EMail Vantor (Release) and starts it; arguments such as --home DIR are passed to the program.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-release"

"$ROOT/scripts/install-deps.sh"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVANTOR_TESTS=OFF -DVANTOR_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target emailvantor -j "$(nproc)"

PROGRAM="$BUILD/src/app/emailvantor"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No desktop found: starting on a virtual X display (xvfb-run)."
    exec xvfb-run -a "$PROGRAM" "$@"
fi
exec "$PROGRAM" "$@"
