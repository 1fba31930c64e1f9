#!/usr/bin/python3
"""Re-makes the bad .xlsx inputs in this folder from a sample made by a real writer.

Each file is one kind of damage or hostility; the reader must fail on it with a
stated reason (or, for the row flood, read it without going past what it needs),
never crash, hang or allocate without bound.

Run from anywhere: /usr/bin/python3 tests/data/bad/make_bad.py
"""
import os
import re
import sys
import zipfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "..", "samples", "layout-typical-xlsxwriter.xlsx")
MIB = 1 << 20


def out(name):
    return os.path.join(HERE, name)


def parts():
    with zipfile.ZipFile(SAMPLE) as src:
        return {name: src.read(name) for name in src.namelist()}


def write_zip(name, members, compress=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(out(name), "w", compress) as dst:
        for member, data in members.items():
            dst.writestr(member, data)


def write_deflated_stream(name, members, big_member, chunks):
    """Like write_zip, but big_member is deflated from an iterator of chunks so a
    member of hundreds of MiB never sits in memory."""
    with zipfile.ZipFile(out(name), "w", zipfile.ZIP_DEFLATED, compresslevel=9) as dst:
        for member, data in members.items():
            if member != big_member:
                dst.writestr(member, data)
        with dst.open(big_member, "w", force_zip64=True) as stream:
            for chunk in chunks:
                stream.write(chunk)


def with_edit(name, member, edit):
    members = parts()
    members[member] = edit(members[member].decode("utf-8")).encode("utf-8")
    write_zip(name, members)


SHEET_HEAD = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
              '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
              '<sheetData>')


def main():
    sample = open(SAMPLE, "rb").read()
    open(out("xlsx-empty.xlsx"), "wb").close()
    with open(out("xlsx-text-file.xlsx"), "w", encoding="utf-8") as f:
        f.write("这不是工作簿，只是一个改了扩展名的文本文件。\n")
    for length in (4, 200, 2000, len(sample) - 30):
        open(out(f"xlsx-truncated-{length}.xlsx"), "wb").write(sample[:length])

    members = parts()
    del members["xl/workbook.xml"]
    write_zip("xlsx-no-workbook.xlsx", members)

    with_edit("xlsx-missing-sheet-part.xlsx", "xl/_rels/workbook.xml.rels",
              lambda xml: xml.replace("worksheets/sheet1.xml", "worksheets/sheet9.xml"))
    with_edit("xlsx-missing-relationship.xlsx", "xl/workbook.xml",
              lambda xml: xml.replace('r:id="rId1"', 'r:id="rId77"'))
    with_edit("xlsx-malformed-sheet.xlsx", "xl/worksheets/sheet1.xml",
              lambda xml: xml.replace("<sheetData>", "\n<sheetData>\n<row r=\"1\"><c r=\"A1\">"
                                      "<v>1</v></row>", 1))

    # Entity expansion: a DTD that would grow to gigabytes of text.
    laughs = ['<!ENTITY lol0 "lollollollollollollollollollol">']
    laughs += [f'<!ENTITY lol{i} "' + f"&lol{i - 1};" * 10 + '">' for i in range(1, 10)]
    bomb = ('<?xml version="1.0" encoding="UTF-8"?>\n<!DOCTYPE sst [\n' + "\n".join(laughs) +
            '\n]>\n<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
            "<si><t>&lol9;</t></si></sst>")
    members = parts()
    members["xl/sharedStrings.xml"] = bomb.encode("utf-8")
    write_zip("xlsx-billion-laughs.xlsx", members)

    # Declared sizes that must never be trusted.
    def billions(xml):
        return re.sub(r'(count|uniqueCount)="\d+"', r'\1="4000000000"', xml)
    members = parts()
    members["xl/sharedStrings.xml"] = billions(
        members["xl/sharedStrings.xml"].decode("utf-8")).encode("utf-8")
    sheet = members["xl/worksheets/sheet1.xml"].decode("utf-8")
    sheet = sheet.replace('<c r="C3" t="s"><v>', '<c r="C3" t="s"><v>3999999999</v></c>'
                          '<c r="C99" t="s"><v>', 1)
    members["xl/worksheets/sheet1.xml"] = sheet.encode("utf-8")
    write_zip("xlsx-declared-count-billions.xlsx", members)

    with_edit("xlsx-row-number-billions.xlsx", "xl/worksheets/sheet1.xml",
              lambda xml: xml.replace('<row r="3"', '<row r="4000000003"', 1))
    with_edit("xlsx-cell-reference-out-of-range.xlsx", "xl/worksheets/sheet1.xml",
              lambda xml: xml.replace('<c r="C3"', '<c r="XFE3"', 1))

    # Zip bombs: members that inflate far past anything a workbook part needs.
    spaces = b" " * MIB
    members = parts()
    write_deflated_stream("xlsx-zip-bomb-sheet.xlsx", members, "xl/worksheets/sheet1.xml",
                          [SHEET_HEAD.encode()] + [spaces] * 136)
    sst_head = ('<?xml version="1.0" encoding="UTF-8"?>\n<sst xmlns="http://schemas.'
                'openxmlformats.org/spreadsheetml/2006/main"><si><t>first</t></si>')
    members = parts()
    members["xl/worksheets/sheet1.xml"] = (
        SHEET_HEAD + '<row r="3"><c r="B3" t="s"><v>1</v></c></row></sheetData></worksheet>'
    ).encode()
    write_deflated_stream("xlsx-zip-bomb-shared-strings.xlsx", members, "xl/sharedStrings.xml",
                          [sst_head.encode()] + [spaces] * 136)
    # A flood of rows past row 202, then a broken tail: read only up to row 203.
    members = parts()
    flood = b"<row/>" * (MIB // 6)
    rows = ('<row r="3"><c r="B3" t="inlineStr"><is><t>第一节</t></is></c>'
            '<c r="C3" t="inlineStr"><is><t>高等数学</t></is></c></row>').encode()
    write_deflated_stream("xlsx-row-flood.xlsx", members, "xl/worksheets/sheet1.xml",
                          [SHEET_HEAD.encode(), rows] + [flood] * 48 + [b"<<not xml"])

    # A workbook whose only sheet is a chart sheet.
    with_edit("xlsx-no-worksheet.xlsx", "xl/_rels/workbook.xml.rels",
              lambda xml: xml.replace("relationships/worksheet", "relationships/chartsheet"))

    # A binary workbook (.xlsb): the package names xl/workbook.bin.
    members = parts()
    members["_rels/.rels"] = members["_rels/.rels"].replace(b"xl/workbook.xml", b"xl/workbook.bin")
    members["xl/workbook.bin"] = bytes([0x83, 0x01, 0x00, 0x80, 0x01, 0x00])
    write_zip("xlsx-binary-workbook.xlsb", members)

    # One byte of the sheet's deflated data flipped.
    with zipfile.ZipFile(SAMPLE) as src:
        info = src.getinfo("xl/worksheets/sheet1.xml")
    data = bytearray(sample)
    start = info.header_offset + 30 + len(info.filename.encode()) + len(info.extra)
    data[start + info.compress_size // 2] ^= 0xFF
    open(out("xlsx-byte-flipped.xlsx"), "wb").write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
