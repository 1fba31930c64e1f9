// The grid layout: weekday names along one row, period labels down a column to their left, a
// cell per class (or several classes per cell) where a weekday's column crosses a period's row.

#include "imports/entries/CellReader.h"
#include "imports/entries/PeriodText.h"
#include "imports/layouts/TableReading.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <optional>

namespace orvanto::imports {

namespace {

// A row names the weekdays when it holds at least this many different ones: a list's rows hold
// one, a grid's header five or seven.
constexpr int kFewestWeekdaysInHeader = 3;

using CellRows = std::vector<std::vector<const SourceCell*>>;

// A date as exports print it under a weekday name: "09-01", "9/1", "9月1日", "(2026.09.01)".
bool isDate(std::string_view text) {
    const std::vector<CodePoint> points = codePointsOf(text);
    const bool hasDigit = std::ranges::any_of(
        points, [](const CodePoint& point) { return point.value >= '0' && point.value <= '9'; });
    return hasDigit && std::ranges::all_of(points, [](const CodePoint& point) {
               const char32_t c = foldWidth(point.value);
               return (c >= '0' && c <= '9') || c == '-' || c == '/' || c == '.' || c == '(' ||
                      c == ')' || c == U'月' || c == U'日' || isBlank(c);
           });
}

// A header cell may name its weekday on several lines ("星期一\nMonday") or carry the date
// under it when the export prints one week ("星期一\n09-01"). Every line must be the weekday or
// a date: a class cell whose course line happens to be a weekday name is no header.
std::optional<int> weekdayOfHeader(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > kLongestHeaderText) {
        return std::nullopt;
    }
    if (const auto weekday = readWeekdayName(text)) {
        return weekday;
    }
    std::optional<int> named;
    for (const std::string_view line : linesOf(text)) {
        if (line.empty() || isDate(line)) {
            continue;
        }
        const std::optional<int> weekday = readWeekdayName(line);
        if (!weekday || (named && *named != *weekday)) {
            return std::nullopt;
        }
        named = weekday;
    }
    return named;
}

// A label may give its periods one a line ("1\n2", "第1节\n第2节") beside lines of hours; each
// line is read on its own, as reading the whole text would take "1\n2" for period 12.
std::optional<SmallPeriods> periodsOfLabel(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > kLongestHeaderText) {
        return std::nullopt;
    }
    if (text.find('\n') == std::string_view::npos) {
        return readPeriodLabel(text);
    }
    std::optional<SmallPeriods> joined;
    for (const std::string_view line : linesOf(text)) {
        if (const auto periods = readPeriodLabel(line)) {
            joined = joinedPeriods(joined, *periods);
        }
    }
    return joined;
}

bool namesWeekdays(const std::vector<const SourceCell*>& row) {
    unsigned weekdays = 0;
    for (const SourceCell* cell : row) {
        if (const auto weekday = weekdayOfHeader(cell->text)) {
            weekdays |= 1U << *weekday;
        }
    }
    return std::popcount(weekdays) >= kFewestWeekdaysInHeader;
}

// One grid: its weekday header row and the rows below it up to the next header or the end.
class Grid {
  public:
    Grid(const SourceTable& table, const CellRows& rows, int headerRow, int endRow,
         const CellReader& reader)
        : m_table(table), m_rows(rows), m_headerRow(headerRow), m_endRow(endRow), m_reader(reader) {
    }

    // How far the search got in this grid; classes and texts not understood go to found.
    SearchStep read(ImportResult& found) {
        readHeader();
        const std::optional<int> labelColumn = findLabelColumn();
        if (!labelColumn) {
            return readWithoutLabels(found);
        }
        readPeriodsOfRows(*labelColumn);
        const std::size_t classesBefore = found.classes.size();
        readArea(found);
        readNotesBelow(found);
        return found.classes.size() > classesBefore ? SearchStep::HoldsClasses
                                                    : SearchStep::HoldsNoClass;
    }

  private:
    // Rows named only 上午/下午/晚上 leave the periods to the cells ("1-16周[1-2节]"). Then
    // every row down to the next header is the area; the grid counts only when a cell named
    // its periods, so a table that merely mentions weekdays stays no timetable.
    SearchStep readWithoutLabels(ImportResult& found) {
        m_periodsOfRow.assign(static_cast<std::size_t>(m_endRow - m_firstRow), std::nullopt);
        m_lastRow = m_endRow - 1;
        ImportResult own;
        readArea(own);
        if (own.classes.empty()) {
            return SearchStep::NoPeriodLabels;
        }
        found.cells += own.cells;
        std::ranges::move(own.classes, std::back_inserter(found.classes));
        std::ranges::move(own.unread, std::back_inserter(found.unread));
        std::ranges::move(own.details, std::back_inserter(found.details));
        return SearchStep::HoldsClasses;
    }

    // The weekday of every column from the header cell above it (merged cells name every column
    // they cover); the area begins below the lowest header cell.
    void readHeader() {
        m_weekdayOfColumn.assign(static_cast<std::size_t>(m_table.columnCount()), 0);
        m_firstRow = m_headerRow + 1;
        for (int column = 0; column < m_table.columnCount(); ++column) {
            const SourceCell* cell = m_table.at(m_headerRow, column);
            if (cell == nullptr) {
                continue;
            }
            if (const auto weekday = weekdayOfHeader(cell->text)) {
                m_weekdayOfColumn[static_cast<std::size_t>(column)] = *weekday;
                m_firstRow = std::max(m_firstRow, cell->row + cell->rowSpan);
                if (m_firstWeekdayColumn < 0) {
                    m_firstWeekdayColumn = column;
                }
            }
        }
        m_firstRow = std::min(m_firstRow, m_endRow); // a header cell merged past the next header
    }

    // The column left of the weekdays holding the most period labels; on a tie the one nearest
    // the weekdays (a 上午/下午 column or a number column stands further out).
    std::optional<int> findLabelColumn() const {
        std::vector<int> labels(static_cast<std::size_t>(m_firstWeekdayColumn), 0);
        for (int row = m_firstRow; row < m_endRow; ++row) {
            for (const SourceCell* cell : m_rows[static_cast<std::size_t>(row)]) {
                if (cell->column >= m_firstWeekdayColumn) {
                    break;
                }
                if (periodsOfLabel(cell->text)) {
                    ++labels[static_cast<std::size_t>(cell->column)];
                }
            }
        }
        std::optional<int> best;
        for (int column = 0; column < m_firstWeekdayColumn; ++column) {
            const int count = labels[static_cast<std::size_t>(column)];
            if (count > 0 && (!best || count >= labels[static_cast<std::size_t>(*best)])) {
                best = column;
            }
        }
        return best;
    }

    // The small periods of every row from the label beside it. Exports that count the periods
    // again from 1 under 下午 or 晚上 are read as counting on: a label that does not continue
    // the count starts right after the period before it. A label repeated on the next row (or
    // merged over several) names the same periods.
    void readPeriodsOfRows(int labelColumn) {
        m_periodsOfRow.assign(static_cast<std::size_t>(m_endRow - m_firstRow), std::nullopt);
        const SourceCell* previousCell = nullptr;
        std::optional<SmallPeriods> previousLabel;
        SmallPeriods previousPeriods;
        m_lastRow = m_firstRow - 1;
        for (int row = m_firstRow; row < m_endRow; ++row) {
            const SourceCell* cell = m_table.at(row, labelColumn);
            if (cell == nullptr || cell == previousCell) {
                if (cell != nullptr && previousLabel) {
                    setPeriodsOfRow(row, previousPeriods);
                }
                continue;
            }
            previousCell = cell;
            const std::optional<SmallPeriods> label = periodsOfLabel(cell->text);
            if (!label) {
                previousLabel.reset();
                continue;
            }
            SmallPeriods periods = *label;
            if (previousLabel && *label == *previousLabel) {
                periods = previousPeriods;
            } else if (m_lastPeriod > 0 && periods.first <= m_lastPeriod) {
                const int shift = m_lastPeriod + 1 - periods.first;
                periods = {periods.first + shift, periods.last + shift};
            }
            previousLabel = label;
            previousPeriods = periods;
            m_lastPeriod = std::max(m_lastPeriod, periods.last);
            setPeriodsOfRow(row, periods);
        }
    }

    void setPeriodsOfRow(int row, SmallPeriods periods) {
        m_periodsOfRow[static_cast<std::size_t>(row - m_firstRow)] = periods;
        m_lastRow = row;
    }

    // The small periods of the rows [first, first + count) of the area, joined.
    std::optional<SmallPeriods> periodsOfRows(int first, int count) const {
        std::optional<SmallPeriods> joined;
        const int end = std::min(first + count, m_lastRow + 1);
        for (int row = std::max(first, m_firstRow); row < end; ++row) {
            const auto& periods = m_periodsOfRow[static_cast<std::size_t>(row - m_firstRow)];
            if (!periods) {
                continue;
            }
            joined = joinedPeriods(joined, *periods);
        }
        return joined;
    }

    // The area lies under the header and beside the labels: from the first row below the header
    // to the last labelled row, in the columns a weekday heads. Notes below it are not read.
    void readArea(ImportResult& found) const {
        for (int row = m_firstRow; row <= m_lastRow; ++row) {
            for (const SourceCell* cell : m_rows[static_cast<std::size_t>(row)]) {
                const int weekday = m_weekdayOfColumn[static_cast<std::size_t>(cell->column)];
                if (weekday == 0 || trimBlanks(cell->text).empty()) {
                    continue;
                }
                ++found.cells;
                readCell(*cell, weekday, found);
            }
        }
    }

    // Rows below the last labelled one (备注, a list of courses without a time, the print
    // date) hold no class of the grid; their texts are left out as details, listed, not lost.
    void readNotesBelow(ImportResult& found) const {
        for (int row = m_lastRow + 1; row < m_endRow; ++row) {
            for (const SourceCell* cell : m_rows[static_cast<std::size_t>(row)]) {
                const std::string_view text = trimBlanks(cell->text);
                if (!text.empty()) {
                    found.details.push_back({m_table.name(),
                                             SourceTable::address(cell->row, cell->column),
                                             std::string(text)});
                }
            }
        }
    }

    void readCell(const SourceCell& cell, int weekday, ImportResult& found) const {
        const std::string address = SourceTable::address(cell.row, cell.column);
        const CellReading reading = m_reader.read(cell.text);
        const std::optional<SmallPeriods> rowPeriods = periodsOfRows(cell.row, cell.rowSpan);
        const bool everyClassPlaced =
            rowPeriods || std::ranges::all_of(reading.classes, [](const CellClass& entry) {
                return entry.periods.has_value();
            });
        if (!everyClassPlaced) {
            // Beside no period label and naming none itself: nothing of it can be placed.
            found.unread.push_back({m_table.name(), address, std::string(trimBlanks(cell.text))});
            return;
        }
        for (const CellClass& entry : reading.classes) {
            found.classes.push_back({entry.course, entry.teacher, entry.room, weekday,
                                     entry.periods ? *entry.periods : *rowPeriods, entry.weeks,
                                     m_table.name(), address});
        }
        for (const std::string& line : reading.unread) {
            found.unread.push_back({m_table.name(), address, line});
        }
        for (const std::string& line : reading.details) {
            found.details.push_back({m_table.name(), address, line});
        }
    }

    const SourceTable& m_table;
    const CellRows& m_rows;
    int m_headerRow;
    int m_endRow;
    const CellReader& m_reader;
    int m_firstRow = 0;
    int m_lastRow = 0;
    int m_firstWeekdayColumn = -1;
    int m_lastPeriod = 0;
    std::vector<int> m_weekdayOfColumn; // 1..7, 0 where no weekday heads the column
    std::vector<std::optional<SmallPeriods>> m_periodsOfRow; // from m_firstRow on
};

} // namespace

TableReading readGridTimetables(const SourceTable& table, const CellReader& reader) {
    const CellRows rows = cellsByRow(table);
    std::vector<int> headerRows;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (namesWeekdays(rows[static_cast<std::size_t>(row)])) {
            headerRows.push_back(row);
        }
    }
    TableReading reading;
    for (std::size_t i = 0; i < headerRows.size(); ++i) {
        const int endRow = i + 1 < headerRows.size() ? headerRows[i + 1] : table.rowCount();
        Grid grid(table, rows, headerRows[i], endRow, reader);
        reading.step = std::max(reading.step, grid.read(reading.found));
    }
    return reading;
}

} // namespace orvanto::imports
