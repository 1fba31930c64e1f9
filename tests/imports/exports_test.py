#!/usr/bin/python3
"""Imports every sample export in tests/data/exports and checks it against its expected file.

For NAME.expected.json the export is the file NAME.* beside it. Two checks:
1. `orvanto-cli import --json EXPORT` gives exactly the expected classes and unread texts;
2. the workbook `orvanto-cli import -o OUT EXPORT` writes shows, through `orvanto-cli grid
   --json`, in every week 1..30 and every one of the 35 slots exactly the class expected there:
   of the classes meeting in that slot and week, the one with the earliest small period.

Usage: exports_test.py ORVANTO_CLI EXPORTS_DIR
"""
import glob
import json
import os
import subprocess
import sys
import tempfile

WEEKS = range(1, 31)


def run(cli, *args):
    return subprocess.run([cli, *args], capture_output=True, text=True)


def expected_slot(classes, weekday, big_period, week):
    meeting = [c for c in classes
               if c["weekday"] == weekday and c["bigPeriods"][0] <= big_period <= c["bigPeriods"][1]
               and week in c["weeks"]]
    if not meeting:
        return ""
    first = min(meeting, key=lambda c: c["periods"][0])
    return "\r\n".join([first["course"], first["teacher"], first["room"]])


def check(cli, expected_path):
    name = os.path.basename(expected_path)[: -len(".expected.json")]
    folder = os.path.dirname(expected_path)
    exports = [p for p in glob.glob(os.path.join(folder, name + ".*"))
               if not p.endswith(".expected.json")]
    if len(exports) != 1:
        return [f"{name}: expected one export beside its expected file, found {exports}"]
    export = exports[0]
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    faults = []

    result = run(cli, "import", "--json", export)
    if result.returncode != 0:
        return [f"{name}: import --json exit {result.returncode}: {result.stderr.strip()}"]
    got = json.loads(result.stdout)
    keys = ["course", "teacher", "room", "weekday", "periods", "bigPeriods", "weeks", "sheet", "cell"]
    got_classes = [{k: c[k] for k in keys} for c in got["classes"]]
    want_classes = [{k: c[k] for k in keys} for c in expected["classes"]]
    for c in want_classes:
        if c not in got_classes:
            faults.append(f"{name}: missing class {json.dumps(c, ensure_ascii=False)}")
    for c in got_classes:
        if c not in want_classes:
            faults.append(f"{name}: unexpected class {json.dumps(c, ensure_ascii=False)}")
    if not faults and got_classes != want_classes:
        faults.append(f"{name}: classes in another order than expected")
    want_unread = expected.get("unread", [])
    if got["unread"] != want_unread:
        faults.append(f"{name}: unread texts differ: got {json.dumps(got['unread'], ensure_ascii=False)}")
    if faults:
        return faults

    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, name + ".orvanto.xlsx")
        result = run(cli, "import", "-o", out, export)
        if result.returncode != 0:
            return [f"{name}: import -o exit {result.returncode}: {result.stderr.strip()}"]
        for week in WEEKS:
            grid = run(cli, "grid", "--json", "--week", str(week), out)
            if grid.returncode != 0:
                return [f"{name}: grid week {week} exit {grid.returncode}: {grid.stderr.strip()}"]
            cells = json.loads(grid.stdout)["cells"]
            for cell in cells:
                big_period, weekday = divmod(cell["index"], 7)
                want = expected_slot(got_classes, weekday + 1, big_period + 1, week)
                caption = cell["caption"] if cell["caption"].replace("\r\n", "") else ""
                if caption != want:
                    faults.append(f"{name}: week {week} slot {cell['index']}: "
                                  f"{caption!r} instead of {want!r}")
    return faults


def main():
    cli, folder = sys.argv[1], sys.argv[2]
    expected_files = sorted(glob.glob(os.path.join(folder, "*.expected.json")))
    faults = []
    for path in expected_files:
        faults += check(cli, path)
    for fault in faults[:50]:
        print(fault)
    print(f"{len(expected_files) - len({f.split(':')[0] for f in faults})} passed, "
          f"{len({f.split(':')[0] for f in faults})} failed")
    return 1 if faults or not expected_files else 0


if __name__ == "__main__":
    sys.exit(main())
