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

# The decoders, the MIME parser and the filter engine read untrusted bytes: run their tests again under
# ASan and UBSan.
# Warnings are held to zero by the build above; with sanitizer instrumentation g++ 12 reports false
# "maybe-uninitialized" inside the standard library, so this build does not turn warnings into errors.
ASAN_BUILD="$ROOT/build-asan"
cmake -S "$ROOT" -B "$ASAN_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_WERROR=OFF -DVANTOR_SANITIZE=ON \
    -DVANTOR_BENCH=OFF
cmake --build "$ASAN_BUILD" -j "$JOBS" --target codec_tests mime_tests filter_tests
"$ASAN_BUILD/tests/mail/codec/codec_tests"
"$ASAN_BUILD/tests/mail/mime/mime_tests"
"$ASAN_BUILD/tests/filter/filter_tests"
