// Our own timetable workbook: where the period markers, the class blocks and the blank row stand,
// and how a week row is written. The readers keep, the week filter scans, the check inspects and
// the import writes exactly this, so it is stated here once.
#pragma once

#include "Concat.h"

#include <array>
#include <string>
#include <string_view>

namespace orvanto::core {

struct WorkbookLayout {
    // The column of the first worksheet that holds the six period markers.
    static constexpr char kMarkerColumn = 'B';
    // Markers are searched in rows 1 to this; one further down is not found.
    static constexpr int kMarkerRows = 200;
    // "第一节" ... "第12节": big period P lies between the rows of markers P and P + 1.
    static constexpr std::array<std::string_view, 6> kMarkers = {"第一节", "第三节", "第五节",
                                                                 "第七节", "第九节", "第12节"};

    // Monday to Sunday, one column each, from this one on.
    static constexpr char kFirstClassColumn = 'C';
    static constexpr int kClassColumns = 7;
    static constexpr char kLastClassColumn = kFirstClassColumn + kClassColumns - 1;

    // The weekday headings over the class columns.
    static constexpr int kHeadingRow = 1;
    // Left empty: a day without a class in a big period shows this row's cell, three times.
    static constexpr int kBlankRow = 2;
    // The first row a marker can stand in without its blocks reaching the blank row.
    static constexpr int kFirstBlockRow = kBlankRow + 1;

    // A class block: course, week row, teacher, room and a spare row, in this order; a big
    // period's blocks follow one another from its marker row down.
    static constexpr int kBlockRows = 5;
    static constexpr int kCourseOffset = 0;
    static constexpr int kWeekRowOffset = 1;
    static constexpr int kTeacherOffset = 2;
    static constexpr int kRoomOffset = 3;
    // Rows of the class columns ever read: a week row may stand as low as the last marker row
    // a search can find, and its block's room two rows below it.
    static constexpr int kClassRows = kMarkerRows + kRoomOffset - kWeekRowOffset;

    // The week row: "{第3-15周}单周". The first week is read from the two characters that
    // follow "{" and one more (the "第"), the last from the two right after the first "-"; a
    // parity mark keeps odd or even weeks only. Two digits: weeks run to 99.
    static constexpr std::u16string_view kWeekRangeOpen = u"{";
    static constexpr int kFirstWeekAfterOpen = 2;
    static constexpr std::u16string_view kWeekRangeDash = u"-";
    static constexpr int kWeekDigits = 2;
    static constexpr std::u16string_view kOddWeeksMark = u"单周";
    static constexpr std::u16string_view kEvenWeeksMark = u"双周";

    enum class Parity { Every, Odd, Even };

    // 1-based column number of a column letter: A is 1.
    static constexpr int columnNumber(char letter) { return letter - 'A' + 1; }
    // The class column of a weekday, 0 for Monday .. 6 for Sunday.
    static constexpr char classColumn(int weekday) {
        return static_cast<char>(kFirstClassColumn + weekday);
    }
    // The week row of a block whose first row is blockRow, and back.
    static constexpr int weekRowOf(int blockRow) { return blockRow + kWeekRowOffset; }
    static constexpr int blockRowOf(int weekRow) { return weekRow - kWeekRowOffset; }

    // The week row the filter reads as weeks first to last, every week or every other one.
    static std::string weekRowText(int first, int last, Parity parity = Parity::Every) {
        return concat(
            {"{第", std::to_string(first), "-", std::to_string(last), "周}", parityMark(parity)});
    }
    static std::string_view parityMark(Parity parity) {
        return parity == Parity::Odd ? "单周" : parity == Parity::Even ? "双周" : "";
    }
};

} // namespace orvanto::core
