#!/usr/bin/env python3
"""An outside judge for the .dbx reader: Debian's undbx extracts every message of each store file, and the
SHA-256 of each message text vantor-dbxdump reads must be among what undbx wrote, one for one.

usage: compare_with_undbx.py VANTOR_DBXDUMP STORE.dbx...
"""
import collections
import hashlib
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile


def dump(tool, store):
    lines = subprocess.run([tool, store], check=False, capture_output=True, text=True).stdout.splitlines()
    return [json.loads(line) for line in lines]


def extracted(store):
    undbx = shutil.which("undbx")
    if undbx is None:
        sys.exit("undbx is not installed (scripts/install-deps.sh brings it)")
    with tempfile.TemporaryDirectory() as target:
        subprocess.run([undbx, store, target], check=True, capture_output=True)
        return collections.Counter(hashlib.sha256(path.read_bytes()).hexdigest()
                                   for path in pathlib.Path(target).rglob("*.eml"))


def main():
    tool, stores = sys.argv[1], sys.argv[2:]
    failures = 0
    for store in stores:
        records = dump(tool, store)
        errors = [record["error"] for record in records if "error" in record]
        ours = collections.Counter(record["sha256"] for record in records if "sha256" in record)
        theirs = extracted(store)
        if errors or ours != theirs or not ours:
            failures += 1
            print(f"{store}: ours {sum(ours.values())} texts, undbx {sum(theirs.values())}; "
                  f"only ours {sorted((ours - theirs).keys())}, only undbx {sorted((theirs - ours).keys())}, "
                  f"errors {errors}")
        else:
            print(f"{store}: {sum(ours.values())} message texts agree")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
