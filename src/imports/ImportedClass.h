// What an import understands of a school's export: classes with their weekday, small periods
// and weeks, and the texts that became part of no class, each with where it stood.
#pragma once

#include "imports/entries/Dialect.h"

#include <bitset>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orvanto::imports {

// Weeks a class meets in: bit w is teaching week w. A week row holds at most two digits, so
// weeks run 1..99; bit 0 is never set.
inline constexpr int kMaxWeek = 99;
using WeekSet = std::bitset<kMaxWeek + 1>;

// Small periods as the school counts them, 1-based and inclusive (第3-4节 is {3, 4}).
struct SmallPeriods {
    int first = 0;
    int last = 0;
    bool operator==(const SmallPeriods&) const = default;
};

struct ImportedClass {
    std::string course;  // as the export writes them, trimmed of blanks and U+3000
    std::string teacher; // may be empty, or several names ("贾瑜,李欣蕾")
    std::string room;    // may be empty
    // 0 Monday .. 6 Sunday, as everywhere in the program; none until read (a guessed class).
    std::optional<int> weekday = std::nullopt;
    SmallPeriods periods;
    WeekSet weeks;
    std::string sheet; // where the class was read: sheet or table name
    std::string cell;  // and its cell, "C4"

    bool operator==(const ImportedClass&) const = default;
};

// A text of the timetable area that became part of no class.
struct UnreadText {
    std::string sheet;
    std::string cell;
    std::string text;

    bool operator==(const UnreadText&) const = default;
};

// A text of the timetable area that is a known detail and no field of a class: "学时:48",
// "选课人数(121)", an exam time. Left out of the workbook, counted and listed.
using KnownDetail = UnreadText;

// A dialect and how much of the file it explains: the cells whose every text became part of a
// class or a known detail, of the class cells read.
struct DialectScore {
    Dialect dialect;
    std::size_t explained = 0;
    std::size_t cells = 0;

    bool operator==(const DialectScore&) const = default;
};

enum class TermHalf { Autumn, Spring, Summer };

// The term an export names in its heading ("2025-2026学年第一学期", "2018春季学期").
struct ExportTerm {
    std::string edition; // the heading's words for the term, as written
    TermHalf half = TermHalf::Autumn;
    int startYear = 0; // the calendar year in which the term begins
    // The Monday a term of this half usually begins on: the first Monday of September for an
    // autumn term, of the last week of February for a spring one, of July for a summer one.
    std::chrono::year_month_day likelyFirstMonday() const;

    bool operator==(const ExportTerm&) const = default;
};

// The term a day most likely falls in when nothing names it, worded as exports word it: from
// August to January the autumn term ("2025-2026学年第一学期"), from February to July the spring
// one ("2025-2026学年第二学期").
ExportTerm termAround(std::chrono::year_month_day day);

struct ImportResult {
    std::vector<ImportedClass> classes;
    std::vector<UnreadText> unread;
    std::vector<KnownDetail> details;
    std::size_t cells = 0;               // non-empty cells of the timetable areas examined
    DialectScore reading;                // the dialect the classes were read by
    std::vector<DialectScore> runnersUp; // the other dialects tried, best first
    std::optional<ExportTerm> term;      // when a heading names it
    // Worksheets not read at all: an export holds one or a few, a file with more than
    // limits::kExportSheets is read up to there.
    std::vector<std::string> unreadSheets;
};

// The big periods (1..5) that small periods reach: p goes to ⌈p/2⌉ up to 8, and 9 and later
// to the fifth. A class over several small periods occupies every big period they reach.
struct BigPeriods {
    int first = 0;
    int last = 0;
    bool operator==(const BigPeriods&) const = default;
};
BigPeriods bigPeriodsOf(SmallPeriods periods);

// The weeks as the workbook's week rows will say them, in a notation the import reads back:
// "1-16", "1-15单", "5-6, 双8-12", "1-8, 10-16"; "" for none.
std::string weeksText(const WeekSet& weeks);

} // namespace orvanto::imports
