#!/usr/bin/python3
"""Writes the benchmark's big workbook: a timetable whose first sheet carries
200,000 more rows after the timetable (tens of MB), the way a student's file
grows when other data is pasted below the timetable.

Usage: make_big_workbook.py TIMETABLE.xlsx OUTPUT.xlsx [ROWS]

Only the standard library: the timetable's own parts are copied, and the extra
rows and their shared strings are appended in the same SpreadsheetML.
"""
import re
import sys
import zipfile

SHEET = "xl/worksheets/sheet1.xml"
STRINGS = "xl/sharedStrings.xml"


def extra_rows(first_row, count, first_string):
    """Yields the XML of count rows and appends their strings to a list."""
    for i in range(count):
        row = first_row + i
        s = first_string + i
        yield (f'<row r="{row}"><c r="A{row}"><v>{row}</v></c>'
               f'<c r="B{row}" t="s"><v>{s}</v></c>'
               f'<c r="C{row}"><v>{i * 0.25}</v></c>'
               f'<c r="D{row}" t="s"><v>{s}</v></c>'
               f'<c r="E{row}"><v>{40238 + i % 365}</v></c>'
               f'<c r="F{row}"><v>{i % 97}</v></c>'
               f'<c r="G{row}" t="s"><v>{s}</v></c>'
               f'<c r="H{row}"><v>{i * 3.14159}</v></c>'
               f'<c r="I{row}" t="b"><v>{i % 2}</v></c>'
               f'<c r="J{row}" t="str"><f>A{row}*2</f><v>{row * 2}</v></c></row>')


def main(argv):
    source, target = argv[1], argv[2]
    count = int(argv[3]) if len(argv) > 3 else 200_000
    with zipfile.ZipFile(source) as src:
        parts = {name: src.read(name) for name in src.namelist()}
    sheet = parts[SHEET].decode("utf-8")
    strings = parts[STRINGS].decode("utf-8")
    last_row = max(int(r) for r in re.findall(r'<row r="(\d+)"', sheet))
    unique = len(re.findall(r"<si>", strings))
    first_row = last_row + 10

    head, tail = sheet.split("</sheetData>", 1)
    sheet_head = re.sub(r'<dimension ref="[^"]*"/>',
                        f'<dimension ref="A1:J{first_row + count - 1}"/>', head)
    sst_head, sst_tail = strings.split("</sst>", 1)
    sst_head = re.sub(r'count="\d+"', f'count="{unique + count * 3}"', sst_head, 1)
    sst_head = re.sub(r'uniqueCount="\d+"', f'uniqueCount="{unique + count}"', sst_head, 1)

    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as dst:
        for name, data in parts.items():
            if name not in (SHEET, STRINGS):
                dst.writestr(name, data)
        with dst.open(SHEET, "w", force_zip64=True) as out:
            out.write(sheet_head.encode())
            batch = []
            for xml in extra_rows(first_row, count, unique):
                batch.append(xml)
                if len(batch) == 1000:
                    out.write("".join(batch).encode())
                    batch = []
            out.write("".join(batch).encode())
            out.write(("</sheetData>" + tail).encode())
        with dst.open(STRINGS, "w", force_zip64=True) as out:
            out.write(sst_head.encode())
            for i in range(0, count, 1000):
                out.write("".join(f"<si><t>记录 {first_row + j} 备注文本</t></si>"
                                  for j in range(i, min(i + 1000, count))).encode())
            out.write(("</sst>" + sst_tail).encode())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
