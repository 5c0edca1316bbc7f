#!/usr/bin/env python3
"""Prints a key and the path of each source clang-tidy would check, one
"KEY PATH" line each: a hash of everything the check of that source sees.

The key covers the source as clang's preprocessor hands it on (every header
it reads, with comments and macro definitions kept, so a NOLINT or a macro
counts), its compile command, and what is said in IDENTITY (clang-tidy's
version, its configuration, the arguments scripts/tidy.sh adds). The
checkout's path is taken out of all of it, so that clones share the keys.

    tidy-keys.py COMPILE_COMMANDS SOURCE_REGEX CHECKOUT IDENTITY_FILE
"""
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys


def preprocessing_command(command):
    """The compile command, made clang's and made to preprocess only."""
    words = shlex.split(command)
    out = ["clang++"]
    skip = False
    for word in words[1:]:
        if skip:
            skip = False
            continue
        if word in ("-o", "-MF", "-MT"):
            skip = True
            continue
        if word in ("-c", "-MD"):
            continue
        out.append(word)
    return out + ["-E", "-C", "-dD", "-Wno-unknown-warning-option", "-w"]


def key_of(entry, checkout, identity):
    digest = hashlib.sha256(identity)
    command = entry.get("command") or shlex.join(entry["arguments"])
    digest.update(command.replace(checkout, "@").encode())
    result = subprocess.run(preprocessing_command(command), cwd=entry["directory"], capture_output=True, check=False)
    if result.returncode != 0:
        # Not a source clang reads: no key, so it is always checked.
        return None
    digest.update(result.stdout.replace(checkout.encode(), b"@"))
    return digest.hexdigest()


def main():
    database, pattern, checkout, identity_file = sys.argv[1:5]
    with open(database, encoding="utf-8") as f:
        entries = [e for e in json.load(f) if re.search(pattern, e["file"])]
    with open(identity_file, "rb") as f:
        identity = f.read()
    workers = os.cpu_count() or 1
    with concurrent.futures.ThreadPoolExecutor(max_workers=workers) as pool:
        keys = pool.map(lambda e: key_of(e, checkout, identity), entries)
        for entry, key in zip(entries, keys):
            print(key or "-", entry["file"])


if __name__ == "__main__":
    main()
