#include "TimetableCheck.h"

#include "SharedWording.h"
#include "core/Concat.h"
#include "core/Utf8.h"
#include "core/Weekdays.h"
#include "core/WorkbookLayout.h"
#include "timetable/WeekFilter.h"
#include "timetable/WeekRowReading.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>
#include <set>
#include <tuple>

namespace orvanto::service {

namespace {

using spreadsheet::WorkbookCells;
using Layout = core::WorkbookLayout;

std::string cellName(int column, int row) {
    const char letter = Layout::classColumn(column);
    return core::concat({std::string_view(&letter, 1), std::to_string(row)});
}

// "第6-16周", "第1-15单周"
std::string weeksText(const std::set<int>& weeks) {
    const std::string described = timetable::describeWeeks(weeks);
    return core::concat({"第", described, described.ends_with("周") ? "" : "周"});
}

// Long texts are cut in the line, so that one stray paragraph does not hide the others.
std::string shortened(const std::string& text) {
    constexpr std::size_t kMaxShown = 40;
    std::u16string wide = core::toUtf16(text);
    if (wide.size() <= kMaxShown) {
        return text;
    }
    wide.resize(kMaxShown);
    return core::concat({core::toUtf8(wide), "…"});
}

// "星期一", "周三", "礼拜天", "Monday": a column heading, however it is written.
bool namesWeekday(const std::string& text) {
    constexpr std::size_t kLongestHeading = 12;
    if (core::toUtf16(text).size() > kLongestHeading) {
        return false;
    }
    static constexpr std::array<std::string_view, 8> kDays = {"一", "二", "三", "四",
                                                              "五", "六", "日", "天"};
    for (const std::string_view prefix : {"星期", "周", "礼拜"}) {
        for (const std::string_view day : kDays) {
            if (text.find(core::concat({prefix, day})) != std::string::npos) {
                return true;
            }
        }
    }
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const std::string_view day : {"mon", "tue", "wed", "thu", "fri", "sat", "sun"}) {
        if (lower.find(day) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// A class as the student names it: its course, or its first line with text.
std::string courseOf(const std::array<std::string, 3>& lines) {
    for (const std::string& line : lines) {
        if (!line.empty()) {
            return shortened(line);
        }
    }
    return {};
}

class Checker {
  public:
    Checker(const LoadedTimetable& loaded, const core::Term& term)
        : m_loaded(loaded), m_term(term) {
        markRowsRead();
    }

    std::vector<Finding> run() {
        const WorkbookCells& cells = m_loaded.workbook.cells();
        if (!cells.activeIsFirstWorksheet) {
            const std::string first = core::concat({"“", cells.firstWorksheetName, "”"});
            const std::string shown = core::concat({"“", cells.activeSheetName, "”"});
            add(Finding::Kind::OtherSheetShown, core::concat({"工作表", shown}), 0, 0,
                core::concat({"保存时显示的是这张表，课程从它读取，节次却按第一个工作表", first,
                              "找；应在", first, "上保存工作簿"}));
        }
        if (!cells.activeSheetIsWorksheet) {
            return collected(); // a chart has no cells to look at
        }
        for (int column = 0; column < WorkbookCells::kGridColumns; ++column) {
            checkBlankRow(column);
            for (int period = 0; period < core::kBigPeriods; ++period) {
                checkBlocks(column, period);
                checkClashes(column, period);
            }
            checkRowsNotRead(column);
        }
        return collected();
    }

  private:
    std::vector<Finding> collected() {
        std::stable_sort(m_found.begin(), m_found.end(), [](const auto& a, const auto& b) {
            return std::tie(a.row, a.column) < std::tie(b.row, b.column);
        });
        std::vector<Finding> findings;
        for (auto& found : m_found) {
            findings.push_back(std::move(found.finding));
        }
        return findings;
    }

    struct Cell {
        std::string text;
        bool error = false; // an error value: the grid fails where it reads it
    };
    struct Placed {
        int row;
        int column;
        Finding finding;
    };

    Cell cell(int column, int row) const {
        auto text = m_loaded.workbook.cellText(Layout::classColumn(column), row);
        if (text) {
            return {std::move(text.value()), false};
        }
        const auto& value =
            m_loaded.workbook.cells()
                .grid[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column)];
        return {value.text, true};
    }

    void add(Finding::Kind kind, std::string place, int row, int column, const std::string& what) {
        std::string line = core::concat({place, "：", what});
        m_found.push_back({row, column, {kind, std::move(place), std::move(line)}});
    }

    void addCell(Finding::Kind kind, int column, int row, const Cell& shown,
                 const std::string& what) {
        add(kind, cellName(column, row), row, column,
            core::concat({shortened(shown.text), "：", what}));
    }

    // Row 2 stands for "no class": the grid shows it three times in every empty slot. Above
    // the first block that is the layout's own way to fill a free slot, worth a note; when the
    // first marker is in row 1 or 2, row 2 is also a block's row and its text a mistake.
    void checkBlankRow(int column) {
        const Cell blank = cell(column, Layout::kBlankRow);
        if (blank.text.empty()) {
            return;
        }
        const bool aboveTheBlocks = m_loaded.markers[0] > Layout::kBlankRow;
        addCell(Finding::Kind::BlankRowText, column, Layout::kBlankRow, blank,
                aboveTheBlocks
                    ? std::string("这段文字会出现在这一列每个没课的格子里")
                    : core::concat({"第", std::to_string(Layout::kBlankRow),
                                    "行要留空，这里的文字会出现在这一列每个没课的格子里"}));
        m_found.back().finding.note = aboveTheBlocks;
    }

    // The blocks of a big period, as the week filter scans them.
    void checkBlocks(int column, int period) {
        const auto p = static_cast<std::size_t>(period);
        const int first = Layout::weekRowOf(m_loaded.markers[p]);
        const int last = std::min<int>(m_loaded.markers[p + 1], WorkbookCells::kGridRows);
        for (int weekRow = first; weekRow <= last; weekRow += Layout::kBlockRows) {
            if (weekRow < Layout::kFirstBlockRow) {
                continue;
            }
            const Cell weeks = cell(column, weekRow);
            bool unreadable = false;
            std::optional<Cell> course;
            const int blockRow = Layout::blockRowOf(weekRow);
            for (const int row :
                 {blockRow + Layout::kCourseOffset, weekRow, blockRow + Layout::kTeacherOffset,
                  blockRow + Layout::kRoomOffset}) {
                const Cell line = row == weekRow ? weeks : cell(column, row);
                if (line.error && !unreadable) {
                    unreadable = true;
                    addCell(Finding::Kind::UnreadableCell, column, row, line,
                            "错误值，课表读到这里会报错“类型不匹配”，应改成文字或清空");
                }
                if (row != weekRow && !course && !line.text.empty()) {
                    course = line;
                }
            }
            if (unreadable) {
                continue;
            }
            if (weeks.text.empty() && course) {
                addCell(Finding::Kind::EmptyWeekRow, column, weekRow, *course,
                        core::concat({"这门课的周次一行是空的，课程不会显示；应写作 ",
                                      Layout::weekRowText(1, m_term.weeks), " 这样的形式"}));
            } else if (!weeks.text.empty()) {
                checkWeekRow(column, weekRow, weeks);
            }
        }
    }

    void checkWeekRow(int column, int row, const Cell& weeks) {
        const auto problem = timetable::readWeekRow(weeks.text, m_term);
        if (!problem) {
            return;
        }
        const bool none = problem->kind == timetable::WeekRowProblem::Kind::NoWeek;
        std::string what = problem->reason.empty() ? "周次写法不被识别" : problem->reason;
        // The fix says it all when there is one; without one, say what it costs.
        what += problem->fix.empty() ? (none ? "，课程不会显示" : "")
                                     : core::concat({"，", problem->fix});
        addCell(none ? Finding::Kind::WeekRowNoWeek : Finding::Kind::WeekRowPartly, column, row,
                weeks, what);
    }

    // Classes that meet in one slot in the same weeks: the grid shows the upper one, the
    // others only in the hover text. Each pair once, with the weeks they share.
    void checkClashes(int column, int period) {
        struct Block {
            int row; // its line-1 row
            std::array<std::string, 3> lines;
            std::set<int> weeks;
            bool holdsClass;
        };
        std::vector<Block> blocks;
        const auto p = static_cast<std::size_t>(period);
        const int last = std::min<int>(m_loaded.markers[p + 1], WorkbookCells::kGridRows);
        for (int weekRow = Layout::weekRowOf(m_loaded.markers[p]); weekRow <= last;
             weekRow += Layout::kBlockRows) {
            if (weekRow < Layout::kFirstBlockRow) {
                continue; // row 2 is the blank row, never a block's week row
            }
            const int blockRow = Layout::blockRowOf(weekRow);
            Block block{blockRow, {}, {}, false};
            bool readable = true;
            for (const auto& [k, row] : {std::pair{0, blockRow + Layout::kCourseOffset},
                                         {1, blockRow + Layout::kTeacherOffset},
                                         {2, blockRow + Layout::kRoomOffset}}) {
                const Cell line = cell(column, row);
                readable = readable && !line.error;
                block.lines[static_cast<std::size_t>(k)] = line.text;
                block.holdsClass = block.holdsClass || !line.text.empty();
            }
            const Cell weeks = cell(column, weekRow);
            if (!readable || weeks.error) {
                continue; // reported as unreadable; the grid stops there
            }
            block.weeks = timetable::admittedWeeks(weeks.text, m_term);
            blocks.push_back(std::move(block));
        }
        for (std::size_t j = 0; j < blocks.size(); ++j) {
            const Block& lower = blocks[j];
            if (!lower.holdsClass || lower.weeks.empty()) {
                continue;
            }
            std::set<int> taken; // weeks a block above shows instead
            bool repeated = false;
            for (std::size_t i = 0; i < j; ++i) {
                const Block& upper = blocks[i];
                taken.insert(upper.weeks.begin(), upper.weeks.end());
                repeated = repeated || upper.lines == lower.lines;
                std::set<int> shared;
                std::set_intersection(upper.weeks.begin(), upper.weeks.end(), lower.weeks.begin(),
                                      lower.weeks.end(), std::inserter(shared, shared.end()));
                if (!upper.holdsClass || upper.lines == lower.lines || shared.empty()) {
                    continue;
                }
                const std::string cells =
                    core::concat({cellName(column, upper.row), "、", cellName(column, lower.row)});
                add(Finding::Kind::Clash, cells, upper.row, column,
                    core::concat({core::weekdayName(column), kBigPeriodNames[p], "，",
                                  weeksText(shared), "，", courseOf(upper.lines), " 与 ",
                                  courseOf(lower.lines), " 同时上课"}));
            }
            if (!repeated &&
                std::includes(taken.begin(), taken.end(), lower.weeks.begin(), lower.weeks.end())) {
                add(Finding::Kind::HiddenBlock, cellName(column, lower.row), lower.row, column,
                    core::concat({courseOf(lower.lines), "：它上课的", weeksText(lower.weeks),
                                  "都被上面的课程块占着，格子里从不显示，只在悬停文字和日历里"}));
            }
        }
    }

    // Text the scan never reaches: above the first big period, below the last block, or a
    // block shifted past a marker. One line per run of such rows, at its top cell.
    void checkRowsNotRead(int column) {
        for (int row = Layout::kFirstBlockRow; row <= WorkbookCells::kGridRows; ++row) {
            if (m_rowRead[static_cast<std::size_t>(row)]) {
                continue;
            }
            const Cell top = cell(column, row);
            if (top.text.empty() || (row < m_loaded.markers[0] && namesWeekday(top.text))) {
                continue; // a heading over the grid is no class
            }
            addCell(Finding::Kind::OutsideBigPeriod, column, row, top,
                    core::concat({"不在任何大节的课程块里（", Layout::kMarkers.front(), "在第",
                                  std::to_string(m_loaded.markers.front()), "行，",
                                  Layout::kMarkers.back(), "在第",
                                  std::to_string(m_loaded.markers.back()), "行），不会显示"}));
            while (row + 1 <= WorkbookCells::kGridRows &&
                   !m_rowRead[static_cast<std::size_t>(row + 1)] &&
                   !cell(column, row + 1).text.empty()) {
                ++row;
            }
        }
    }

    // Rows of the blocks the week filter scans, spare rows included.
    void markRowsRead() {
        for (std::size_t period = 0; period < core::kBigPeriods; ++period) {
            const int first = Layout::weekRowOf(m_loaded.markers[period]);
            const int last = m_loaded.markers[period + 1];
            for (int weekRow = first; weekRow <= last; weekRow += Layout::kBlockRows) {
                const int blockRow = Layout::blockRowOf(weekRow);
                for (int row = blockRow; row < blockRow + Layout::kBlockRows; ++row) {
                    if (row >= 0 && row <= WorkbookCells::kGridRows) {
                        m_rowRead[static_cast<std::size_t>(row)] = true;
                    }
                }
            }
        }
    }

    const LoadedTimetable& m_loaded;
    const core::Term& m_term;
    std::array<bool, WorkbookCells::kGridRows + 1> m_rowRead{};
    std::vector<Placed> m_found;
};

} // namespace

std::size_t countToFix(const std::vector<Finding>& findings) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(), [](const Finding& f) { return !f.note; }));
}

std::vector<Finding> checkTimetable(const LoadedTimetable& loaded, const core::Term& term) {
    return Checker(loaded, term).run();
}

} // namespace orvanto::service
