#include "imports/entries/OrderedFields.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace orvanto::imports {

namespace {

// A text given to no field costs this much against the fits (each at most 1): a reading
// leaves a piece unread only when no order of the fields can place it.
constexpr double kUnreadCost = 3.0;
// A text right after the course that fits no field is an option of it ("体育IV" / "网球").
constexpr double kOptionFit = 0.05;

enum class Step { Keep, Field, NewEntryField, Option, Unread };

struct Cell {
    double score = -std::numeric_limits<double>::infinity();
    int from = -1; // state before the piece
    Step step = Step::Keep;
    int field = -1; // order index given
};

bool isMandatory(EntryField field) {
    return field == EntryField::Course || field == EntryField::Weeks;
}

double fitOf(const CellPiece& piece, EntryField field) {
    switch (field) {
    case EntryField::Course:
        return piece.courseFit;
    case EntryField::Teacher:
        return piece.teacherFit;
    case EntryField::Room:
        return piece.roomFit;
    case EntryField::Weeks:
        break;
    }
    return 1.0;
}

// The best way to each state after each piece, in one block: row i is the state after i
// pieces.
class Table {
  public:
    Table(std::size_t rows, int states)
        : m_states(static_cast<std::size_t>(states)), m_cells(rows * m_states) {}
    Cell* operator[](std::size_t row) { return m_cells.data() + row * m_states; }
    const Cell* operator[](std::size_t row) const { return m_cells.data() + row * m_states; }

  private:
    std::size_t m_states;
    std::vector<Cell> m_cells;
};

class OrderAligner {
  public:
    OrderAligner(std::span<const CellPiece> pieces, std::span<const EntryField> order)
        : m_pieces(pieces), m_order(order), m_slots(static_cast<int>(order.size())) {}

    OrderedReading read() {
        // State: how many slots of the current class are behind us (0 = no class open), times
        // two for "the last piece was the course".
        const int states = (m_slots + 1) * 2;
        Table table(m_pieces.size() + 1, states);
        table[0][0].score = 0;
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            for (int state = 0; state < states; ++state) {
                if (table[i][state].score == -std::numeric_limits<double>::infinity()) {
                    continue;
                }
                advance(i, state, table);
            }
        }
        int best = -1;
        for (int state = 0; state < states; ++state) {
            const int slots = state / 2;
            if (!isComplete(slots)) {
                continue;
            }
            const Cell* last = table[m_pieces.size()];
            if (best < 0 || last[state].score > last[best].score) {
                best = state;
            }
        }
        return build(table, best);
    }

  private:
    // Whether a class whose first `slots` slots are behind us has its course and weeks.
    bool isComplete(int slots) const {
        if (slots == 0) {
            return true;
        }
        for (int slot = slots; slot < m_slots; ++slot) {
            if (isMandatory(m_order[static_cast<std::size_t>(slot)])) {
                return false;
            }
        }
        return true;
    }

    bool canSkip(int from, int to) const {
        for (int slot = from; slot < to; ++slot) {
            if (isMandatory(m_order[static_cast<std::size_t>(slot)])) {
                return false;
            }
        }
        return true;
    }

    static void offer(Cell& cell, double score, int from, Step step, int field) {
        if (score > cell.score) {
            cell = {score, from, step, field};
        }
    }

    void advance(std::size_t i, int state, Table& table) const {
        const CellPiece& piece = m_pieces[i];
        const double score = table[i][state].score;
        const int slots = state / 2;
        const bool afterCourse = state % 2 == 1;
        Cell* next = table[i + 1];
        switch (piece.kind) {
        case PieceKind::Empty:
            offer(next[state], score, state, Step::Keep, -1);
            return;
        case PieceKind::Break:
            if (isComplete(slots)) {
                offer(next[0], score, state, Step::Keep, -1);
            }
            break;
        case PieceKind::Detail:
        case PieceKind::Periods:
        case PieceKind::Weekday:
        case PieceKind::Labelled:
            offer(next[slots * 2], score, state, Step::Keep, -1);
            return;
        case PieceKind::Weeks:
        case PieceKind::Text:
            for (int slot = 0; slot < m_slots; ++slot) {
                const EntryField field = m_order[static_cast<std::size_t>(slot)];
                if ((piece.kind == PieceKind::Weeks) != (field == EntryField::Weeks)) {
                    continue;
                }
                const double fit = fitOf(piece, field);
                const int after = (slot + 1) * 2 + (field == EntryField::Course ? 1 : 0);
                if (slots > 0 && slot >= slots && canSkip(slots, slot)) {
                    offer(next[after], score + fit, state, Step::Field, slot);
                } else if (isComplete(slots) && canSkip(0, slot)) {
                    offer(next[after], score + fit, state, Step::NewEntryField, slot);
                }
            }
            if (piece.kind == PieceKind::Text && afterCourse) {
                offer(next[slots * 2], score + kOptionFit, state, Step::Option, -1);
            }
            break;
        }
        offer(next[state], score - kUnreadCost, state, Step::Unread, -1);
    }

    struct Entry {
        const CellPiece* course = nullptr;
        const CellPiece* teacher = nullptr;
        const CellPiece* room = nullptr;
        const CellPiece* weeks = nullptr;
        std::optional<SmallPeriods> periods;
        std::optional<int> weekday;
        std::vector<const CellPiece*> labelled;
    };

    OrderedReading build(const Table& table, int best) const {
        OrderedReading result;
        if (best < 0) {
            return result;
        }
        result.fit = table[m_pieces.size()][best].score;
        std::vector<const Cell*> path(m_pieces.size());
        for (std::size_t i = m_pieces.size(), state = static_cast<std::size_t>(best); i > 0; --i) {
            path[i - 1] = &table[i][state];
            state = static_cast<std::size_t>(table[i][state].from);
        }
        std::vector<Entry> entries;
        Entry waiting; // what comes before the first field of a class belongs to it
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            const CellPiece& piece = m_pieces[i];
            const Cell& cell = *path[i];
            const bool open = !entries.empty() && cell.from / 2 > 0;
            Entry& current = open ? entries.back() : waiting;
            switch (cell.step) {
            case Step::Unread:
                result.reading.unread.emplace_back(piece.text);
                continue;
            case Step::Option:
                result.reading.details.emplace_back(piece.text);
                ++result.reading.options;
                continue;
            case Step::NewEntryField:
                entries.push_back(std::exchange(waiting, {}));
                [[fallthrough]];
            case Step::Field:
                place(entries.back(), piece, m_order[static_cast<std::size_t>(cell.field)]);
                continue;
            case Step::Keep:
                break;
            }
            switch (piece.kind) {
            case PieceKind::Detail:
                result.reading.details.emplace_back(piece.text);
                break;
            case PieceKind::Periods:
                current.periods = piece.periods;
                break;
            case PieceKind::Weekday:
                current.weekday = piece.weekday;
                break;
            case PieceKind::Labelled:
                current.labelled.push_back(&piece);
                break;
            default:
                break;
            }
        }
        for (const Entry& entry : entries) {
            addClasses(entry, result.reading);
        }
        // Labels after the last class that no class took.
        for (const CellPiece* piece : waiting.labelled) {
            result.reading.unread.emplace_back(piece->text);
        }
        return result;
    }

    static void place(Entry& entry, const CellPiece& piece, EntryField field) {
        switch (field) {
        case EntryField::Course:
            entry.course = &piece;
            break;
        case EntryField::Teacher:
            entry.teacher = &piece;
            break;
        case EntryField::Room:
            entry.room = &piece;
            break;
        case EntryField::Weeks:
            entry.weeks = &piece;
            break;
        }
    }

    static void addClasses(Entry entry, CellReading& reading) {
        std::string course = entry.course ? std::string(entry.course->value) : std::string();
        std::string teacher = entry.teacher ? std::string(entry.teacher->value) : std::string();
        std::string room = entry.room ? std::string(entry.room->value) : std::string();
        // A labelled piece names its field; a piece the order gave that field stays unread
        // rather than be overwritten without a word ("教师:王芳,李明" cut at the comma).
        for (const CellPiece* labelled : entry.labelled) {
            const CellPiece* placed = nullptr;
            std::string* field = &room;
            switch (*labelled->label) {
            case LabelledField::Course:
                placed = std::exchange(entry.course, nullptr);
                field = &course;
                break;
            case LabelledField::Teacher:
                placed = std::exchange(entry.teacher, nullptr);
                field = &teacher;
                break;
            default:
                placed = std::exchange(entry.room, nullptr);
                break;
            }
            if (placed != nullptr && placed != labelled) {
                reading.unread.emplace_back(placed->text);
            }
            *field = std::string(labelled->value);
        }
        const WeeksLine& weeksLine = *entry.weeks->weeks;
        // A weeks piece that names the teacher or the room itself leaves no place for another
        // piece of that field: such a piece stays unread, and the reading explains less.
        if (weeksLine.teacher) {
            if (entry.teacher != nullptr) {
                reading.unread.emplace_back(entry.teacher->text);
            }
            teacher = *weeksLine.teacher;
        }
        const bool roomInWeeks = std::ranges::any_of(
            weeksLine.segments, [](const WeeksSegment& segment) { return !segment.room.empty(); });
        if (roomInWeeks && entry.room != nullptr) {
            reading.unread.emplace_back(entry.room->text);
        }
        const std::optional<int> weekday = weeksLine.weekday ? weeksLine.weekday : entry.weekday;
        for (const WeeksSegment& segment : weeksLine.segments) {
            reading.classes.push_back({course, teacher, segment.room.empty() ? room : segment.room,
                                       segment.weeks,
                                       segment.periods ? segment.periods : entry.periods, weekday});
        }
    }

    std::span<const CellPiece> m_pieces;
    std::span<const EntryField> m_order;
    int m_slots;
};

} // namespace

OrderedReading readInOrder(std::span<const CellPiece> pieces, std::span<const EntryField> order) {
    return OrderAligner(pieces, order).read();
}

} // namespace orvanto::imports
