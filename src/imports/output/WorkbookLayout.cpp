#include "imports/output/WorkbookLayout.h"

#include "core/Term.h"
#include "core/Weekdays.h"
#include "core/WorkbookLayout.h"
#include "timetable/WeekRuns.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

namespace orvanto::imports {

namespace {

using Layout = core::WorkbookLayout;
constexpr int kMarkerColumn = Layout::columnNumber(Layout::kMarkerColumn);
constexpr int kMondayColumn = Layout::columnNumber(Layout::kFirstClassColumn);
constexpr int kBigPeriodCount = core::kBigPeriods;
constexpr int kWeekdayCount = core::kWeekdays;
constexpr auto kBlockRows = static_cast<std::size_t>(Layout::kBlockRows);
constexpr auto kLastMarkerRow = static_cast<std::size_t>(Layout::kMarkerRows);

// One five-row block: a class in one of its big periods, for one run of its weeks.
struct Block {
    const ImportedClass* importedClass = nullptr;
    timetable::WeekRun weeks;
};

using Slot = std::vector<Block>;
using Slots = std::array<std::array<Slot, kWeekdayCount>, kBigPeriodCount>;

// Every week of the run, or every other one from an odd or an even week.
std::string weekRowText(const timetable::WeekRun& run) {
    using Parity = Layout::Parity;
    const Parity parity = run.interval != 2        ? Parity::Every
                          : run.firstWeek % 2 != 0 ? Parity::Odd
                                                   : Parity::Even;
    return Layout::weekRowText(run.firstWeek, run.lastWeek(), parity);
}

std::set<int> weeksOf(const WeekSet& weeks) {
    std::set<int> numbers;
    for (int week = 1; week <= kMaxWeek; ++week) {
        if (weeks.test(static_cast<std::size_t>(week))) {
            numbers.insert(week);
        }
    }
    return numbers;
}

std::string placeOf(const ImportedClass& importedClass) {
    std::string place = "class \"" + importedClass.course + "\"";
    if (!importedClass.sheet.empty() || !importedClass.cell.empty()) {
        place += " from " + importedClass.sheet + "!" + importedClass.cell;
    }
    return place;
}

// A weekday or small period out of range would land a block outside the grid, on the markers
// of column B or past Sunday; refuse it rather than write a timetable that reads back wrong.
core::Result<void> checkPlace(const ImportedClass& importedClass) {
    const std::optional<int> weekday = importedClass.weekday;
    if (!weekday) {
        return core::errors::loadFailure(core::Status::InvalidClass,
                                         placeOf(importedClass) + " has no weekday");
    }
    if (*weekday < 0 || *weekday >= kWeekdayCount) {
        return core::errors::loadFailure(core::Status::InvalidClass,
                                         placeOf(importedClass) + " has weekday " +
                                             std::to_string(*weekday) + ", not 0 to 6");
    }
    const SmallPeriods periods = importedClass.periods;
    if (periods.first < 1 || periods.last < periods.first) {
        return core::errors::loadFailure(core::Status::InvalidClass,
                                         placeOf(importedClass) + " has small periods " +
                                             std::to_string(periods.first) + "-" +
                                             std::to_string(periods.last));
    }
    return {};
}

// In each slot, the class with the earlier first small period is the upper block, so that it
// is the one shown where two classes meet in the same week; equal ones keep the input order.
void orderBlocks(Slots& slots) {
    for (auto& weekdays : slots) {
        for (Slot& slot : weekdays) {
            std::stable_sort(slot.begin(), slot.end(), [](const Block& a, const Block& b) {
                return a.importedClass->periods.first < b.importedClass->periods.first;
            });
        }
    }
}

void putText(std::vector<LaidOutCell>& cells, int row, int column, const std::string& text) {
    if (!text.empty()) {
        cells.push_back({row, column, text});
    }
}

} // namespace

core::Result<std::vector<LaidOutCell>> layOutClasses(std::span<const ImportedClass> classes) {
    Slots slots;
    for (const ImportedClass& importedClass : classes) {
        if (auto placed = checkPlace(importedClass); !placed) {
            return placed.failure();
        }
        const BigPeriods bigPeriods = bigPeriodsOf(importedClass.periods);
        const auto weekday = static_cast<std::size_t>(*importedClass.weekday);
        for (const timetable::WeekRun& run :
             timetable::splitIntoWeekRuns(weeksOf(importedClass.weeks))) {
            for (int bigPeriod = bigPeriods.first; bigPeriod <= bigPeriods.last; ++bigPeriod) {
                slots[static_cast<std::size_t>(bigPeriod - 1)][weekday].push_back(
                    {&importedClass, run});
            }
        }
    }
    orderBlocks(slots);

    // Big period k gets as many blocks as its busiest weekday needs, and at least one.
    std::array<std::size_t, kBigPeriodCount + 1> markerRows{};
    markerRows[0] = static_cast<std::size_t>(Layout::kFirstBlockRow);
    for (std::size_t period = 0; period < slots.size(); ++period) {
        std::size_t blocks = 1;
        for (const Slot& slot : slots[period]) {
            blocks = std::max(blocks, slot.size());
        }
        markerRows[period + 1] = markerRows[period] + kBlockRows * blocks;
    }
    if (markerRows.back() > kLastMarkerRow) {
        return core::errors::loadFailure(core::Status::TooLarge,
                                         "the classes need " + std::to_string(markerRows.back()) +
                                             " rows, more than the " +
                                             std::to_string(kLastMarkerRow) + " the viewer reads");
    }

    std::vector<LaidOutCell> cells;
    for (int day = 0; day < kWeekdayCount; ++day) {
        putText(cells, Layout::kHeadingRow, kMondayColumn + day,
                std::string(core::weekdayName(day)));
    }
    for (std::size_t marker = 0; marker < Layout::kMarkers.size(); ++marker) {
        putText(cells, static_cast<int>(markerRows[marker]), kMarkerColumn,
                std::string(Layout::kMarkers[marker]));
    }
    for (std::size_t period = 0; period < slots.size(); ++period) {
        for (std::size_t day = 0; day < slots[period].size(); ++day) {
            const int column = kMondayColumn + static_cast<int>(day);
            int row = static_cast<int>(markerRows[period]);
            for (const Block& block : slots[period][day]) {
                putText(cells, row + Layout::kCourseOffset, column, block.importedClass->course);
                putText(cells, row + Layout::kWeekRowOffset, column, weekRowText(block.weeks));
                putText(cells, row + Layout::kTeacherOffset, column, block.importedClass->teacher);
                putText(cells, row + Layout::kRoomOffset, column, block.importedClass->room);
                row += Layout::kBlockRows;
            }
        }
    }
    return cells;
}

} // namespace orvanto::imports
