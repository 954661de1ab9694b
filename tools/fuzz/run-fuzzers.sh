#!/bin/sh
# Runs the libFuzzer harnesses of a fuzz build one after the other, each for SECONDS (default 600), with
# inputs up to 256 KB so that faults that depend on size are reachable. Each harness grows its own
# working corpus under WORK (default ./fuzz-work), seeded from the project's sample files; crashes, leaks
# and timeouts are saved there too.
#   tools/fuzz/run-fuzzers.sh BUILD_DIR [SECONDS] [HARNESS...]     HARNESS: mime codec ini proto records blacklist contacts dbx
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${1:?usage: run-fuzzers.sh BUILD_DIR [SECONDS] [HARNESS...]}
SECONDS_EACH=${2:-600}
[ $# -gt 2 ] && shift 2 || set -- mime codec ini proto records blacklist contacts dbx
WORK=${WORK:-$PWD/fuzz-work}
# Harnesses that read files write every input to disk; in memory that costs little.
[ -w /dev/shm ] && export TMPDIR=/dev/shm

seeds() {
    case $1 in
    mime) echo "$ROOT/tools/fuzz/corpus $ROOT/tests/data/mimekit/messages" ;;
    codec) echo "$ROOT/tests/data/mimekit" ;;
    ini) echo "" ;;
    contacts) echo "$ROOT/tests/data/vcard $ROOT/tests/data/thunderbird-prefs" ;;
    dbx) echo "$ROOT/tests/data/dbx" ;;
    *) echo "$ROOT/tools/$1_fuzz/corpus" ;;
    esac
}

for name in "$@"; do
    binary=$(find "$BUILD/tools" -type f -name "vantor-$name-fuzz" | head -1)
    [ -x "$binary" ] || { echo "no vantor-$name-fuzz in $BUILD/tools" >&2; exit 1; }
    mkdir -p "$WORK/$name/corpus"
    echo "== $name: $SECONDS_EACH s"
    # shellcheck disable=SC2046
    (cd "$WORK/$name" && "$binary" -max_len=262144 -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        corpus $(seeds "$name")) > "$WORK/$name/log" 2>&1 || echo "$name stopped on a finding: see $WORK/$name"
    grep -E '^(#[0-9]+[[:space:]]+DONE|Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))' "$WORK/$name/log" || true
done
