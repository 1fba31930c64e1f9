#!/usr/bin/python3
"""Writes the small timetables the window tests load (run from this folder).

windows-timetable.xlsx: markers in B3, B13, ... B53; every big period holds two class blocks
per weekday, Monday to Saturday: "甲" texts for weeks 1-9 and "乙" texts for weeks 10-22.
Sunday has no classes. windows-failing.xlsx is the same with an #N/A error as the first
line of Monday's second block in big period 3, which is only read from week 10 on.
"""
from openpyxl import Workbook

MARKERS = ["第一节", "第三节", "第五节", "第七节", "第九节", "第12节"]


def timetable(failing):
    book = Workbook()
    sheet = book.active
    sheet.title = "课表"
    sheet["A1"] = "我的课表"
    for i, marker in enumerate(MARKERS):
        sheet.cell(row=3 + 10 * i, column=2, value=marker)
    for period in range(5):
        start = 3 + 10 * period
        for day in range(6):
            column = 3 + day
            for block, (tag, weeks) in enumerate([("甲", "{第1-9周}"), ("乙", "{第10-22周}")]):
                row = start + 5 * block
                sheet.cell(row=row, column=column, value=f"课{period}{day}{tag}")
                sheet.cell(row=row + 1, column=column, value=weeks)
                sheet.cell(row=row + 2, column=column, value=f"教室{period}{day}{tag}")
                sheet.cell(row=row + 3, column=column, value=f"老师{period}{day}{tag}")
    if failing:
        sheet["C38"] = "#N/A"
    return book


timetable(False).save("windows-timetable.xlsx")
timetable(True).save("windows-failing.xlsx")
