#!/bin/sh
# Installs what is missing, builds everything warning-free and runs every test; non-zero exit on any failure.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build"
JOBS=$(nproc)

"$ROOT/scripts/install-deps.sh"

# A compiler cache, where the machine has one, makes a fresh clone build in minutes.
LAUNCHER=""
command -v ccache > /dev/null && LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"

# shellcheck disable=SC2086
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_WERROR=ON $LAUNCHER
cmake --build "$BUILD" -j "$JOBS"
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" --timeout 600

# Every plain C++ library (no Qt) reads or writes untrusted bytes or user files somewhere: run their unit
# tests again under ASan and UBSan.
# Warnings are held to zero by the build above; with sanitizer instrumentation g++ 12 reports false
# "maybe-uninitialized" inside the standard library, so this build does not turn warnings into errors.
ASAN_BUILD="$ROOT/build-asan"
SANITIZED_TESTS="base/base_tests storage/storage_tests mail/codec/codec_tests mail/mime/mime_tests
mail/proto/vantor_mail_proto_test filter/filter_tests records/records_tests"
# shellcheck disable=SC2086
cmake -S "$ROOT" -B "$ASAN_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_WERROR=OFF -DVANTOR_SANITIZE=ON \
    -DVANTOR_BENCH=OFF $LAUNCHER
# shellcheck disable=SC2046
cmake --build "$ASAN_BUILD" -j "$JOBS" --target $(for test in $SANITIZED_TESTS; do basename "$test"; done)
for test in $SANITIZED_TESTS; do
    "$ASAN_BUILD/tests/$test"
done
