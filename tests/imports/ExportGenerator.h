// Writes timetable exports from random class sets, each in a random way of writing them, so
// that the import can be checked against the classes it must give back.
//
// The space drawn from, per export (one dialect for the whole file, as a school's system has):
// - the fields of a class: course, teacher, weeks, room in any of the 24 orders; the teacher or
//   the room may be missing from a class (never both in one file's entries when the fields share
//   a line, and the course and weeks never), a teacher with a title (王芳副教授) or several
//   (王芳,李明); rooms as schools name them (教2-301, 致新楼-203, 二教106(成都校区),
//   实验楼305【南校区】);
// - what parts the fields: a line break (a real one, "<br>" in HTML, or literal "<br>" / "</br>"
//   text in a workbook), ";" or "；", "|" or "丨", "/", a drawn mark (◇ ◆ ●), a run of two
//   or more blanks, "key:value" pairs (教师:王芳), or the bracketed pair form "course (teacher)"
//   then "(weeks,room)" with one or several breaks between; blank lines between classes
//   and, with line breaks, inside them;
// - weeks in every notation the import reads: 1-16周, [1-16]周, 第1-16周, {第1-15周|单周},
//   (1-16), 1-16, 单1-15, 1-16(单), full-width digits and brackets, several runs;
// - the periods in the entry or not: 1-16周[01-02节], 3-4节, 第3,4节;
// - detail lines after a class (学时:48, 周学时:4, 教学班组成:…, 选课人数(121), 课程号:…) and an
//   option line under the course (体育IV / 网球), both with line breaks only;
// - grids: Monday or Sunday first, weekday headers 星期一 or 周一, a row per big period
//   labelled 第1,2节 / 1-2 / 第一大节 / 第1节 (counting big periods) / only its clock range
//   (08:00-09:40, counting by length), or a row per small period
//   with classes merged over their rows; optional clock times in the labels; labels on the
//   left or in a 时间 column on the right; labels stacked over three rows (第 / 三 / 节) with a
//   class's fields one per row over its period's rows;
// - lists: one row per class with 星期, 节次, 课程名称, 教师, 地点, 周次 in any order, with or
//   without the header row, weekday cells merged over the rows of one day;
// - written as .xlsx, .xls (BIFF8) or HTML in UTF-8 or GBK (rowspans, <br> in cells).
// Left out, because no reader could tell the fields apart: a teacher and a room both missing
// while the fields stand on one line, "," between fields (weeks and several teachers hold
// commas themselves), and an option line (网球) where the teacher or the room may be missing (网球
// may name a court). 第1节 .. 第5节 rows counting big periods come with period texts in the cells
// (the evidence that they are big). In HTML a gap of blanks between fields is U+3000: a run of
// &nbsp; reads as one blank.
#pragma once

#include "imports/ImportedClass.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace orvanto::importtests {

enum class ExportFormat { Xlsx, Xls, HtmlUtf8, HtmlGbk };

// The way of writing one export: drawn once per seed.
struct ExportStyle {
    ExportFormat format = ExportFormat::Xlsx;
    bool list = false;
    // Grid
    bool sundayFirst = false;
    bool zhouHeaders = false; // 周一 rather than 星期一
    int labelStyle = 0;       // 0 第1,2节, 1 1-2, 2 第一大节, 3 第1节 (big), 4 small rows,
                              // 5 08:00-09:40 alone
    bool clockTimes = false;  // 08:00-09:40 under the label
    bool labelsRight = false; // in a 时间 column after the weekdays
    bool stacked = false;     // 第 / 一 / 节 over rows, a field per row
    // List
    bool listHeader = true;
    bool mergedWeekdays = false;
    std::vector<int> listColumns; // 0 weekday 1 periods 2 course 3 teacher 4 room 5 weeks
    // Entries
    std::vector<int> order; // 0 course 1 teacher 2 weeks 3 room
    int separator = 0;      // see separatorName()
    int lineBreak = 0;      // 0 "\n", 1 "<br>" text, 2 "</br>" text (workbooks only)
    int weekStyle = 0;
    int periodStyle = 0; // 0 none, 1 [01-02节] after the weeks, 2 3-4节, 3 第3,4节
    bool blankBetween = false;
    bool blankInside = false;
    bool pairsOnOneLine = false; // key:value pairs parted by a blank, else by line breaks
    bool details = false;
    bool options = false;
    bool titles = false;
    bool severalTeachers = false;
    int missing = 0; // 0 none, 1 some teachers, 2 some rooms

    std::string describe() const;
};

struct GeneratedExport {
    ExportStyle style;
    std::vector<imports::ImportedClass> classes; // sheet and cell left empty
    std::vector<std::uint8_t> bytes;
};

// The export of one seed: the same seed always gives the same file.
GeneratedExport generateExport(std::uint32_t seed);

} // namespace orvanto::importtests
