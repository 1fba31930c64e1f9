#include "TimetableCheck.h"

#include "core/Concat.h"
#include "core/Utf8.h"
#include "core/Weekdays.h"
#include "timetable/WeekFilter.h"
#include "timetable/WeekRowReading.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace orvanto::service {

namespace {

using spreadsheet::WorkbookCells;
constexpr int kFirstBlockRow = timetable::kBlankRow + 1; // row 1 holds the headings
constexpr int kBlockRows = 5; // course, weeks, teacher, room, a spare row

std::string cellName(int column, int row) {
    const char letter = static_cast<char>(WorkbookCells::kFirstGridColumn + column);
    return core::concat({std::string_view(&letter, 1), std::to_string(row)});
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
        auto text = m_loaded.workbook.cellText(
            static_cast<char>(WorkbookCells::kFirstGridColumn + column), row);
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

    // Row 2 stands for "no class": the grid shows it three times in every empty slot.
    void checkBlankRow(int column) {
        const Cell blank = cell(column, timetable::kBlankRow);
        if (!blank.text.empty()) {
            addCell(Finding::Kind::BlankRowText, column, timetable::kBlankRow, blank,
                    "第2行要留空，这里的文字会出现在这一列每个没课的格子里");
        }
    }

    // The blocks of a big period, as the week filter scans them.
    void checkBlocks(int column, int period) {
        const auto p = static_cast<std::size_t>(period);
        const int first = m_loaded.markers[p] + 1;
        const int last = std::min<int>(m_loaded.markers[p + 1], WorkbookCells::kGridRows);
        for (int weekRow = first; weekRow <= last; weekRow += kBlockRows) {
            if (weekRow < kFirstBlockRow) {
                continue;
            }
            const Cell weeks = cell(column, weekRow);
            bool unreadable = false;
            std::optional<Cell> course;
            for (const int row : {weekRow - 1, weekRow, weekRow + 1, weekRow + 2}) {
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
                        core::concat({"这门课的周次一行是空的，课程不会显示；应写作 {第1-",
                                      std::to_string(m_term.weeks), "周} 这样的形式"}));
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

    // Text the scan never reaches: above the first big period, below the last block, or a
    // block shifted past a marker. One line per run of such rows, at its top cell.
    void checkRowsNotRead(int column) {
        for (int row = kFirstBlockRow; row <= WorkbookCells::kGridRows; ++row) {
            if (m_rowRead[static_cast<std::size_t>(row)]) {
                continue;
            }
            const Cell top = cell(column, row);
            if (top.text.empty()) {
                continue;
            }
            addCell(Finding::Kind::OutsideBigPeriod, column, row, top,
                    core::concat({"不在任何大节的课程块里（第一节在第",
                                  std::to_string(m_loaded.markers[0]), "行，第12节在第",
                                  std::to_string(m_loaded.markers[5]), "行），不会显示"}));
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
            const int first = m_loaded.markers[period] + 1;
            const int last = m_loaded.markers[period + 1];
            for (int weekRow = first; weekRow <= last; weekRow += kBlockRows) {
                for (int row = weekRow - 1; row <= weekRow + 3; ++row) {
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

std::vector<Finding> checkTimetable(const LoadedTimetable& loaded, const core::Term& term) {
    return Checker(loaded, term).run();
}

} // namespace orvanto::service
