#!/usr/bin/python3
"""Makes examples/timetable.xlsx, the sample timetable the viewer opens first.

Layout: weekday names in C1:I1, row 2 left empty, the six period markers in
column B, and for each big period five-row class blocks in columns C (Monday) to
I (Sunday): course, weeks ("{第1-16周}", "单周"/"双周" for odd/even weeks),
teacher, room, and a spare row.

Run from anywhere: /usr/bin/python3 examples/make_example.py
"""
import os

import xlsxwriter

HERE = os.path.dirname(os.path.abspath(__file__))
WEEKDAYS = ["星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"]
# (marker, first row, periods shown in column A, time of day)
PERIODS = [
    ("第一节", 3, "1-2节", "08:00-09:35"),
    ("第三节", 13, "3-4节", "10:05-11:40"),
    ("第五节", 23, "5-6节", "14:00-15:35"),
    ("第七节", 33, "7-8节", "16:05-17:40"),
    ("第九节", 43, "9-11节", "19:00-21:25"),
]
END_MARKER = ("第12节", 53)

# weekday -> big period -> blocks (course, weeks, teacher, room), top block first
CLASSES = {
    0: {
        0: [("高等数学A(2)", "{第1-16周}", "张明 教授", "教3-201")],
        1: [("大学英语(4)", "{第1-15周}单周", "李华 讲师", "外语楼305"),
            ("大学英语听说", "{第2-16周}双周", "Emily Carter", "语音室4")],
        2: [("中国近现代史纲要", "{第1-12周}", "刘洋 副教授", "教1-101")],
    },
    1: {
        0: [("线性代数", "{第1-16周}", "赵丽 教授", "教2-105")],
        1: [("大学物理B(1)", "{第1-16周}", "王强 副教授", "理科楼A208")],
        2: [("大学物理实验", "{第3-15周}单周", "实验中心", "物理实验楼3楼"),
            ("程序设计基础上机", "{第4-16周}双周", "吴涛 讲师", "计算中心B203")],
        3: [("体育(2)-羽毛球", "{第1-16周}", "陈刚", "东区体育馆")],
    },
    2: {
        0: [("高等数学A(2)", "{第1-16周}", "张明 教授", "教3-201")],
        1: [("程序设计基础(C语言)", "{第1-16周}", "吴涛 讲师", "教4-302")],
        3: [("形势与政策", "{第10-13周}", "周敏", "大礼堂")],
        4: [("电影鉴赏(公选)", "{第3-14周}", "冯晓", "艺术楼101")],
    },
    3: {
        0: [("大学英语(4)", "{第1-16周}", "李华 讲师", "外语楼305")],
        1: [("线性代数", "{第1-15周}单周", "赵丽 教授", "教2-105"),
            ("线性代数习题课", "{第2-16周}双周", "孙悦 助教", "教2-105")],
        2: [("思想道德与法治", "{第1-16周}", "郑洁", "教1-203")],
    },
    4: {
        0: [("大学物理B(1)", "{第1-16周}", "王强 副教授", "理科楼A208")],
        1: [("工程制图", "{第1-8周}", "何磊", "机械楼215"),
            ("工程制图实践", "{第9-16周}", "何磊", "机械楼制图室")],
        4: [("创新创业基础", "{第11-16周}", "黄婷", "图书馆报告厅")],
    },
    5: {
        1: [("英语四级辅导", "{第5-12周}", "David Miller", "外语楼101")],
    },
}


def main():
    book = xlsxwriter.Workbook(os.path.join(HERE, "timetable.xlsx"))
    book.set_properties({"title": "课表", "comments": "Orvanto sample timetable"})
    sheet = book.add_worksheet("课表")
    header = book.add_format({"bold": True, "align": "center", "valign": "vcenter",
                              "bg_color": "#DDEBF7", "border": 1})
    marker = book.add_format({"bold": True, "align": "center", "valign": "top",
                              "border": 1})
    course = book.add_format({"bold": True, "align": "center"})
    weeks = book.add_format({"align": "center", "font_color": "#7F7F7F"})
    plain = book.add_format({"align": "center"})

    sheet.set_column("A:A", 8)
    sheet.set_column("B:B", 14)
    sheet.set_column("C:I", 20)
    sheet.freeze_panes(2, 2)
    sheet.write("A1", "节次", header)
    sheet.write("B1", "时间", header)
    for day, name in enumerate(WEEKDAYS):
        sheet.write(0, 2 + day, name, header)

    for name, row, periods, time in PERIODS:
        sheet.write(f"A{row}", periods, plain)
        sheet.write(f"B{row}", name, marker)
        sheet.write(f"B{row + 1}", time, weeks)
    sheet.write(f"B{END_MARKER[1]}", END_MARKER[0], marker)

    for day, periods in CLASSES.items():
        for period, blocks in periods.items():
            top = PERIODS[period][1]
            for index, (name, week_row, teacher, room) in enumerate(blocks):
                row = top + 5 * index - 1  # zero-based
                sheet.write(row, 2 + day, name, course)
                sheet.write(row + 1, 2 + day, week_row, weeks)
                sheet.write(row + 2, 2 + day, teacher, plain)
                sheet.write(row + 3, 2 + day, room, plain)
    book.close()


if __name__ == "__main__":
    main()
