#!/usr/bin/python3
"""Re-makes the sample workbooks in this folder with real writers.

Writers: xlsxwriter and openpyxl (python3-xlsxwriter, python3-openpyxl), LibreOffice
(soffice --headless) and Gnumeric (ssconvert). A few samples carry details no
installed writer produces (strict namespaces, phonetic runs, cells without
references, absolute relationship targets); those are made by rewriting the parts
of a writer's file with zipfile, the way other writers lay them out.

layout-*.xlsx follow the timetable layout and are also converted to .xls; the
xlsx-*.xlsx samples exercise details of the xlsx format only.

Run from anywhere: /usr/bin/python3 tests/data/samples/make_samples.py [formula-markers]
(with formula-markers, only the formula marker and formula group samples are made again)
"""
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

import openpyxl
import xlsxwriter

HERE = os.path.dirname(os.path.abspath(__file__))
WEEKDAYS = ["星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"]
MARKERS = ["第一节", "第三节", "第五节", "第七节", "第九节", "第12节"]
MARKER_ROWS = [3, 13, 23, 33, 43, 53]

# (marker index, weekday 0-6, block) -> (line 1, week row, line 2, line 3)
TYPICAL_BLOCKS = {
    (0, 0, 0): ("高等数学A(2)", "{第1-16周}", "张明 教授", "教3-201"),
    (0, 1, 0): ("大学英语(4)", "{第1-15周}单周", "李华 讲师", "外语楼305"),
    (0, 1, 1): ("大学物理实验", "{第2-16周}双周", "王强", "物理实验中心"),
    (0, 2, 0): ("线性代数", "{第10-12周}", "赵丽", "教2-105"),
    (0, 4, 0): ("体育(2)", "{第1-16周}", "陈刚", "东操场"),
    (1, 0, 1): ("数据结构", "{第3-18周}", "孙伟 副教授", "教1-302"),
    (1, 3, 0): ("思想政治理论", "{第1-8周}", "周敏", "大礼堂"),
    (2, 2, 0): ("程序设计实践", "{第9-16周}双周", "吴涛", "计算中心B203"),
    (3, 1, 0): ("概率论与数理统计", "{第1-16周}", "郑洁", 3205),
    (4, 3, 0): ("电影鉴赏(选修)", "{第5-12周}", "冯晓", "艺术楼101"),
    (4, 5, 0): ("英语角", "{第1-22周}", "外教 Tom", "图书馆一楼"),
}


def timetable_cells(markers=MARKERS, marker_rows=MARKER_ROWS, blocks=TYPICAL_BLOCKS):
    """{(row, column letter): value} of a timetable sheet, rows 1-based."""
    cells = {(1, "A"): "节次", (1, "B"): "时间"}
    for day, name in enumerate(WEEKDAYS):
        cells[(1, chr(ord("C") + day))] = name
    for marker, row in zip(markers, marker_rows):
        cells[(row, "B")] = marker
    for period, row in enumerate(marker_rows[:5]):
        cells[(row, "A")] = period * 2 + 1
    for (period, day, block), lines in blocks.items():
        top = marker_rows[period] + 5 * block
        column = chr(ord("C") + day)
        for offset, text in zip((0, 1, 2, 3), lines):
            cells[(top + offset, column)] = text
    return cells


def write_xlsxwriter(path, sheets, active=0, options=None, formats=None):
    """sheets: [(name, {(row, col): value})]; values may be (value, format name)."""
    book = xlsxwriter.Workbook(path, options or {})
    made = {name: book.add_format(style) for name, style in (formats or {}).items()}
    for index, (name, cells) in enumerate(sheets):
        sheet = book.add_worksheet(name)
        for (row, column), value in sorted(cells.items()):
            fmt = None
            if isinstance(value, tuple):
                value, fmt = value[0], made[value[1]]
            address = f"{column}{row}"
            if isinstance(value, datetime.datetime):
                sheet.write_datetime(address, value, fmt)
            elif isinstance(value, bool):
                sheet.write_boolean(address, value, fmt)
            else:
                sheet.write(address, value, fmt)
        if index == active:
            sheet.activate()
    book.close()


def write_openpyxl(path, cells, **options):
    book = openpyxl.Workbook(**options)
    sheet = book.active
    sheet.title = "课表"
    for (row, column), value in cells.items():
        sheet[f"{column}{row}"] = value
    book.save(path)


def convert_libreoffice(source, target):
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["soffice", "--headless", "--convert-to", "xlsx:Calc MS Excel 2007 XML",
                        "--outdir", out, source], check=True, capture_output=True)
        shutil.move(os.path.join(out, os.path.basename(source)), target)


def convert_gnumeric(source, target, recalc=False):
    command = ["ssconvert"] + (["--recalc"] if recalc else []) + [source, target]
    subprocess.run(command, check=True, capture_output=True)


def rewrite_parts(source, target, edits):
    """Copies a package, passing each part's text through edits[name] where given."""
    with zipfile.ZipFile(source) as src, zipfile.ZipFile(target, "w",
                                                         zipfile.ZIP_DEFLATED) as dst:
        for item in src.infolist():
            data = src.read(item.filename)
            if item.filename in edits:
                data = edits[item.filename](data.decode("utf-8")).encode("utf-8")
            dst.writestr(item.filename, data)


def out(name):
    return os.path.join(HERE, name)


def make_layout_samples(tmp):
    cells = timetable_cells()
    base = os.path.join(tmp, "typical.xlsx")
    write_xlsxwriter(base, [("课表", cells)])
    shutil.copy(base, out("layout-typical-xlsxwriter.xlsx"))
    write_openpyxl(out("layout-typical-openpyxl.xlsx"), cells)
    convert_libreoffice(base, out("layout-typical-libreoffice.xlsx"))
    convert_gnumeric(base, out("layout-typical-gnumeric.xlsx"))

    # Saved while the second sheet was shown: texts come from it, markers from the first.
    other = {(1, "C"): "备注", (3, "C"): "第二张表的C3", (5, "I"): "第二张表的I5",
             (202, "E"): "第二张表的E202", (203, "E"): "第203行"}
    write_xlsxwriter(out("layout-second-sheet-active.xlsx"),
                     [("课表", cells), ("备注", other)], active=1)

    # Values whose text depends on their number format.
    formats = {"date": {"num_format": "yyyy/m/d"}, "time": {"num_format": "hh:mm:ss"},
               "datetime": {"num_format": "yyyy-mm-dd hh:mm"},
               "currency": {"num_format": "¥#,##0.00"}, "percent": {"num_format": "0.00%"},
               "scientific": {"num_format": "0.00E+00"}, "fixed": {"num_format": "0.000"}}
    values = dict(cells)
    values.update({
        (4, "H"): (datetime.datetime(2010, 3, 19), "date"),
        (5, "H"): (datetime.datetime(1899, 12, 31, 8, 30), "time"),
        (6, "H"): (datetime.datetime(2010, 3, 1, 14, 5, 30), "datetime"),
        (7, "H"): (1234.5678, "currency"),
        (8, "H"): (0.256, "percent"),
        (9, "H"): (12345678901, "scientific"),
        (10, "H"): (2.5, "fixed"),
        (11, "H"): 0.1,
        (12, "H"): 1e-20,
        (4, "I"): True,
        (5, "I"): False,
        (6, "I"): -0.0,
    })
    write_xlsxwriter(out("layout-number-formats.xlsx"), [("课表", values)], formats=formats)

    dates1904 = dict(cells)
    dates1904[(4, "H")] = (datetime.datetime(2010, 3, 19), "date")
    write_xlsxwriter(out("layout-date1904.xlsx"), [("课表", dates1904)],
                     options={"date_1904": True}, formats={"date": formats["date"]})

    # Formula results of every kind; Gnumeric recalculates them on load and saves
    # the results, LibreOffice keeps the cached values it is given.
    formula_source = os.path.join(tmp, "formulas.xlsx")
    book = xlsxwriter.Workbook(formula_source)
    sheet = book.add_worksheet("课表")
    for (row, column), value in sorted(cells.items()):
        sheet.write(f"{column}{row}", value)
    sheet.write_formula("H3", "=1+2", None, 3)
    sheet.write_formula("H4", '="课"&"表"', None, "课表")
    sheet.write_formula("H5", "=1>0", None, True)
    sheet.write_formula("H6", "=1/0", None, "#DIV/0!")
    sheet.write_formula("H7", '=""', None, "")
    sheet.write_formula("F33", "=NA()", None, "#N/A")  # an error in a line-1 row
    sheet.write_formula("B63", '="第"&"九节"', None, "第九节")
    book.close()
    convert_gnumeric(formula_source, out("layout-formulas-gnumeric.xlsx"), recalc=True)
    convert_libreoffice(formula_source, out("layout-formulas-libreoffice.xlsx"))

    # Marker placement: the first marker in B1, the last one below row 200, and
    # full-width digits and Latin letters in other case.
    b1 = timetable_cells(marker_rows=[1, 13, 23, 33, 43, 53])
    write_xlsxwriter(out("layout-marker-b1.xlsx"), [("课表", b1)])
    below = timetable_cells(marker_rows=[3, 13, 23, 33, 43, 201])
    write_xlsxwriter(out("layout-marker-below-200.xlsx"), [("课表", below)])
    variants = timetable_cells(markers=["第一节 AM", "第三节", "第五节 pm", "第七节",
                                        "第九节", "第１２节"])
    write_xlsxwriter(out("layout-marker-variants.xlsx"), [("课表", variants)])


# Week specifications a calendar export must get right: odd-only, even-only, ranged, two-digit
# and overlapping blocks (the upper one wins where both meet), several classes in one slot.
WEEK_PATTERN_BLOCKS = {
    (0, 0, 0): ("单周课", "{第1-15周}单周", "甲老师", "教1-101"),
    (0, 0, 1): ("双周课", "{第2-16周}双周", "乙老师", "教1-102"),
    (0, 1, 0): ("短课", "{第3-5周}", "丙老师", "教2-201"),
    (0, 1, 1): ("长课", "{第1-18周}", "丁老师", "教2-202"),
    (1, 2, 0): ("两位数周", "{第10-12周}", "戊老师", "教3-301"),
    (1, 2, 1): ("后半学期单周", "{第11-21周}单周", "己老师", "教3-302"),
    (2, 3, 0): ("第九周", "{第9-9周}", "", "操场"),
    (2, 3, 1): ("整学期", "{第1-22周}", "庚老师", ""),
    (3, 4, 0): ("双周晚", "{第12-22周}双周", "辛老师", "实验楼A-5"),
    (4, 5, 0): ("周末课, 含逗号; 分号\\反斜杠", "{第1-22周}", "壬老师", "图书馆"),
    (4, 6, 0): ("很长的课程名称" * 8, "{第20-22周}", "癸老师", "Room 12"),
}


def make_calendar_samples():
    cells = timetable_cells(blocks=WEEK_PATTERN_BLOCKS)
    write_xlsxwriter(out("layout-week-patterns.xlsx"), [("课表", cells)])

    # A teacher line that holds an error: weeks 3 and 4 cannot be composed.
    broken = dict(timetable_cells())
    broken.update({(33, "H"): "坏课", (34, "H"): "{第3-4周}", (36, "H"): "教1-101"})
    book = xlsxwriter.Workbook(out("layout-error-week3.xlsx"))
    sheet = book.add_worksheet("课表")
    for (row, column), value in sorted(broken.items()):
        sheet.write(f"{column}{row}", value)
    sheet.write_formula("H35", "=NA()", None, "#N/A")
    book.close()


# Formula markers of every kind the marker search must read as formula text, in both formats:
# functions, names, other sheets, formulas filled down (shared) and array formulas. Decoys show
# a marker as their value only, which Find, looking in formulas, does not see.
FORMULA_MARKER_ROWS = {"第一节": 3, "第三节": 13, "第五节": 23, "第七节": 30, "第九节": 43,
                       "第12节": 53}


def make_formula_marker_samples(tmp):
    cells = timetable_cells()
    for row in MARKER_ROWS:
        cells.pop((row, "B"), None)
    source = os.path.join(tmp, "formula-markers.xlsx")
    book = xlsxwriter.Workbook(source)
    sheet = book.add_worksheet("课表")
    settings = book.add_worksheet("设置")
    other = book.add_worksheet("my sheet")
    settings.write("A1", "第12节")
    settings.write("A2", "第五节")
    settings.write("B1", 2)
    other.write("A1", "")
    other.write("B1", 3)
    book.define_name("标记五", "=设置!$A$2")
    book.define_name("课表范围", "=课表!$C$1:$I$60")
    for (row, column), value in sorted(cells.items()):
        sheet.write(f"{column}{row}", value)
    formulas = {
        3: ('=T("第一节")', "第一节"),
        5: ('=N(A1)+MATCH("x",A1:A2,0)', "#N/A"),
        6: ('=COUNTIF(A1:A10,"第")', 0),
        7: ('=CLEAN(HYPERLINK("http://x","y"))', "y"),
        8: ("=设置!A1", "第12节"),               # decoy: the value is the closing marker
        9: ('=SEARCH("a","ba")', 2),
        10: ("=COUNTA(A:A)", 6),
        11: ("=SUM(设置:'my sheet'!B1:B2)", 5),
        12: ("=ROWS(课表范围)", 60),
        13: ('="第三节"&IF(ISBLANK(A13),"","")', "第三节"),
        18: ("=标记五", "第五节"),                # decoy through a name
        23: ("=\"第五节\"&'my sheet'!A1", "第五节"),
        35: ('=ISTEXT("第七")', True),
        53: ('="第12节"&IFERROR(1/0,"")', "第12节"),
    }
    for row, (formula, value) in formulas.items():
        sheet.write_formula(f"B{row}", formula, None, value)
    # Filled down: the same relative formula in B28:B33, the marker text in every row.
    for row in range(28, 34):
        sheet.write_formula(f"B{row}", f'=REPT("第七节",ROW(A{row})>=30)',
                            None, "第七节" if row >= 30 else "")
    # A number as its result: LibreOffice loses an array formula's text result in .xls.
    sheet.write_array_formula("B43:B44", '{=SUM(LEN(A43:A44))+0*LEN("第九节")}', None, 0)
    book.close()
    convert_libreoffice(source, out("layout-formula-markers-libreoffice.xlsx"))
    convert_gnumeric(source, out("layout-formula-markers-gnumeric.xlsx"), recalc=True)


# Shared, array and data-table formulas as Excel writes them, by hand: a shared formula whose
# first cell is in column A, followers without text, an array formula whose other cells carry
# no formula of their own, a follower whose group never comes, a newer function's prefix.
FORMULA_GROUP_CELLS = """<sheetData>
<row r="1"><c r="A1" t="inlineStr"><is><t>a</t></is></c></row>
<row r="2"><c r="A2" t="str"><f t="shared" ref="A2:C3" si="0">A1&amp;"x"</f><v>ax</v></c>
<c r="B2" t="str"><f t="shared" si="0"/><v>x</v></c><c r="C2" t="str"><f t="shared" si="0"/><v>x</v></c></row>
<row r="3"><c r="B3" t="str"><f t="shared" si="0"/><v>xx</v></c></row>
<row r="5"><c r="B5" t="str"><f t="array" ref="B5:C6">_xlfn.IFERROR(A1:A2,"第九节")</f><v>a</v></c>
<c r="C5" t="str"><v>a</v></c></row>
<row r="6"><c r="B6" t="str"><v>0</v></c><c r="C6" t="str"><v>0</v></c></row>
<row r="7"><c r="B7" t="str"><f t="shared" si="9"/><v>第三节</v></c></row>
<row r="8"><c r="B8"><f t="dataTable" ref="B8:B8" dt2D="0" dtr="0" r1="A1"/><v>1</v></c></row>
<row r="9"><c r="B9"><f>SUM(设置:'my sheet'!A1)</f><v>0</v></c></row>
<row r="10"><c r="B10"><f t="shared" ref="B10:B12" si="1">$A$1+A10</f><v>0</v></c></row>
<row r="12"><c r="B12"><f t="shared" si="1"/><v>0</v></c></row>
</sheetData>"""


def make_formula_group_sample(tmp):
    base = os.path.join(tmp, "groups.xlsx")
    write_xlsxwriter(base, [("课表", {(1, "A"): "a"}), ("设置", {}), ("my sheet", {})])

    def groups(xml):
        return re.sub(r"<sheetData>.*</sheetData>", lambda _: FORMULA_GROUP_CELLS, xml,
                      flags=re.S)
    rewrite_parts(base, out("xlsx-formula-groups.xlsx"), {"xl/worksheets/sheet1.xml": groups})


def make_format_samples(tmp):
    cells = timetable_cells()

    # Chart sheet first and active: markers from the first worksheet, no texts.
    book = xlsxwriter.Workbook(out("xlsx-chartsheet-first.xlsx"))
    chartsheet = book.add_chartsheet("图表")
    sheet = book.add_worksheet("课表")
    for (row, column), value in sorted(cells.items()):
        sheet.write(f"{column}{row}", value)
    chart = book.add_chart({"type": "column"})
    chart.add_series({"values": "=课表!$A$3:$A$43"})
    chartsheet.set_chart(chart)
    chartsheet.activate()
    book.close()

    # Inline strings, rich text, control characters and text that looks like an escape.
    book = xlsxwriter.Workbook(out("xlsx-inline-rich-escapes.xlsx"), {"constant_memory": True})
    sheet = book.add_worksheet("课表")
    bold = book.add_format({"bold": True})
    sheet.write("B3", "第一节")
    sheet.write_rich_string("C3", "高等", bold, "数学", "A(2)")
    sheet.write("D3", "第一行\r\n第二行")
    sheet.write("E3", "a_x0041_b")
    sheet.write("F3", "tab\tand\x01ctl")
    book.close()
    book = xlsxwriter.Workbook(out("xlsx-shared-rich-escapes.xlsx"))
    sheet = book.add_worksheet("课表")
    sheet.write("B3", "第一节")
    sheet.write_rich_string("C3", "高等", bold := book.add_format({"bold": True}), "数学",
                            "A(2)")
    sheet.write("D3", "第一行\r\n第二行")
    sheet.write("E3", "a_x0041_b")
    sheet.write("F3", "tab\tand\x01ctl")
    book.close()

    long_text = ("课表" * 16384)[:32767]
    write_xlsxwriter(out("xlsx-long-string.xlsx"), [("课表", {(3, "B"): "第一节",
                                                              (3, "C"): long_text})])

    # t="d" cells: openpyxl writes ISO dates when asked to.
    iso = {(3, "B"): "第一节", (3, "C"): datetime.datetime(2010, 3, 19),
           (4, "C"): datetime.datetime(2010, 3, 19, 13, 45, 30),
           (5, "C"): datetime.datetime(1900, 2, 28)}
    write_openpyxl(out("xlsx-iso-dates.xlsx"), iso, iso_dates=True)

    small = {(1, "A"): 1, (3, "B"): "第一节", (3, "C"): "高等数学", (3, "D"): 42,
             (4, "C"): "{第1-16周}", (5, "C"): "张明", (5, "E"): "E5", (6, "G"): "G6"}
    base = os.path.join(tmp, "small.xlsx")
    write_xlsxwriter(base, [("课表", small)])

    # Phonetic runs belong to the shared string but are not its text.
    def phonetic(xml):
        return xml.replace("<si><t>高等数学</t></si>",
                           '<si><r><t>高等</t></r><r><t>数学</t></r>'
                           '<rPh sb="0" eb="2"><t>こうとう</t></rPh>'
                           '<phoneticPr fontId="1" type="noConversion"/></si>')
    rewrite_parts(base, out("xlsx-phonetic.xlsx"), {"xl/sharedStrings.xml": phonetic})

    # Rows and cells without references, as some streaming writers leave them:
    # row 4 and the cells after C3 and C5 are positioned by what precedes them.
    def no_refs(xml):
        xml = xml.replace('<row r="4" ', "<row ")
        xml = xml.replace('<c r="D3">', "<c>")
        xml = xml.replace('<c r="C4" t="s"><v>2</v></c>', '<c/><c/><c t="s"><v>2</v></c>')
        return xml.replace('<c r="E5" ', "<c ")
    rewrite_parts(base, out("xlsx-no-cell-refs.xlsx"), {"xl/worksheets/sheet1.xml": no_refs})

    # Absolute relationship targets, and a sheet order that differs from the part names.
    two = os.path.join(tmp, "two.xlsx")
    write_xlsxwriter(two, [("甲", {(3, "B"): "第一节", (3, "C"): "甲表"}),
                           ("乙", {(3, "B"): "第三节", (3, "C"): "乙表"})])
    def absolute(xml):
        xml = xml.replace('Target="worksheets/sheet1.xml"', 'Target="/xl/worksheets/TMP"')
        xml = xml.replace('Target="worksheets/sheet2.xml"', 'Target="/xl/worksheets/sheet1.xml"')
        return xml.replace("/xl/worksheets/TMP", "/xl/worksheets/sheet2.xml")
    rewrite_parts(two, out("xlsx-absolute-targets.xlsx"),
                  {"xl/_rels/workbook.xml.rels": absolute})

    # Shared formulas as Excel writes them: the followers carry only the group index.
    def shared(xml):
        xml = xml.replace('<c r="D3"><v>42</v></c>',
                          '<c r="D3"><f t="shared" ref="D3:D5" si="0">A1*42</f><v>42</v></c>')
        return xml.replace('<c r="C4" t="s"><v>2</v></c>',
                           '<c r="C4" t="s"><v>2</v></c><c r="D4"><f t="shared" si="0"/><v>0</v></c>')
    rewrite_parts(base, out("xlsx-shared-formula.xlsx"), {"xl/worksheets/sheet1.xml": shared})

    make_strict(tmp)


def make_strict(tmp):
    """Strict OOXML with a prefixed main namespace, from a LibreOffice file."""
    source = out("layout-typical-libreoffice.xlsx")
    transitional = {
        "http://schemas.openxmlformats.org/spreadsheetml/2006/main":
            "http://purl.oclc.org/ooxml/spreadsheetml/main",
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships":
            "http://purl.oclc.org/ooxml/officeDocument/relationships",
        "http://schemas.openxmlformats.org/drawingml/2006/main":
            "http://purl.oclc.org/ooxml/drawingml/main",
    }

    def strict(xml):
        for old, new in transitional.items():
            xml = xml.replace(old, new)
        return xml

    def prefixed(xml):
        xml = strict(xml)
        xml = xml.replace('xmlns="http://purl.oclc.org/ooxml/spreadsheetml/main"',
                          'xmlns:x="http://purl.oclc.org/ooxml/spreadsheetml/main"')
        return re.sub(r"<(/?)([A-Za-z][\w]*)([\s/>])", r"<\1x:\2\3", xml)

    with zipfile.ZipFile(source) as src:
        names = src.namelist()
    edits = {name: strict for name in names if name.endswith((".xml", ".rels"))}
    for name in names:
        if name.startswith("xl/worksheets/sheet") or name == "xl/sharedStrings.xml" \
                or name == "xl/workbook.xml":
            edits[name] = prefixed
    rewrite_parts(source, out("xlsx-strict.xlsx"), edits)


def main():
    if sys.argv[1:] == ["calendar"]:
        make_calendar_samples()
        return 0
    with tempfile.TemporaryDirectory() as tmp:
        if sys.argv[1:] == ["formula-markers"]:
            make_formula_marker_samples(tmp)
            make_formula_group_sample(tmp)
            return 0
        make_layout_samples(tmp)
        make_formula_marker_samples(tmp)
        make_formula_group_sample(tmp)
        make_format_samples(tmp)
    make_calendar_samples()
    return 0


if __name__ == "__main__":
    sys.exit(main())
