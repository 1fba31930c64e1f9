#!/usr/bin/python3
"""Writes small inputs that once cost far more than a second or 64 MB to read, and their
neighbours (ten times larger, the same trick in another element or part), into FOLDER.
tests/cli/HostileInputTest.cpp reads each through the viewer's read and the import.

Only the standard library. Run: make_hostile_inputs.py FOLDER
"""
import os
import sys
import zipfile

NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
HEAD = '<?xml version="1.0" encoding="UTF-8"?>'

WEEKDAYS = ["星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"]


def text_cell(ref, text):
    return f'<c r="{ref}" t="inlineStr"><is><t>{text}</t></is></c>'


# A timetable of one class: weekday names over the columns, period labels down column A.
ROWS = ('<row r="1">' + text_cell("A1", "节次")
        + "".join(text_cell(f"{chr(66 + i)}1", day) for i, day in enumerate(WEEKDAYS))
        + '</row><row r="2">' + text_cell("A2", "第1节") + text_cell("B2", "高等数学&#10;1-16周")
        + "</row>")


def chunks(text, count):
    """text repeated count times, in pieces small enough to stream."""
    piece = 4096
    while count > 0:
        n = min(piece, count)
        yield text * n
        count -= n


def workbook(path, sheets, parts, shared_strings=None, workbook_tail="",
             compression=zipfile.ZIP_DEFLATED):
    """A package: sheets is a list of (name, relationship id); parts maps a relationship id
    to the worksheet part's content (a string or a list of chunks)."""
    with zipfile.ZipFile(path, "w", compression) as z:
        z.writestr("[Content_Types].xml",
                   HEAD + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/'
                   'content-types"><Default Extension="rels" ContentType="application/'
                   'vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" '
                   'ContentType="application/xml"/></Types>')
        z.writestr("_rels/.rels",
                   HEAD + f'<Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                   f'Type="{REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        with z.open("xl/workbook.xml", "w", force_zip64=True) as out:
            out.write((HEAD + f'<workbook xmlns="{NS}" xmlns:r="{REL}"><sheets>').encode())
            for i, (name, rid) in enumerate(sheets):
                out.write(f'<sheet name="{name}" sheetId="{i + 1}" r:id="{rid}"/>'.encode())
            out.write(("</sheets>" + workbook_tail + "</workbook>").encode())
        rels = "".join(f'<Relationship Id="{rid}" Type="{REL}/worksheet" '
                       f'Target="worksheets/{rid}.xml"/>' for rid in parts)
        if shared_strings is not None:
            rels += (f'<Relationship Id="rIdS" Type="{REL}/sharedStrings" '
                     'Target="sharedStrings.xml"/>')
        z.writestr("xl/_rels/workbook.xml.rels",
                   HEAD + f'<Relationships xmlns="{PKG}">{rels}</Relationships>')
        for rid, content in parts.items():
            with z.open(f"xl/worksheets/{rid}.xml", "w", force_zip64=True) as out:
                for chunk in [content] if isinstance(content, str) else content:
                    out.write(chunk.encode())
        if shared_strings is not None:
            with z.open("xl/sharedStrings.xml", "w", force_zip64=True) as out:
                for chunk in shared_strings:
                    out.write(chunk.encode())


def sheet(rows, tail=""):
    return HEAD + f'<worksheet xmlns="{NS}"><sheetData>{rows}</sheetData>{tail}</worksheet>'


def deep_sheet(element, levels):
    """A worksheet part that opens elements without closing them."""
    yield HEAD + f'<worksheet xmlns="{NS}"><sheetData>' + ROWS
    yield from chunks(f"<{element}>", levels)


def deep_shared_strings(levels):
    yield HEAD + f'<sst xmlns="{NS}"><si>'
    yield from chunks("<r>", levels)


def many_sheets(path, count, rows, tail="", compression=zipfile.ZIP_DEFLATED):
    """count sheets that all point at one worksheet part."""
    workbook(path, [(f"S{i}", "rId1") for i in range(count)], {"rId1": sheet(rows, tail)},
             compression=compression)


def page(body):
    return ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>课表</title></head><body>'
            + body + "</body></html>")


GRID_TABLE = ("<table><tr><td>节次" + "".join(f"<td>{day}" for day in WEEKDAYS)
              + "<tr><td>第1节<td>高等数学<br>1-16周</table>")


def attributes_page(element, count):
    names = "".join(f" a{i}=1" for i in range(count))
    if element == "td":
        return page(f"<table><tr><td{names}>节次" + "".join(f"<td>{day}" for day in WEEKDAYS)
                    + "<tr><td>第1节<td>高等数学<br>1-16周</table>")
    return page(f"<{element}{names}></{element}>" + GRID_TABLE)


def stray_end_tags_page(opened, stray, count_open, count_stray):
    return page(f"<{opened}>" * count_open + f"</{stray}>" * count_stray + GRID_TABLE)


def class_flood_page(tables, rows_per_table=1000):
    """Timetables of rows_per_table rows, seven minimal classes each."""
    head = "<tr><td>节次" + "".join(f"<td>{day}" for day in WEEKDAYS)
    rows = "".join(f"<tr><td>第{i % 12 + 1}节" + "<td>a<br>1周" * 7
                   for i in range(rows_per_table))
    return page(("<table>" + head + rows + "</table>") * tables)


def write(folder, name, content):
    mode = "w" if isinstance(content, str) else "wb"
    with open(os.path.join(folder, name), mode, encoding="utf-8" if mode == "w" else None) as f:
        f.write(content)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    at = lambda name: os.path.join(folder, name)

    # 1. Elements opened and never closed: in a worksheet, in the shared strings.
    for name, element, levels in [("deep-sheet", "a", 1_000_000),
                                  ("deep-sheet-10x", "a", 10_000_000),
                                  ("deep-sheet-cells", "c", 1_000_000)]:
        workbook(at(name + ".xlsx"), [("课表", "rId1")], {"rId1": deep_sheet(element, levels)})
    workbook(at("deep-shared-strings.xlsx"), [("课表", "rId1")],
             {"rId1": sheet('<row r="1"><c r="B1" t="s"><v>0</v></c></row>')},
             shared_strings=deep_shared_strings(1_000_000))

    # 2. Thousands of sheets pointing at one part: its cells, and a merge reaching far out.
    many_sheets(at("many-sheets.xlsx"), 6000, ROWS)
    many_sheets(at("many-sheets-10x.xlsx"), 60000, ROWS)
    many_sheets(at("many-sheets-merged.xlsx"), 6000, ROWS,
                '<mergeCells count="1"><mergeCell ref="C4000:IV4096"/></mergeCells>')
    many_sheets(at("many-one-cell-sheets.xlsx"), 65535, '<row r="1"><c r="A1"><v>1</v></c></row>')

    # 3. One element with very many attributes.
    write(folder, "many-attributes.html", attributes_page("td", 100_000))
    write(folder, "many-attributes-10x.html", attributes_page("td", 1_000_000))
    write(folder, "many-attributes-meta.html", attributes_page("meta", 100_000))

    # 4. Deep nesting, then end tags of elements never opened.
    write(folder, "stray-end-tags.html", stray_end_tags_page("div", "b", 50_000, 120_000))
    write(folder, "stray-end-tags-10x.html", stray_end_tags_page("div", "b", 500_000, 1_200_000))
    write(folder, "stray-end-tags-span.html", stray_end_tags_page("span", "i", 50_000, 120_000))
    write(folder, "stray-end-tags-shallow.html", stray_end_tags_page("div", "b", 200, 120_000))
    write(folder, "deep-tables.html", stray_end_tags_page("table", "x", 50_000, 0))

    # 5. A page of ~99,000 minimal classes, and ten times as many.
    write(folder, "class-flood.html", class_flood_page(10))
    write(folder, "class-flood-10x.html", class_flood_page(60))

    # 6. Something that is no regular file: a FIFO no one writes to.
    fifo = at("fifo.xlsx")
    if os.path.exists(fifo):
        os.remove(fifo)
    os.mkfifo(fifo)
    os.makedirs(at("folder.xlsx"), exist_ok=True)

    # 7. Sheet names with line breaks and other control characters.
    rows = ROWS + '<row r="3">' + text_cell("A3", "第2节") + text_cell("B3", "???") + "</row>"
    workbook(at("sheet-name-breaks.xlsx"), [("课表&#10;第二行&#13;", "rId1")],
             {"rId1": sheet(rows)})
    workbook(at("sheet-name-escape.xlsx"), [("a&#9;b&#127;c", "rId1")],
             {"rId1": sheet(rows)})


if __name__ == "__main__":
    main()
