// The list layout: a header row naming the columns, then one row per class. The weeks, room
// and teacher may also stand in one detail cell of "周数: … 校区: … 地点: … 教师: …" pairs.

#include "imports/entries/FieldFit.h"
#include "imports/entries/FieldVocabulary.h"
#include "imports/entries/PeriodText.h"
#include "imports/entries/WeekText.h"
#include "imports/layouts/TableReading.h"

#include <algorithm>
#include <array>
#include <optional>

namespace orvanto::imports {

namespace {

using CellRows = std::vector<std::vector<const SourceCell*>>;

enum class Field { Course, Teacher, Weeks, Weekday, Periods, Room, Count };

// Keys of a detail cell; 校区 is read so that its value does not run into another field, and
// any other "key:" (教学班:, 学分:) ends the value before it the same way.
enum class DetailKey { Weeks, Campus, Room, Teacher, Other };

constexpr std::array<std::string_view, 2> kColons{":", "："};

// Column headers as exports write them, from the one vocabulary of field names.
std::optional<Field> fieldOfHeader(std::string_view text) {
    if (trimBlanks(text).size() > kLongestHeaderText) {
        return std::nullopt;
    }
    switch (fieldOfLabel(text).value_or(LabelledField::Detail)) {
    case LabelledField::Course:
        return Field::Course;
    case LabelledField::Teacher:
        return Field::Teacher;
    case LabelledField::Weeks:
        return Field::Weeks;
    case LabelledField::Weekday:
        return Field::Weekday;
    case LabelledField::Periods:
        return Field::Periods;
    case LabelledField::Room:
        return Field::Room;
    case LabelledField::Campus:
    case LabelledField::Detail:
        break;
    }
    return std::nullopt;
}

std::optional<DetailKey> detailKeyOf(LabelledField field) {
    switch (field) {
    case LabelledField::Weeks:
        return DetailKey::Weeks;
    case LabelledField::Campus:
        return DetailKey::Campus;
    case LabelledField::Room:
        return DetailKey::Room;
    case LabelledField::Teacher:
        return DetailKey::Teacher;
    default:
        return std::nullopt;
    }
}

using ColumnOfField = std::array<int, static_cast<std::size_t>(Field::Count)>;

int& columnOf(ColumnOfField& columns, Field field) {
    return columns[static_cast<std::size_t>(field)];
}
int columnOf(const ColumnOfField& columns, Field field) {
    return columns[static_cast<std::size_t>(field)];
}

// The columns a header row names; the first column of each name counts.
ColumnOfField readHeaderRow(const std::vector<const SourceCell*>& row) {
    ColumnOfField columns;
    columns.fill(-1);
    for (const SourceCell* cell : row) {
        if (const auto field = fieldOfHeader(cell->text)) {
            int& column = columnOf(columns, *field);
            if (column < 0) {
                column = cell->column;
            }
        }
    }
    return columns;
}

bool isListHeader(const ColumnOfField& columns) {
    return columnOf(columns, Field::Course) >= 0 && columnOf(columns, Field::Weekday) >= 0 &&
           columnOf(columns, Field::Periods) >= 0;
}

// The values of a detail cell by key, or nothing when the cell names no weeks.
struct Detail {
    std::string weeks;
    std::string room;
    std::string teacher;
};

// Where the key of a "key:" pair that ends at colon starts: the word right before the colon,
// set off by a blank, a line break or a separator. Clock times ("08:00") are no keys.
std::optional<std::size_t> otherKeyStart(std::string_view text, std::size_t colon) {
    auto separatorEndsAt = [text](std::size_t at) {
        for (const std::string_view separator : {" ", "\n", "\t", ",", ";", "，", "；", "\u3000"}) {
            if (at >= separator.size() &&
                text.substr(at - separator.size(), separator.size()) == separator) {
                return true;
            }
        }
        return false;
    };
    // A key is a word or two: a "key" longer than this is no key, and the walk back stays short
    // however long the cell ("周数:地点:周数:…" without a separator).
    constexpr std::size_t kLongestKey = 48;
    std::size_t start = colon;
    while (start > 0 && colon - start <= kLongestKey && !separatorEndsAt(start)) {
        --start;
    }
    if (start == colon || colon - start > kLongestKey ||
        (text[start] >= '0' && text[start] <= '9')) {
        return std::nullopt;
    }
    return start;
}

std::optional<Detail> readDetail(std::string_view text) {
    struct KeyAt {
        std::size_t keyStart;
        std::size_t valueStart;
        DetailKey key;
    };
    std::vector<KeyAt> keys;
    for (const auto& [name, field] : fieldLabels()) {
        const std::optional<DetailKey> detailKey = detailKeyOf(field);
        if (!detailKey) {
            continue;
        }
        const DetailKey key = *detailKey;
        for (std::size_t at = text.find(name); at != std::string_view::npos;
             at = text.find(name, at + name.size())) {
            std::size_t valueStart = at + name.size();
            while (valueStart < text.size() && text[valueStart] == ' ') {
                ++valueStart;
            }
            for (const std::string_view colon : kColons) {
                if (text.substr(valueStart).starts_with(colon)) {
                    keys.push_back({at, valueStart + colon.size(), key});
                }
            }
        }
    }
    for (const std::string_view colon : kColons) {
        for (std::size_t at = text.find(colon); at != std::string_view::npos;
             at = text.find(colon, at + colon.size())) {
            if (const auto start = otherKeyStart(text, at)) {
                keys.push_back({*start, at + colon.size(), DetailKey::Other});
            }
        }
    }
    // The longer of two keys at one place wins: "上课地点" also holds "地点"; a known key
    // before another at the same place.
    std::ranges::sort(keys, [](const KeyAt& a, const KeyAt& b) {
        if (a.keyStart != b.keyStart) {
            return a.keyStart < b.keyStart;
        }
        if (a.valueStart != b.valueStart) {
            return a.valueStart > b.valueStart;
        }
        return a.key < b.key;
    });
    std::erase_if(keys, [previousEnd = std::size_t{0}](const KeyAt& key) mutable {
        if (key.keyStart < previousEnd) {
            return true;
        }
        previousEnd = key.valueStart;
        return false;
    });
    Detail detail;
    bool namesWeeks = false;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::size_t end = i + 1 < keys.size() ? keys[i + 1].keyStart : text.size();
        if (keys[i].valueStart > end) {
            continue;
        }
        std::string_view value =
            trimBlanks(text.substr(keys[i].valueStart, end - keys[i].valueStart));
        // Pairs may also be separated by a comma or semicolon.
        for (const std::string_view separator : {",", ";", "，", "；"}) {
            if (value.ends_with(separator)) {
                value = trimBlanks(value.substr(0, value.size() - separator.size()));
            }
        }
        switch (keys[i].key) {
        case DetailKey::Weeks:
            detail.weeks = value;
            namesWeeks = true;
            break;
        case DetailKey::Room:
            detail.room = value;
            break;
        case DetailKey::Teacher:
            detail.teacher = value;
            break;
        case DetailKey::Campus:
        case DetailKey::Other:
            break;
        }
    }
    return namesWeeks ? std::optional(detail) : std::nullopt;
}

std::optional<int> weekdayOfValue(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '7') {
        return text[0] - '1'; // 1 is Monday
    }
    return text.size() <= kLongestHeaderText ? readWeekdayName(text) : std::nullopt;
}

// 节次 values come as labels do ("第1-2节") or without their 第 or 节 ("1-2节", "一二节", "1,2").
std::optional<SmallPeriods> periodsOfValue(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > kLongestHeaderText) {
        return std::nullopt;
    }
    if (auto periods = readPeriodLabel(text)) {
        return periods;
    }
    const std::string numbered = "第" + std::string(text);
    if (auto periods = readPeriodLabel(numbered)) {
        return periods;
    }
    return readPeriodLabel(numbered + "节");
}

// 周次 values may leave out the 周 ("1-16").
std::optional<WeekSet> weeksOfValue(std::string_view text) {
    text = trimBlanks(text);
    if (auto weeks = readWeekText(text)) {
        return weeks;
    }
    return text.empty() ? std::nullopt : readWeekText(std::string(text) + "周");
}

// One list: its header row and the rows below it, up to the next header, the end of the table
// or a note after an empty row (notes below a list are not part of it).
class List {
  public:
    List(const SourceTable& table, const CellRows& rows, int firstRow, int endRow,
         const ColumnOfField& columns)
        : m_table(table), m_rows(rows), m_firstRow(firstRow), m_endRow(endRow), m_columns(columns) {
    }

    SearchStep read(ImportResult& found) const {
        const std::size_t classesBefore = found.classes.size();
        bool afterEmptyRow = false;
        for (int row = m_firstRow; row < m_endRow; ++row) {
            const int filled = filledFields(row);
            if (filled < 0) {
                afterEmptyRow = true;
                continue;
            }
            // Past an empty row the list goes on only with rows that fill its columns (the
            // next page of a long list); a note below the list ends it.
            if (afterEmptyRow && filled < 2) {
                break;
            }
            readRow(row, found);
        }
        return found.classes.size() > classesBefore ? SearchStep::HoldsClasses
                                                    : SearchStep::HoldsNoClass;
    }

  private:
    // How many of the named columns have a cell of their own with text in this row; -1 when
    // no cell of the row has text.
    int filledFields(int row) const {
        int filled = -1;
        for (const SourceCell* cell : m_rows[static_cast<std::size_t>(row)]) {
            if (trimBlanks(cell->text).empty()) {
                continue;
            }
            filled = std::max(filled, 0);
            if (std::ranges::find(m_columns, cell->column) != m_columns.end()) {
                ++filled;
            }
        }
        return filled;
    }

    // The text of a field in this row: a merged cell (a course over several rows) gives its
    // text to every row it covers.
    std::string_view fieldText(int row, Field field) const {
        const int column = columnOf(m_columns, field);
        return column < 0 ? std::string_view{} : trimBlanks(m_table.textAt(row, column));
    }

    void readRow(int row, ImportResult& found) const {
        const auto& cells = m_rows[static_cast<std::size_t>(row)];
        std::optional<Detail> detail;
        for (const SourceCell* cell : cells) {
            if (trimBlanks(cell->text).empty()) {
                continue;
            }
            ++found.cells;
            if (!detail) {
                detail = readDetail(cell->text);
            }
        }
        const SourceCell* courseCell = m_table.at(row, columnOf(m_columns, Field::Course));
        const std::string_view course = fieldText(row, Field::Course);
        const std::optional<int> weekday = weekdayOfValue(fieldText(row, Field::Weekday));
        const std::optional<SmallPeriods> periods = periodsOfValue(fieldText(row, Field::Periods));
        const std::optional<WeekSet> weeks =
            weeksOfValue(detail ? std::string_view(detail->weeks) : fieldText(row, Field::Weeks));
        if (courseCell == nullptr || course.empty() || !weekday || !periods || !weeks) {
            found.unread.push_back(unreadRow(cells));
            return;
        }
        std::string teacher(fieldText(row, Field::Teacher));
        std::string room(fieldText(row, Field::Room));
        if (detail && teacher.empty()) {
            teacher = detail->teacher;
        }
        if (detail && room.empty()) {
            room = detail->room;
        }
        found.classes.push_back({std::string(course), std::move(teacher), std::move(room), *weekday,
                                 *periods, *weeks, m_table.name(),
                                 SourceTable::address(courseCell->row, courseCell->column)});
    }

    // A row that cannot be placed is one text not understood: at its first cell, its cells'
    // texts one after another, so the student sees the whole class in one line.
    UnreadText unreadRow(const std::vector<const SourceCell*>& cells) const {
        UnreadText unread{m_table.name(), {}, {}};
        for (const SourceCell* cell : cells) {
            const std::string_view text = trimBlanks(cell->text);
            if (text.empty()) {
                continue;
            }
            if (unread.cell.empty()) {
                unread.cell = SourceTable::address(cell->row, cell->column);
            } else {
                unread.text += ' ';
            }
            unread.text += text;
        }
        return unread;
    }

    const SourceTable& m_table;
    const CellRows& m_rows;
    int m_firstRow;
    int m_endRow;
    ColumnOfField m_columns;
};

} // namespace

// The first row below a header row: below the lowest of its cells.
int rowBelowHeader(const CellRows& rows, int headerRow) {
    int first = headerRow + 1;
    for (const SourceCell* cell : rows[static_cast<std::size_t>(headerRow)]) {
        first = std::max(first, cell->row + cell->rowSpan);
    }
    return first;
}

// A list without a header row: its columns told by their content. The weekday column names
// weekdays, the periods column holds periods, the weeks column week texts or detail cells
// ("周数: 1-16周 地点: …"); the course column is the first other one with text in most of the
// rows that name a weekday and periods. Merged cells give their text to every row they cover.
class ColumnsByContent {
  public:
    ColumnsByContent(const SourceTable& table) : m_table(table) {}

    std::optional<std::pair<int, ColumnOfField>> find() const {
        const int columns = std::min(m_table.columnCount(), kMostColumnsTried);
        const auto weekdayColumn = bestColumn(columns, {}, [](std::string_view text) {
            return text.size() <= kLongestHeaderText && readWeekdayName(text).has_value();
        });
        if (!weekdayColumn) {
            return std::nullopt;
        }
        const auto periodsColumn = bestColumn(columns, {*weekdayColumn}, [](std::string_view text) {
            return periodsOfValue(text).has_value();
        });
        if (!periodsColumn) {
            return std::nullopt;
        }
        const auto weeksColumn =
            bestColumn(columns, {*weekdayColumn, *periodsColumn}, [](std::string_view text) {
                return weeksOfValue(text).has_value() || readDetail(text).has_value();
            });
        if (!weeksColumn) {
            return std::nullopt;
        }
        std::vector<int> placedRows;
        for (int row = 0; row < m_table.rowCount(); ++row) {
            if (readWeekdayName(trimBlanks(m_table.textAt(row, *weekdayColumn))) &&
                periodsOfValue(m_table.textAt(row, *periodsColumn))) {
                placedRows.push_back(row);
            }
        }
        const std::vector<int> taken{*weekdayColumn, *periodsColumn, *weeksColumn};
        ColumnOfField found;
        found.fill(-1);
        if (!placeTextColumns(columns, taken, placedRows, found)) {
            return std::nullopt;
        }
        columnOf(found, Field::Weekday) = *weekdayColumn;
        columnOf(found, Field::Periods) = *periodsColumn;
        columnOf(found, Field::Weeks) = *weeksColumn;
        return std::pair{placedRows.front(), found};
    }

  private:
    // How well a column's texts read as a course, a teacher and a room, on average.
    struct ColumnFit {
        int column = 0;
        std::array<double, 3> fit{};
        bool mostRows = false; // filled in most placed rows, as a course column is
    };

    // The course, teacher and room columns among the other columns with text in the placed
    // rows: the assignment whose texts fit their fields best. The course column, filled in most
    // rows, is needed; a teacher or room column (which some classes lack) only where one fits.
    bool placeTextColumns(int columns, const std::vector<int>& taken,
                          const std::vector<int>& placedRows, ColumnOfField& found) const {
        std::vector<ColumnFit> candidates;
        for (int column = 0; column < columns && candidates.size() < kMostTextColumns; ++column) {
            if (std::ranges::find(taken, column) != taken.end()) {
                continue;
            }
            ColumnFit candidate{column, {}};
            long filled = 0;
            for (const int row : placedRows) {
                const std::string_view text = trimBlanks(m_table.textAt(row, column));
                if (text.empty()) {
                    continue;
                }
                ++filled;
                candidate.fit[0] += courseFitOf(text);
                candidate.fit[1] += teacherFitOf(text);
                candidate.fit[2] += roomFitOf(text);
            }
            if (filled > 0) {
                candidate.mostRows = filled * 2 > static_cast<long>(placedRows.size());
                for (double& fit : candidate.fit) {
                    fit /= static_cast<double>(filled);
                }
                candidates.push_back(candidate);
            }
        }
        if (std::ranges::none_of(candidates, &ColumnFit::mostRows)) {
            return false;
        }
        // Every assignment of the candidates to course (needed), teacher and room (either may
        // be none, as -1); the first best one wins, so equal fits keep the leftmost as course.
        const int count = static_cast<int>(candidates.size());
        double best = -1;
        std::array<int, 3> bestPick{0, -1, -1};
        for (int course = 0; course < count; ++course) {
            if (!candidates[static_cast<std::size_t>(course)].mostRows) {
                continue;
            }
            for (int teacher = -1; teacher < count; ++teacher) {
                for (int room = -1; room < count; ++room) {
                    if (teacher == course || room == course || (teacher >= 0 && teacher == room)) {
                        continue;
                    }
                    const std::array<int, 3> pick{course, teacher, room};
                    double score = 0;
                    for (std::size_t field = 0; field < 3; ++field) {
                        if (pick[field] >= 0) {
                            score += candidates[static_cast<std::size_t>(pick[field])].fit[field];
                        }
                    }
                    if (score > best + 1e-9) {
                        best = score;
                        bestPick = pick;
                    }
                }
            }
        }
        const std::array<Field, 3> fields{Field::Course, Field::Teacher, Field::Room};
        for (std::size_t field = 0; field < 3; ++field) {
            if (bestPick[field] >= 0) {
                columnOf(found, fields[field]) =
                    candidates[static_cast<std::size_t>(bestPick[field])].column;
            }
        }
        return true;
    }

    // A list's course, teacher and room columns are found among this many text columns.
    static constexpr std::size_t kMostTextColumns = 6;
    // Past this a column is no part of a list a student was given.
    static constexpr int kMostColumnsTried = 32;
    // A column counts when this many of its rows read so.
    static constexpr int kFewestRows = 2;

    template <typename Reads>
    std::optional<int> bestColumn(int columns, const std::vector<int>& taken, Reads reads) const {
        std::optional<int> best;
        int bestCount = kFewestRows - 1;
        for (int column = 0; column < columns; ++column) {
            if (std::ranges::find(taken, column) != taken.end()) {
                continue;
            }
            int count = 0;
            for (int row = 0; row < m_table.rowCount(); ++row) {
                const SourceCell* cell = m_table.at(row, column);
                // A cell over several columns is a note, never a field of the list.
                if (cell != nullptr && cell->columnSpan == 1 && reads(trimBlanks(cell->text))) {
                    ++count;
                }
            }
            if (count > bestCount) {
                best = column;
                bestCount = count;
            }
        }
        return best;
    }

    const SourceTable& m_table;
};

TableReading readListTimetables(const SourceTable& table) {
    const CellRows rows = cellsByRow(table);
    std::vector<std::pair<int, ColumnOfField>> headers;
    for (int row = 0; row < table.rowCount(); ++row) {
        const ColumnOfField columns = readHeaderRow(rows[static_cast<std::size_t>(row)]);
        if (isListHeader(columns)) {
            headers.emplace_back(row, columns);
        }
    }
    TableReading reading;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const int endRow = i + 1 < headers.size() ? headers[i + 1].first : table.rowCount();
        const List list(table, rows, rowBelowHeader(rows, headers[i].first), endRow,
                        headers[i].second);
        reading.step = std::max(reading.step, list.read(reading.found));
    }
    if (headers.empty()) {
        if (const auto byContent = ColumnsByContent(table).find()) {
            const List list(table, rows, byContent->first, table.rowCount(), byContent->second);
            reading.step = list.read(reading.found);
        }
    }
    return reading;
}

} // namespace orvanto::imports
