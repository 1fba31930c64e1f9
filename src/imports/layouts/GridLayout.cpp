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

// Clock ranges label the rows when a column holds at least two and nothing numbers the periods.
constexpr int kFewestClockRanges = 2;
// A small period with its break; a range is rounded to whole periods, at most four a row.
constexpr int kMinutesPerSmallPeriod = 50;
constexpr int kMostSmallPeriodsInARange = 4;
// Ranges past this many periods are no timetable's rows.
constexpr int kMaxClockPeriod = 16;
// A label written down rows takes at most this many (第 / 十 / 二 / 节).
constexpr int kMostStackedRows = 4;
// Stacked labels of one period each that end by this one count big periods (第一节 .. 第五节).
constexpr int kMostBigPeriods = 6;

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
        m_weekdayOfColumn.assign(static_cast<std::size_t>(m_table.columnCount()), std::nullopt);
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
                m_lastWeekdayColumn = column;
            }
        }
        m_firstRow = std::min(m_firstRow, m_endRow); // a header cell merged past the next header
    }

    // The column holding the most period labels, left of the weekdays or, failing that, in a
    // 时间 column right of them; on a tie the one nearest the weekdays (a 上午/下午 column or a
    // number column stands further out). Failing both, a column of clock ranges alone
    // ("08:00-09:40"), whose rows count the periods in their order.
    std::optional<int> findLabelColumn() {
        const auto columns = static_cast<std::size_t>(m_table.columnCount());
        std::vector<int> labels(columns, 0);
        std::vector<int> clockRanges(columns, 0);
        for (int row = m_firstRow; row < m_endRow; ++row) {
            for (const SourceCell* cell : m_rows[static_cast<std::size_t>(row)]) {
                if (m_weekdayOfColumn[static_cast<std::size_t>(cell->column)]) {
                    continue;
                }
                std::optional<SmallPeriods> stacked;
                if (periodsOfLabel(cell->text) || stackedLabel(row, cell->column, stacked) > 1) {
                    ++labels[static_cast<std::size_t>(cell->column)];
                } else if (readClockRange(trimBlanks(cell->text))) {
                    ++clockRanges[static_cast<std::size_t>(cell->column)];
                }
            }
        }
        if (const auto column = mostIn(labels)) {
            return column;
        }
        const auto column = mostIn(clockRanges);
        if (!column || clockRanges[static_cast<std::size_t>(*column)] < kFewestClockRanges) {
            return std::nullopt;
        }
        numberClockRanges(*column);
        return column;
    }

    // The column with the highest count left of the weekdays (nearest them on a tie), else
    // right of them (furthest out on a tie); none where every count is 0.
    std::optional<int> mostIn(const std::vector<int>& counts) const {
        auto best = [&](int first, int end, bool nearestLast) {
            std::optional<int> found;
            for (int column = first; column < end; ++column) {
                const int count = counts[static_cast<std::size_t>(column)];
                const int bestCount = found ? counts[static_cast<std::size_t>(*found)] : 0;
                if (count > 0 && (count > bestCount || (nearestLast && count == bestCount))) {
                    found = column;
                }
            }
            return found;
        };
        if (const auto left = best(0, m_firstWeekdayColumn, true)) {
            return left;
        }
        return best(m_lastWeekdayColumn + 1, m_table.columnCount(), false);
    }

    // Rows labelled by clock ranges alone take the periods in order, as many a row as its
    // length holds (a small period is about 45 minutes with its break: 08:00-09:40 holds two);
    // a range repeated on the next row names the same periods.
    void numberClockRanges(int labelColumn) {
        m_clockPeriodsOfRow.assign(static_cast<std::size_t>(m_endRow - m_firstRow), std::nullopt);
        int next = 1;
        std::string_view previousText;
        SmallPeriods previousPeriods;
        for (int row = m_firstRow; row < m_endRow; ++row) {
            const SourceCell* cell = m_table.at(row, labelColumn);
            if (cell == nullptr || cell->row != row) {
                continue;
            }
            const std::string_view text = trimBlanks(cell->text);
            const std::optional<int> minutes = readClockRange(text);
            if (!minutes || next > kMaxClockPeriod) {
                continue;
            }
            SmallPeriods periods = previousPeriods;
            if (text != previousText) {
                const int count =
                    std::clamp((*minutes + kMinutesPerSmallPeriod / 2) / kMinutesPerSmallPeriod, 1,
                               kMostSmallPeriodsInARange);
                periods = {next, next + count - 1};
                next += count;
            }
            m_clockPeriodsOfRow[static_cast<std::size_t>(row - m_firstRow)] = periods;
            previousText = text;
            previousPeriods = periods;
        }
    }

    // The periods a label cell names: its own text, or its place among the clock ranges.
    std::optional<SmallPeriods> periodsOfLabelCell(const SourceCell& cell) const {
        if (m_clockPeriodsOfRow.empty()) {
            return periodsOfLabel(cell.text);
        }
        if (cell.row < m_firstRow) {
            return std::nullopt;
        }
        return m_clockPeriodsOfRow[static_cast<std::size_t>(cell.row - m_firstRow)];
    }

    // The small periods of every row from the label beside it. Exports that count the periods
    // again from 1 under 下午 or 晚上 are read as counting on: a label that does not continue
    // the count starts right after the period before it. A label repeated on the next row (or
    // merged over several) names the same periods. A label written down several rows, a
    // character a row (第 / 三 / 节), is read as one; its period takes every row down to the
    // next label, and those rows hold one class cell a column (a field a row).
    void readPeriodsOfRows(int labelColumn) {
        m_periodsOfRow.assign(static_cast<std::size_t>(m_endRow - m_firstRow), std::nullopt);
        m_stackedRows.assign(static_cast<std::size_t>(m_endRow - m_firstRow), 0);
        const SourceCell* previousCell = nullptr;
        std::optional<SmallPeriods> previousLabel;
        SmallPeriods previousPeriods;
        m_lastRow = m_firstRow - 1;
        bool everyLabelOnePeriod = true;
        for (int row = m_firstRow; row < m_endRow; ++row) {
            const SourceCell* cell = m_table.at(row, labelColumn);
            if (cell == nullptr || cell == previousCell) {
                if (cell != nullptr && previousLabel) {
                    setPeriodsOfRow(row, previousPeriods);
                }
                continue;
            }
            previousCell = cell;
            int rows = 1;
            std::optional<SmallPeriods> label = periodsOfLabelCell(*cell);
            if (!label && m_clockPeriodsOfRow.empty()) {
                rows = stackedLabel(row, labelColumn, label);
            }
            if (!label) {
                previousLabel.reset();
                continue;
            }
            everyLabelOnePeriod = everyLabelOnePeriod && label->first == label->last;
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
            if (rows > 1) {
                // The stacked label's rows and the empty label rows after it
                while (row + rows < m_endRow && labelIsEmpty(row + rows, labelColumn)) {
                    ++rows;
                }
                for (int k = 0; k < rows; ++k) {
                    setPeriodsOfRow(row + k, periods);
                    m_stackedRows[static_cast<std::size_t>(row + k - m_firstRow)] =
                        k == 0 ? rows : -1;
                }
                row += rows - 1;
                previousCell = m_table.at(row, labelColumn);
                continue;
            }
            setPeriodsOfRow(row, periods);
        }
        countBigPeriods(everyLabelOnePeriod,
                        std::ranges::any_of(m_stackedRows, [](int rows) { return rows > 1; }));
    }

    // Labels written down rows (第 / 三 / 节) over the several rows of a period's fields, one
    // period each and ending by the sixth, count big periods: such a grid covers the whole day.
    void countBigPeriods(bool everyLabelOnePeriod, bool stacked) {
        if (!stacked || !everyLabelOnePeriod || m_lastPeriod == 0 ||
            m_lastPeriod > kMostBigPeriods) {
            return;
        }
        for (auto& periods : m_periodsOfRow) {
            if (periods) {
                periods = SmallPeriods{2 * periods->first - 1, 2 * periods->last};
            }
        }
    }

    bool labelIsEmpty(int row, int labelColumn) const {
        const SourceCell* cell = m_table.at(row, labelColumn);
        return cell == nullptr || (cell->row == row && trimBlanks(cell->text).empty());
    }

    // A label written a piece a row from row on: the most rows whose texts, joined, read as
    // one ("第一" reads, "第一节" says more). Returns how many rows it takes (1 when none does).
    int stackedLabel(int row, int labelColumn, std::optional<SmallPeriods>& label) const {
        std::string joined;
        int rows = 1;
        label.reset();
        for (int k = 0; k < kMostStackedRows && row + k < m_endRow; ++k) {
            const SourceCell* cell = m_table.at(row + k, labelColumn);
            if (cell == nullptr || cell->row != row + k || cell->rowSpan != 1 ||
                trimBlanks(cell->text).empty()) {
                break;
            }
            joined += trimBlanks(cell->text);
            if (k > 0) {
                if (const auto periods = periodsOfLabel(joined)) {
                    label = periods;
                    rows = k + 1;
                }
            }
        }
        return rows;
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
            const int stacked = stackedRowsAt(row);
            if (stacked < 0) {
                continue; // read with the first row of its period
            }
            if (stacked > 1) {
                readStackedRows(row, stacked, found);
                continue;
            }
            for (const SourceCell* cell : m_rows[static_cast<std::size_t>(row)]) {
                const std::optional<int> weekday =
                    m_weekdayOfColumn[static_cast<std::size_t>(cell->column)];
                if (!weekday || trimBlanks(cell->text).empty()) {
                    continue;
                }
                ++found.cells;
                readCell(*cell, *weekday, found);
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

    int stackedRowsAt(int row) const {
        return m_stackedRows.empty() ? 1
                                     : m_stackedRows[static_cast<std::size_t>(row - m_firstRow)];
    }

    // The rows of one stacked period: a column's cells in them, a field a row, are one cell.
    void readStackedRows(int first, int rows, ImportResult& found) const {
        std::vector<SourceCell> joined(static_cast<std::size_t>(m_table.columnCount()));
        for (int row = first; row < first + rows && row <= m_lastRow; ++row) {
            for (const SourceCell* cell : m_rows[static_cast<std::size_t>(row)]) {
                const std::optional<int> weekday =
                    m_weekdayOfColumn[static_cast<std::size_t>(cell->column)];
                if (!weekday || trimBlanks(cell->text).empty()) {
                    continue;
                }
                SourceCell& column = joined[static_cast<std::size_t>(cell->column)];
                if (column.text.empty()) {
                    column = *cell;
                    column.text = std::string(trimBlanks(cell->text));
                } else {
                    column.text += '\n';
                    column.text += trimBlanks(cell->text);
                }
                column.rowSpan = std::max(column.rowSpan, cell->row + cell->rowSpan - column.row);
            }
        }
        for (const SourceCell& cell : joined) {
            if (cell.text.empty()) {
                continue;
            }
            ++found.cells;
            readCell(cell, *m_weekdayOfColumn[static_cast<std::size_t>(cell.column)], found);
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
    int m_lastWeekdayColumn = -1;
    int m_lastPeriod = 0;
    std::vector<std::optional<int>> m_weekdayOfColumn; // none where no weekday heads the column
    // The periods of rows labelled by clock ranges alone, by the label's first row; empty when
    // the labels number the periods themselves.
    std::vector<std::optional<SmallPeriods>> m_clockPeriodsOfRow;
    std::vector<std::optional<SmallPeriods>> m_periodsOfRow; // from m_firstRow on
    // From m_firstRow on: at the first row of a stacked label's period, its rows; -1 in its
    // other rows; 1 elsewhere.
    std::vector<int> m_stackedRows;
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
