#include "imports/entries/ClassCell.h"

#include "imports/entries/CellLines.h"
#include "imports/entries/FieldVocabulary.h"
#include "imports/entries/ImportText.h"
#include "imports/entries/LineText.h"
#include "imports/entries/PeriodText.h"
#include "imports/entries/WeeksLine.h"

#include <algorithm>
#include <array>

namespace orvanto::imports {

namespace {

// ---- Classes of a block ---------------------------------------------------------------------

enum class Field { Teacher, Room };

// Lines a class of this kind has before its weeks line: course and teacher, or the course alone.
std::size_t leadingLines(const WeeksLine& weeksLine) {
    return weeksLine.form == WeeksLineForm::Weeks || weeksLine.form == WeeksLineForm::WeeksRoom ? 2
                                                                                                : 1;
}

// Fields a class of this kind has after its weeks line.
std::vector<Field> trailingFields(const WeeksLine& weeksLine) {
    if (weeksLine.form == WeeksLineForm::When) {
        return {Field::Teacher, Field::Room};
    }
    return weeksLine.segments.back().room.empty() ? std::vector{Field::Room} : std::vector<Field>{};
}

// "大学英语(0012) (王芳)": the last bracketed group, set off by a blank or following another
// group, names the teacher.
std::pair<std::string, std::string> courseAndTeacher(std::string_view text) {
    const LineText line(text);
    if (line.size() < 3 || line.at(line.size() - 1) != U')') {
        return {std::string(text), {}};
    }
    int depth = 0;
    std::size_t open = line.size();
    for (std::size_t i = line.size(); i-- > 0;) {
        depth += line.at(i) == U')' ? 1 : line.at(i) == U'(' ? -1 : 0;
        if (depth == 0) {
            open = i;
            break;
        }
    }
    if (open == line.size() || open == 0 ||
        (!isBlank(line.at(open - 1)) && line.at(open - 1) != U')')) {
        return {std::string(text), {}};
    }
    std::string course = line.trimmed(0, open);
    if (course.empty()) {
        return {std::string(text), {}};
    }
    return {std::move(course), line.trimmed(open + 1, line.size() - 1)};
}

// The text after "教师：" or "地点：" when a field line carries such a label; the label decides
// the field, whatever line order the export uses.
std::optional<std::pair<Field, std::string>> labelledField(std::string_view text) {
    const auto labelled = readLabelledText(text);
    if (!labelled ||
        (labelled->field != LabelledField::Teacher && labelled->field != LabelledField::Room)) {
        return std::nullopt;
    }
    return std::pair{labelled->field == LabelledField::Teacher ? Field::Teacher : Field::Room,
                     std::string(labelled->value)};
}

void placeLabelledFields(std::string& teacher, std::string& room) {
    const auto fromTeacher = labelledField(teacher);
    const auto fromRoom = labelledField(room);
    for (const auto& labelled : {fromTeacher, fromRoom}) {
        if (labelled) {
            (labelled->first == Field::Teacher ? teacher : room) = labelled->second;
        }
    }
    // A line that named the other field leaves its own empty.
    if (fromTeacher && fromTeacher->first == Field::Room &&
        !(fromRoom && fromRoom->first == Field::Teacher)) {
        teacher.clear();
    }
    if (fromRoom && fromRoom->first == Field::Teacher &&
        !(fromTeacher && fromTeacher->first == Field::Room)) {
        room.clear();
    }
}

struct BlockLine {
    std::size_t index = 0; // in the cell
    std::string_view text;
    std::optional<WeeksLine> weeksLine;
    std::optional<SmallPeriods> periods;  // a line of periods alone, "第1-2节"
    std::vector<std::size_t> periodLines; // of a weeks line: those that gave its periods
};

// A line naming periods alone ("第1-2节", "3-4节") belongs to the class whose weeks line it
// follows, or else to the first one after it; it is no field of its own. Returns the lines
// left, of which the classes are read.
std::vector<BlockLine> withPeriodsPlaced(std::vector<BlockLine>& block) {
    std::optional<std::size_t> lastWeeksLine;
    std::vector<std::size_t> waiting;
    const auto place = [&block](std::size_t periodLine, std::size_t weeksAt) {
        BlockLine& carrier = block[weeksAt];
        bool placed = false;
        for (WeeksSegment& segment : carrier.weeksLine->segments) {
            if (!segment.periods) {
                segment.periods = block[periodLine].periods;
                placed = true;
            }
        }
        if (placed) { // else the weeks line named its own, and this line stays unread
            carrier.periodLines.push_back(block[periodLine].index);
        }
    };
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (block[i].weeksLine) {
            for (const std::size_t line : waiting) {
                place(line, i);
            }
            waiting.clear();
            lastWeeksLine = i;
        } else if (block[i].periods) {
            if (lastWeeksLine) {
                place(i, *lastWeeksLine);
            } else {
                waiting.push_back(i);
            }
        }
    }
    // Lines still waiting stand in a block without weeks: they stay, to be unread with it.
    std::vector<BlockLine> fields;
    for (BlockLine& line : block) {
        if (!line.periods || !waiting.empty()) {
            fields.push_back(std::move(line));
        }
    }
    return fields;
}

class BlockReader {
  public:
    BlockReader(const std::vector<BlockLine>& lines, std::vector<bool>& used,
                std::vector<CellClass>& classes)
        : m_lines(lines), m_used(used), m_classes(classes) {}

    void read() {
        std::vector<std::size_t> weeksLines;
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].weeksLine) {
                weeksLines.push_back(i);
            }
        }
        if (weeksLines.empty()) {
            return;
        }
        // Whether the first class names a teacher before its weeks: then the others of the
        // block are read so too when the lines between two classes leave a choice.
        const WeeksLine& first = *m_lines[weeksLines.front()].weeksLine;
        m_teachersLead = leadingLines(first) == 2 && weeksLines.front() >= 2;
        std::vector<Span> leads(weeksLines.size());
        std::vector<Span> trails(weeksLines.size());
        std::vector<bool> inherits(weeksLines.size(), false);
        leads[0] = lastLines(0, weeksLines[0], leadingLines(first));
        for (std::size_t a = 0; a + 1 < weeksLines.size(); ++a) {
            const WeeksLine& next = *m_lines[weeksLines[a + 1]].weeksLine;
            const std::size_t from = weeksLines[a] + 1;
            const std::size_t count = weeksLines[a + 1] - from;
            if (count == 0) {
                inherits[a + 1] = true; // "1-8周[1-2节]A101" then "9-16周[3-4节]B202"
                continue;
            }
            const std::size_t trailSlots = trailingFields(*m_lines[weeksLines[a]].weeksLine).size();
            const std::size_t leadSlots = leadingLines(next);
            std::size_t leadCount = 0;
            if (count >= trailSlots + leadSlots) {
                leadCount = leadSlots;
            } else if (leadSlots == 2 && m_teachersLead) {
                leadCount = std::min<std::size_t>(count, 2);
            } else {
                leadCount = count > trailSlots ? count - trailSlots : 1;
            }
            const std::size_t trailCount = std::min(trailSlots, count - leadCount);
            trails[a] = {from, trailCount};
            leads[a + 1] = {from + count - leadCount, leadCount};
        }
        const std::size_t lastFrom = weeksLines.back() + 1;
        trails.back() = {lastFrom,
                         std::min(trailingFields(*m_lines[weeksLines.back()].weeksLine).size(),
                                  m_lines.size() - lastFrom)};
        for (std::size_t a = 0; a < weeksLines.size(); ++a) {
            buildClasses(weeksLines[a], leads[a], trails[a], inherits[a]);
        }
    }

  private:
    struct Span {
        std::size_t from = 0;
        std::size_t count = 0;
    };

    Span lastLines(std::size_t from, std::size_t to, std::size_t most) const {
        const std::size_t count = std::min(most, to - from);
        return {to - count, count};
    }

    std::string_view take(std::size_t i) {
        m_used[m_lines[i].index] = true;
        return m_lines[i].text;
    }

    void buildClasses(std::size_t weeksAt, Span lead, Span trail, bool inherits) {
        const WeeksLine& weeksLine = *m_lines[weeksAt].weeksLine;
        std::string course;
        std::string teacher;
        if (inherits && m_lastClass) {
            course = m_lastClass->course;
            teacher = m_lastClass->teacher;
        } else if (lead.count == 0) {
            m_lastClass.reset(); // no course line: its lines stay unread
            return;
        } else if (weeksLine.form == WeeksLineForm::Bracketed) {
            auto [bracketedCourse, bracketedTeacher] = courseAndTeacher(take(lead.from));
            course = std::move(bracketedCourse);
            teacher = std::move(bracketedTeacher);
        } else {
            course = take(lead.from);
            if (lead.count == 2) {
                teacher = take(lead.from + 1);
            }
        }
        take(weeksAt);
        for (const std::size_t periodLine : m_lines[weeksAt].periodLines) {
            m_used[periodLine] = true;
        }
        if (weeksLine.teacher) {
            teacher = *weeksLine.teacher;
        }
        std::string room;
        const std::vector<Field> fields = trailingFields(weeksLine);
        for (std::size_t k = 0; k < trail.count; ++k) {
            (fields[k] == Field::Teacher ? teacher : room) = take(trail.from + k);
        }
        placeLabelledFields(teacher, room);
        for (const WeeksSegment& segment : weeksLine.segments) {
            m_classes.push_back({course, teacher, segment.room.empty() ? room : segment.room,
                                 segment.weeks, segment.periods, weeksLine.weekday});
        }
        m_lastClass = m_classes.back();
    }

    const std::vector<BlockLine>& m_lines;
    std::vector<bool>& m_used;
    std::vector<CellClass>& m_classes;
    bool m_teachersLead = false;
    std::optional<CellClass> m_lastClass;
};

} // namespace

CellReading readClassCell(std::string_view text, bool blankLinesPart) {
    const std::vector<std::string_view> lines = linesOf(text);
    std::vector<bool> used(lines.size(), false);
    CellReading reading;
    std::vector<BlockLine> block;
    const auto readBlock = [&] {
        const std::vector<BlockLine> fields = withPeriodsPlaced(block);
        BlockReader(fields, used, reading.classes).read();
        block.clear();
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty() && !blankLinesPart) {
            used[i] = true;
        } else if (line.empty() || isDashLine(line)) {
            used[i] = true;
            readBlock();
        } else if (isDetailLine(line)) {
            used[i] = true;
            reading.details.emplace_back(line);
        } else if (const auto periods = periodsLine(line)) {
            block.push_back({i, line, std::nullopt, periods, {}});
        } else {
            block.push_back({i, line, readWeeksLine(line), std::nullopt, {}});
        }
    }
    readBlock();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!used[i]) {
            reading.unread.emplace_back(lines[i]);
        }
    }
    return reading;
}

} // namespace orvanto::imports
