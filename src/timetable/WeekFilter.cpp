#include "WeekFilter.h"

#include "VbText.h"
#include "core/Utf8.h"

namespace orvanto::timetable {

namespace {

// a <= week <= b, with a read two characters after the first "{" and b right after the
// first "-", each from at most two characters.
bool rangeAdmits(std::u16string_view text, std::int16_t week) {
    const int open = instr(text, u"{");
    const int dash = instr(text, u"-");
    // Two characters can hold at most "99" or "-9": CInt cannot overflow here.
    const std::int16_t first = cint(val(mid(text, open + 2, 2))).value();
    const std::int16_t last = cint(val(mid(text, dash + 1, 2))).value();
    return first <= week && week <= last;
}

} // namespace

bool weekRowMatches(std::u16string_view weekRow, std::int16_t week) {
    const bool oddOnly = instr(weekRow, u"单周") > 0;
    const bool evenOnly = instr(weekRow, u"双周") > 0;
    const bool odd = week % 2 != 0;
    // A failed range test under a parity mark is final: it never falls through.
    if (oddOnly && odd) {
        return rangeAdmits(weekRow, week);
    }
    if (evenOnly && !odd) {
        return rangeAdmits(weekRow, week);
    }
    if (!oddOnly && !evenOnly) {
        return rangeAdmits(weekRow, week);
    }
    return false;
}

core::Result<DayRows> scanWeekRows(const core::CellSource& sheet, std::int16_t startrow,
                                   std::int16_t endrow, std::int16_t week) {
    DayRows rows;
    for (int day = 0; day < 7; ++day) {
        const char column = static_cast<char>('C' + day);
        const auto d = static_cast<std::size_t>(day);
        for (int row = startrow + 1; row <= endrow; row += 5) {
            auto text = sheet.cellText(column, row);
            if (!text) {
                return text.failure();
            }
            if (weekRowMatches(core::toUtf16(text.value()), week)) {
                rows.line1row[d] = static_cast<std::int16_t>(row - 1);
                rows.line2row[d] = static_cast<std::int16_t>(row + 1);
                rows.line3row[d] = static_cast<std::int16_t>(row + 2);
                break; // the uppermost matching block wins
            }
        }
        if (rows.line1row[d] == 0 || rows.line2row[d] == 0 || rows.line3row[d] == 0) {
            rows.line1row[d] = rows.line2row[d] = rows.line3row[d] = kBlankRow;
        }
    }
    return rows;
}

} // namespace orvanto::timetable
