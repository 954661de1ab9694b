#!/bin/sh
# Installs what is missing, builds everything warning-free and runs every test; non-zero exit on any failure.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build"
JOBS=$(nproc)

"$ROOT/scripts/install-deps.sh"

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_WERROR=ON
cmake --build "$BUILD" -j "$JOBS"
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" --timeout 600
