#!/usr/bin/env python3
"""Reads every sample message with vantor-mimedump and with Python's own email package, and compares
the sender address, the decoded subject and the date in UTC.

Usage: compare_with_python_email.py MIMEDUMP KNOWN_DIFFERENCES SAMPLE_DIR...

A message on which the two readers differ and ours is right is named, with the field and the reason,
in KNOWN_DIFFERENCES ("path field: reason", path relative to its sample folder's parent). Fails when
agreement on any field is below 99%, or when a named difference no longer exists or names no message.
"""
import email
import email.policy
import email.utils
import json
import mailbox
import pathlib
import re
import subprocess
import sys
import tempfile

FIELDS = ("from", "subject", "date_utc")
REQUIRED_AGREEMENT = 0.99
NOT_MESSAGES = {"LICENSE", "NOTICE", "COMMIT"}


def sample_messages(sample_dirs, split_dir):
    """(name, path) of every message file; each mbox is split into one file per message."""
    for sample_dir in sample_dirs:
        base = sample_dir.parent
        for path in sorted(p for p in sample_dir.rglob("*") if p.is_file()):
            if path.name in NOT_MESSAGES or path.name.endswith("-summary.txt"):
                continue
            name = str(path.relative_to(base))
            if path.name.endswith(".mbox.txt"):
                for index, message in enumerate(mailbox.mbox(path, create=False)):
                    part = split_dir / f"{path.stem}-{index}.eml"
                    part.write_bytes(message.as_bytes())
                    yield f"{name}#{index}", part
            else:
                yield name, path


def as_shown(text):
    """Python keeps raw 8-bit header bytes as escapes; show them as text, as vantor-mimedump does."""
    return text.encode("utf-8", "surrogateescape").decode("utf-8", "replace")


def as_compared(text):
    """Both readers unfold folded lines; we also make every blank run one space, as the lists show
    it. Bytes that are no text show as replacement characters, one per byte or one per broken
    sequence: a run of them counts as one."""
    return re.sub("\ufffd+", "\ufffd", " ".join(text.split()))


def python_reading(path):
    message = email.message_from_bytes(path.read_bytes(), policy=email.policy.default)
    result = {}
    try:
        sender = message["From"]
        addresses = sender.addresses if sender is not None else ()
        result["from"] = as_compared(as_shown(addresses[0].addr_spec)) if addresses else ""
    except Exception:  # the email package gives up on some hostile headers
        result["from"] = None
    try:
        result["subject"] = as_compared(as_shown(str(message["Subject"] or "")))
    except Exception:
        result["subject"] = None
    try:
        date = message["Date"]
        when = date.datetime if date is not None else None
        if when is not None and when.tzinfo is not None:
            when = when.astimezone(email.utils.datetime.timezone.utc)
        result["date_utc"] = when.strftime("%d/%m/%Y %H:%M:%S") if when is not None else ""
    except Exception:
        result["date_utc"] = None
    return result


def our_readings(mimedump, paths):
    output = subprocess.run([mimedump, *map(str, paths)], check=True, capture_output=True).stdout
    readings = [json.loads(line) for line in output.decode("utf-8").splitlines()]
    for reading in readings:
        reading["from"] = as_compared(reading["from"])
        reading["subject"] = as_compared(reading["subject"])
    return readings


def known_differences(path):
    known = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        key, _, reason = line.partition(":")
        name, _, field = key.rpartition(" ")
        if field not in FIELDS or not reason.strip():
            sys.exit(f"{path}: cannot read line {line!r}")
        known[(name, field)] = reason.strip()
    return known


def main():
    mimedump, known_file, *sample_dirs = sys.argv[1:]
    known = known_differences(pathlib.Path(known_file))
    with tempfile.TemporaryDirectory() as split_dir:
        samples = list(sample_messages([pathlib.Path(d) for d in sample_dirs], pathlib.Path(split_dir)))
        ours = our_readings(mimedump, [path for _, path in samples])
        theirs = [python_reading(path) for _, path in samples]
    failed = False
    seen = set()
    for field in FIELDS:
        agreed = 0
        for (name, _), our, their in zip(samples, ours, theirs):
            if (name, field) in known:
                seen.add((name, field))
                if our[field] == their[field]:
                    print(f"{name} {field}: listed as a difference but both read {our[field]!r}")
                    failed = True
                continue
            if our[field] == their[field]:
                agreed += 1
            else:
                print(f"{name} {field}: we read {our[field]!r}, Python reads {their[field]!r}")
        compared = len(samples) - sum(1 for name, f in known if f == field)
        share = agreed / compared
        print(f"{field}: {agreed} of {compared} agree ({share:.1%})")
        failed = failed or share < REQUIRED_AGREEMENT
    for name, field in sorted(set(known) - seen):
        print(f"{name} {field}: listed as a difference but there is no such message")
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
