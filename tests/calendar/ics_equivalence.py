#!/usr/bin/python3
"""Checks `orvanto-cli ics` against `orvanto-cli grid --json` with an independent reader.

For every workbook: the iCalendar file is parsed by python3-icalendar and its events expanded
over the term by python3-recurring-ical-events; the (date, start, end, summary, location,
description) of every expanded event must be exactly the classes that meet in weeks 1..N as
the grid gives them (the class a cell shows and its "others"), each once. A workbook the grid
cannot load or compose must fail the export the same way, with no file written. Two exports
must carry the same UIDs, no two events one UID.

A workbook whose blocks overlap is also read here straight from its xlsx parts, without the
program: every meeting its week rows name must be in the calendar exactly once.

Usage: ics_equivalence.py ORVANTO_CLI SOURCE_DIR
"""
import collections
import datetime
import glob
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree
import zipfile

import icalendar
import recurring_ical_events

DEFAULT_TERM = {"start": datetime.date(2010, 3, 1), "weeks": 22,
                "periods": ["08:00-09:40", "10:00-11:40", "14:00-15:40", "16:00-17:40",
                            "19:00-20:40"]}
# A term of another year, length and clock, given to both commands through a term.ini.
AUTUMN_TERM = {"start": datetime.date(2026, 9, 7), "weeks": 18,
               "periods": ["08:30-10:05", "10:25-12:00", "14:00-15:35", "15:55-17:30",
                           "19:00-21:25"]}
SHANGHAI = datetime.timedelta(hours=8)


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what, details=()):
        if ok:
            self.passed += 1
            return True
        self.failed += 1
        print(f"FAIL: {what}")
        for line in list(details)[:8]:
            print(f"    {line}")
        return False


def run(cli, *args):
    result = subprocess.run([cli, *args], capture_output=True)
    return result.returncode, result.stdout, result.stderr.decode("utf-8", "replace")


def term_ini(term, folder):
    path = os.path.join(folder, "term.ini")
    with open(path, "w", encoding="utf-8", newline="\r\n") as f:
        f.write(f"[term]\nstart={term['start'].isoformat()}\nweeks={term['weeks']}\n")
        f.write("[periods]\n")
        for i, period in enumerate(term["periods"], 1):
            f.write(f"{i}={period}\n")
    return path


def clock(text):
    hours, minutes = text.split(":")
    return datetime.time(int(hours), int(minutes))


def grid_classes(cli, workbook, term, term_args):
    """(exit code, message, Counter of classes) from the grid of every week."""
    classes = collections.Counter()
    for week in range(1, term["weeks"] + 1):
        code, out, err = run(cli, "grid", *term_args, "--week", str(week), "--json", workbook)
        if code != 0:
            return code, err if code == 1 else json.loads(out)["error"]["message"], None
        for cell in json.loads(out)["cells"]:
            period, weekday = divmod(cell["index"], 7)
            day = term["start"] + datetime.timedelta(days=(week - 1) * 7 + weekday)
            start, end = (clock(t) for t in term["periods"][period].split("-"))
            meeting = []
            if cell["caption"].replace("\r\n", ""):
                lines = cell["caption"].split("\r\n")
                assert len(lines) == 3, cell
                meeting.append((lines[0], lines[1], lines[2]))
            for other in cell.get("others", []):
                meeting.append((other["course"], other["teacher"], other["room"]))
            assert bool(meeting) == bool(cell["tooltip"]), cell
            for course, teacher, room in meeting:
                classes[(day, start, end, course, room, teacher)] += 1
    return 0, "", classes


def text_of(event, name):
    value = event.get(name)
    return "" if value is None else str(value)


def calendar_classes(checks, label, text, term):
    calendar = icalendar.Calendar.from_ical(text)
    problems = []
    for event in calendar.walk("VEVENT"):
        if "EXDATE" in event or "RDATE" in event:
            problems.append(f"{event['UID']} relies on EXDATE/RDATE")
        rule = event.get("RRULE")
        if rule is not None and (rule["FREQ"] != ["WEEKLY"]
                                 or rule.get("INTERVAL", [1])[0] not in (1, 2)):
            problems.append(f"{event['UID']} has RRULE {rule.to_ical()!r}")
    classes = collections.Counter()
    first = datetime.datetime.combine(term["start"], datetime.time())
    last = first + datetime.timedelta(weeks=term["weeks"])
    for event in recurring_ical_events.of(calendar).between(first, last):
        start = event["DTSTART"].dt
        end = event["DTEND"].dt
        if start.utcoffset() != SHANGHAI or end.utcoffset() != SHANGHAI:
            problems.append(f"{event['UID']} is not in UTC+8: {start} {end}")
        classes[(start.date(), start.time().replace(tzinfo=None),
                 end.time().replace(tzinfo=None), text_of(event, "SUMMARY"),
                 text_of(event, "LOCATION"), text_of(event, "DESCRIPTION"))] += 1
    checks.check(not problems, f"{label}: weekly series in UTC+8 only", problems)
    return classes


def uids(text):
    return sorted(str(e["UID"]) for e in icalendar.Calendar.from_ical(text).walk("VEVENT"))


SPREADSHEET_NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
MARKERS = ["第一节", "第三节", "第五节", "第七节", "第九节", "第12节"]


def xlsx_cells(path):
    """{(row, column letter): text} of the first sheet of a plain xlsx (strings and numbers)."""
    with zipfile.ZipFile(path) as book:
        strings = []
        if "xl/sharedStrings.xml" in book.namelist():
            for item in ElementTree.fromstring(book.read("xl/sharedStrings.xml")):
                strings.append("".join(t.text or "" for t in item.iter(
                    "{%s}t" % SPREADSHEET_NS["m"])))
        sheet = ElementTree.fromstring(book.read("xl/worksheets/sheet1.xml"))
    cells = {}
    for cell in sheet.iterfind(".//m:sheetData/m:row/m:c", SPREADSHEET_NS):
        column, row = re.fullmatch(r"([A-Z]+)(\d+)", cell.get("r")).groups()
        value = cell.find("m:v", SPREADSHEET_NS)
        if value is None:
            continue
        text = strings[int(value.text)] if cell.get("t") == "s" else value.text
        cells[(int(row), column)] = text
    return cells


def weeks_named(text, weeks):
    """The weeks a plain week row names: {第a-b周}, with 单周 or 双周 anywhere."""
    found = re.search(r"\{第(\d+)-(\d+)周\}", text or "")
    if not found:
        return set()
    first, last = int(found.group(1)), int(found.group(2))
    named = {w for w in range(first, last + 1) if 1 <= w <= weeks}
    if "单周" in text:
        named = {w for w in named if w % 2 == 1}
    if "双周" in text:
        named = {w for w in named if w % 2 == 0}
    return named


def workbook_meetings(path, term):
    """Every meeting the blocks of a workbook name, read without the program: a Counter."""
    cells = xlsx_cells(path)
    marker_rows = [min(row for (row, column), text in cells.items()
                       if column == "B" and marker in str(text)) for marker in MARKERS]
    meetings = collections.Counter()
    for period in range(5):
        for weekday in range(7):
            column = chr(ord("C") + weekday)
            seen = set()
            for week_row in range(marker_rows[period] + 1, marker_rows[period + 1] + 1, 5):
                course, teacher, room = (cells.get((week_row + k, column), "") or ""
                                         for k in (-1, 1, 2))
                if not (course or teacher or room):
                    continue
                for week in weeks_named(cells.get((week_row, column)), term["weeks"]):
                    day = term["start"] + datetime.timedelta(days=(week - 1) * 7 + weekday)
                    start, end = (clock(t) for t in term["periods"][period].split("-"))
                    # One class written in two blocks meets once a week all the same.
                    seen.add((day, start, end, course, room, teacher))
            meetings.update(seen)
    return meetings


def check_every_meeting(checks, cli, workbook, term):
    """The calendar holds every meeting of a workbook whose blocks overlap, each once."""
    label = f"{os.path.basename(workbook)} read without the program"
    expected = workbook_meetings(workbook, term)
    code, out, err = run(cli, "ics", workbook)
    if not checks.check(code == 0, f"{label}: ics exits {code}", [err]):
        return
    text = out.decode("utf-8")
    actual = calendar_classes(checks, label, text, term)
    checks.check(actual == expected, f"{label}: {sum(expected.values())} meetings in the "
                 f"workbook, {sum(actual.values())} in the calendar", difference(expected, actual))
    names = uids(text)
    checks.check(len(set(names)) == len(names), f"{label}: two events share a UID")


def difference(expected, actual):
    lines = [f"missing {k} x{n}" for k, n in sorted((expected - actual).items())]
    lines += [f"extra   {k} x{n}" for k, n in sorted((actual - expected).items())]
    return lines


def check_workbook(checks, cli, workbook, term, term_args, folder):
    label = f"{os.path.basename(workbook)} ({term['start']}, {term['weeks']} weeks)"
    grid_code, grid_message, expected = grid_classes(cli, workbook, term, term_args)
    code, out, err = run(cli, "ics", *term_args, workbook)
    target = os.path.join(folder, "out.ics")
    with open(target, "wb") as f:
        f.write(b"an earlier export")
    code_o, out_o, _ = run(cli, "ics", *term_args, "-o", target, workbook)
    with open(target, "rb") as f:
        written = f.read()
    if grid_code != 0:
        checks.check(code == grid_code and code_o == grid_code and not out,
                     f"{label}: the grid fails with {grid_code}, ics exits {code}/{code_o}")
        checks.check(grid_code != 3 or grid_message in err,
                     f"{label}: ics does not give the grid's message", [grid_message, err])
        checks.check(written == b"an earlier export", f"{label}: a failed export wrote the file")
        return
    if not checks.check(code == 0 and code_o == 0, f"{label}: ics exits {code}/{code_o}", [err]):
        return
    text = out.decode("utf-8")
    actual = calendar_classes(checks, label, text, term)
    checks.check(actual == expected, f"{label}: {sum(expected.values())} classes in the grid, "
                 f"{sum(actual.values())} in the calendar", difference(expected, actual))
    checks.check(uids(written.decode("utf-8")) == uids(text),
                 f"{label}: the UIDs of two exports differ")
    checks.check(len(set(uids(text))) == len(uids(text)), f"{label}: two events share a UID")


def main():
    cli, source = sys.argv[1], sys.argv[2]
    samples = os.path.join(source, "tests", "data", "samples")
    workbooks = sorted(glob.glob(os.path.join(samples, "layout-*.xls*")))
    workbooks.append(os.path.join(source, "examples", "timetable.xlsx"))
    checks = Checks()
    with tempfile.TemporaryDirectory() as folder:
        for workbook in workbooks:
            check_workbook(checks, cli, workbook, DEFAULT_TERM, [], folder)
        autumn = ["--term", term_ini(AUTUMN_TERM, folder)]
        for name in ("layout-week-patterns.xlsx", "layout-week-patterns-gnumeric-biff5.xls",
                     "layout-typical-libreoffice-lo.xls"):
            check_workbook(checks, cli, os.path.join(samples, name), AUTUMN_TERM, autumn, folder)
    # Short and long class, two-digit weeks against odd weeks, one week inside the whole term.
    check_every_meeting(checks, cli, os.path.join(samples, "layout-week-patterns.xlsx"),
                        DEFAULT_TERM)
    # For the record, not a check: sanitizer builds and a busy machine are slower.
    example = os.path.join(source, "examples", "timetable.xlsx")
    times = []
    for _ in range(15):
        began = time.perf_counter()
        run(cli, "ics", example)
        times.append(time.perf_counter() - began)
    print(f"orvanto-cli ics {os.path.relpath(example, source)}: "
          f"median {statistics.median(times) * 1000:.1f} ms a process")
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
