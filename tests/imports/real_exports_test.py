#!/usr/bin/python3
"""Imports every real school export of the shared folder with its own checker.

The folder (files/NAME, expected/NAME.json, check.py) lives beside the project and is never
copied into it: exit 77 (skipped) when it is absent.

Usage: real_exports_test.py ORVANTO_CLI EXPORTS_DIR
"""
import os
import subprocess
import sys

SKIPPED = 77


def main():
    cli, folder = sys.argv[1], sys.argv[2]
    checker = os.path.join(folder, "check.py")
    files = os.path.join(folder, "files")
    if not os.path.isfile(checker) or not os.path.isdir(files):
        print(f"no real exports at {folder}: skipped")
        return SKIPPED
    failed = []
    for name in sorted(os.listdir(files)):
        expected = os.path.join(folder, "expected", name + ".json")
        if not os.path.isfile(expected):
            failed.append(f"{name}: no expected/{name}.json")
            continue
        result = subprocess.run([sys.executable, checker, cli, os.path.join(files, name), expected],
                                capture_output=True, text=True)
        summary = result.stdout.strip().splitlines()[-1:] or [result.stderr.strip()]
        print(f"{name}: {summary[0]}")
        if result.returncode != 0:
            failed.append(f"{name}:\n{result.stdout}{result.stderr}")
    for fault in failed:
        print(fault)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
