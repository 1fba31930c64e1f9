#include "ClassCell.h"

#include "ImportText.h"
#include "PeriodText.h"
#include "WeekText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orvanto::imports {

namespace {

// ---- Lines ---------------------------------------------------------------------------------

// Length of a literal "<br>", "<br/>", "<br />" or "</br>" (any case) at text[i]; 0 if none.
std::size_t breakTagLength(std::string_view text, std::size_t i) {
    std::size_t j = i + 1;
    if (j < text.size() && text[j] == '/') {
        ++j;
    }
    if (j + 2 > text.size() || (text[j] != 'b' && text[j] != 'B') ||
        (text[j + 1] != 'r' && text[j + 1] != 'R')) {
        return 0;
    }
    j += 2;
    while (j < text.size() && text[j] == ' ') {
        ++j;
    }
    if (j < text.size() && text[j] == '/') {
        ++j;
    }
    while (j < text.size() && text[j] == ' ') {
        ++j;
    }
    return j < text.size() && text[j] == '>' ? j + 1 - i : 0;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        if (text[i] == '\n') {
            length = 1;
        } else if (text[i] == '\r') {
            length = i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        } else if (text[i] == '<') {
            length = breakTagLength(text, i);
        }
        if (length == 0) {
            ++i;
            continue;
        }
        lines.push_back(trimBlanks(text.substr(start, i - start)));
        i += length;
        start = i;
    }
    lines.push_back(trimBlanks(text.substr(start)));
    return lines;
}

// A line of dashes ("-----", "——", "───", "=====", "*****") parts the classes of a cell as
// a blank line does.
bool isDashLine(std::string_view line) {
    const auto points = codePointsOf(line);
    return points.size() >= 2 && std::all_of(points.begin(), points.end(), [](CodePoint p) {
               const char32_t c = foldWidth(p.value);
               return c == U'-' || c == U'_' || c == U'=' || c == U'*' || c == U'~' ||
                      c == 0x2014 || c == 0x2013 || c == 0x2500 || c == 0x2501;
           });
}

// "08:00-09:40", "8:00 ~ 8:45": the hours of the row, which its periods already say.
bool isClockLine(std::string_view line) {
    std::u32string text;
    for (const CodePoint& point : codePointsOf(line)) {
        if (const char32_t c = foldWidth(point.value); !isBlank(c)) {
            text.push_back(c);
        }
    }
    std::size_t at = 0;
    const auto digits = [&text, &at] {
        std::size_t count = 0;
        for (; at < text.size() && count < 2 && text[at] >= U'0' && text[at] <= U'9'; ++at) {
            ++count;
        }
        return count;
    };
    const auto time = [&] {
        if (digits() == 0 || at == text.size() || text[at] != U':') {
            return false;
        }
        ++at;
        return digits() == 2;
    };
    if (!time()) {
        return false;
    }
    if (at < text.size() &&
        (text[at] == U'-' || text[at] == U'~' || text[at] == 0x2013 || text[at] == 0x2014)) {
        ++at;
        if (!time()) {
            return false;
        }
    }
    return at == text.size();
}

// "第1-2节", "3-4节", "第一大节": periods with their 节, so that "12" stays a room.
std::optional<SmallPeriods> periodsAlone(std::string_view line) {
    if (line.find("节") == std::string_view::npos) {
        return std::nullopt;
    }
    return readPeriodLabel(line);
}

// "选课人数(121)", "学分:3": facts about a class the timetable has no place for.
bool isExtraLine(std::string_view line) {
    if (isClockLine(line)) {
        return true;
    }
    static constexpr std::array<std::string_view, 25> kLabels = {
        "选课人数", "上课人数", "教学班人数", "已选人数", "人数",     "容量",       "学分",
        "总学时",   "周学时",   "学时",       "考核方式", "考试方式", "考核",       "课程性质",
        "课程类别", "课程属性", "课程号",     "课程代码", "课程编号", "教学班组成", "教学班名称",
        "教学班",   "上课班级", "班级",       "备注"};
    for (const std::string_view label : kLabels) {
        if (!line.starts_with(label)) {
            continue;
        }
        const std::string_view rest = trimBlanks(line.substr(label.size()));
        const auto points = codePointsOf(rest.substr(0, 4));
        if (points.empty()) {
            return false;
        }
        const char32_t next = foldWidth(points.front().value);
        return next == U':' || next == U'(' || (next >= U'0' && next <= U'9');
    }
    return false;
}

// ---- The line that carries a class's weeks --------------------------------------------------

enum class AnchorKind {
    Weeks,            // "1-16周"
    WeeksRoom,        // "1-16周[1-2节]A101"
    TeacherWeeksRoom, // "李四[1-16]周教2-301", "王五[1-3]周A432，[4]周校外"
    Bracketed,        // "(1-16,外语楼201)", the teacher on the course line
    When,             // "周一第1,2节{第1-16周}", teacher and room on the lines after
};

struct Segment {
    WeekSet weeks;
    std::string room;
    std::optional<SmallPeriods> periods;
};

struct Anchor {
    AnchorKind kind = AnchorKind::Weeks;
    std::vector<Segment> segments;
    std::optional<std::string> teacher;        // when the line names it
    std::optional<int> weekday = std::nullopt; // likewise
};

// A line as code points, with byte slicing by code point index.
class LineText {
  public:
    explicit LineText(std::string_view text) : m_text(text), m_points(codePointsOf(text)) {}

    std::size_t size() const { return m_points.size(); }
    char32_t at(std::size_t i) const { return foldWidth(m_points[i].value); }
    std::string_view slice(std::size_t from, std::size_t to) const {
        const std::size_t begin = from < size() ? m_points[from].offset : m_text.size();
        const std::size_t end = to < size() ? m_points[to].offset : m_text.size();
        return m_text.substr(begin, end - begin);
    }
    std::string trimmed(std::size_t from, std::size_t to) const {
        return std::string(trimBlanks(slice(from, to)));
    }

  private:
    std::string_view m_text;
    std::vector<CodePoint> m_points;
};

struct BracketPair {
    std::size_t open = 0; // code point indices of '[' and ']'
    std::size_t close = 0;
};

// Innermost square-bracket pairs in order; they never overlap, so scanning them stays linear.
std::vector<BracketPair> squareBrackets(const LineText& line) {
    std::vector<BracketPair> pairs;
    constexpr std::size_t kNoneOpen = std::string_view::npos;
    std::size_t open = kNoneOpen;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char32_t c = line.at(i);
        if (c == U'[' || c == U'【') {
            open = i;
        } else if ((c == U']' || c == U'】') && open != kNoneOpen) {
            pairs.push_back({open, i});
            open = kNoneOpen;
        }
    }
    return pairs;
}

std::optional<SmallPeriods> periodsIn(const LineText& line, BracketPair pair) {
    return readPeriodLabel(line.slice(pair.open + 1, pair.close));
}

// After the weeks: an optional "[1-2节]", then the room up to `end`.
Segment segmentAfterWeeks(const LineText& line, WeekSet weeks, std::size_t from, std::size_t end,
                          const std::vector<BracketPair>& pairs) {
    Segment segment{weeks, {}, std::nullopt};
    std::size_t roomStart = from;
    while (roomStart < end && isBlank(line.at(roomStart))) {
        ++roomStart;
    }
    const auto periods =
        std::lower_bound(pairs.begin(), pairs.end(), roomStart,
                         [](const BracketPair& p, std::size_t at) { return p.open < at; });
    if (periods != pairs.end() && periods->open == roomStart && periods->close < end) {
        segment.periods = periodsIn(line, *periods);
        if (segment.periods) {
            roomStart = periods->close + 1;
        }
    }
    segment.room = line.trimmed(roomStart, end);
    return segment;
}

// "1-16周[1-2节]A101": a week text, then periods in square brackets, then the room.
std::optional<Anchor> readWeeksRoom(const LineText& line, const std::vector<BracketPair>& pairs) {
    // The periods' bracket is among the first few; trying only those keeps a line of many
    // brackets from being read again and again.
    constexpr std::size_t kTries = 4;
    for (std::size_t k = 0; k < pairs.size() && k < kTries; ++k) {
        if (pairs[k].open == 0 || !periodsIn(line, pairs[k])) {
            continue;
        }
        if (const auto weeks = readWeekText(line.slice(0, pairs[k].open))) {
            return Anchor{AnchorKind::WeeksRoom,
                          {segmentAfterWeeks(line, *weeks, pairs[k].open, line.size(), pairs)},
                          std::nullopt};
        }
    }
    return std::nullopt;
}

// The weeks of "[1-16]周", "[1-15]单周" or "[1-16周]" at a bracket pair, and where they end.
std::optional<std::pair<WeekSet, std::size_t>> bracketedWeeks(const LineText& line,
                                                              BracketPair pair) {
    std::size_t end = pair.close + 1;
    bool namesWeeks = false;
    while (end < line.size() &&
           (line.at(end) == U'周' || line.at(end) == U'单' || line.at(end) == U'双')) {
        namesWeeks = namesWeeks || line.at(end) == U'周';
        ++end;
    }
    for (std::size_t i = pair.open + 1; i < pair.close && !namesWeeks; ++i) {
        namesWeeks = line.at(i) == U'周';
    }
    if (!namesWeeks) {
        return std::nullopt; // "体育[2]" is a course, not weeks
    }
    const auto weeks = readWeekText(line.slice(pair.open, end));
    if (!weeks) {
        return std::nullopt;
    }
    return std::pair{*weeks, end};
}

// "李四[1-16]周教2-301"; "[18]周 体育馆" without a teacher; "王五[1-3，5-16]周A432，[4]周校外"
// one segment per room.
std::optional<Anchor> readTeacherWeeksRoom(const LineText& line,
                                           const std::vector<BracketPair>& pairs) {
    Anchor anchor{AnchorKind::TeacherWeeksRoom, {}, std::nullopt};
    std::size_t segmentStart = 0; // code point index where the open segment's weeks end
    std::optional<WeekSet> openWeeks;
    for (const BracketPair& pair : pairs) {
        if (pair.open < segmentStart) {
            continue;
        }
        std::size_t before = pair.open;
        while (before > segmentStart && isBlank(line.at(before - 1))) {
            --before;
        }
        const bool afterComma =
            before > segmentStart && (line.at(before - 1) == U',' || line.at(before - 1) == U'、');
        if (openWeeks && !afterComma) {
            continue; // a bracket inside the room's name
        }
        const auto weeks = bracketedWeeks(line, pair);
        if (!weeks) {
            continue;
        }
        if (openWeeks) {
            anchor.segments.push_back(
                segmentAfterWeeks(line, *openWeeks, segmentStart, before - 1, pairs));
        } else {
            anchor.teacher = line.trimmed(0, pair.open);
        }
        openWeeks = weeks->first;
        segmentStart = weeks->second;
    }
    if (!openWeeks) {
        return std::nullopt;
    }
    anchor.segments.push_back(
        segmentAfterWeeks(line, *openWeeks, segmentStart, line.size(), pairs));
    return anchor;
}

// The longest start of line[from, to) that reads as weeks and ends before a separator, with
// that separator's index. The weeks end before the first character no week text has; the
// separators before it are tried from the right, a few only, so a long line stays linear.
std::optional<std::pair<WeekSet, std::size_t>> weeksBeforeSeparator(const LineText& line,
                                                                    std::size_t from,
                                                                    std::size_t to,
                                                                    bool (*isSeparator)(char32_t)) {
    std::size_t limit = from;
    while (limit < to && isWeekTextCharacter(line.at(limit))) {
        ++limit;
    }
    constexpr int kTries = 8;
    int tries = 0;
    for (std::size_t i = std::min(limit, to - 1); i > from && tries < kTries; --i) {
        if (!isSeparator(line.at(i))) {
            continue;
        }
        ++tries;
        if (const auto weeks = readWeekText(line.slice(from, i))) {
            return std::pair{*weeks, i};
        }
    }
    return std::nullopt;
}

// "(1-16,外语楼201)", "(1-8,10-16,A101)": the weeks are the longest start that reads as weeks
// and ends at a comma; the room is everything after that comma.
std::optional<Anchor> readBracketed(const LineText& line) {
    if (line.size() < 3) {
        return std::nullopt;
    }
    const std::size_t last = line.size() - 1;
    if (line.at(0) != U'(' || line.at(last) != U')') {
        return std::nullopt;
    }
    const auto weeks = weeksBeforeSeparator(line, 1, last, [](char32_t c) { return c == U','; });
    if (!weeks) {
        return std::nullopt;
    }
    return Anchor{AnchorKind::Bracketed,
                  {Segment{weeks->first, line.trimmed(weeks->second + 1, last), std::nullopt}},
                  std::nullopt};
}

// "1-16周 A101", "3-8 11-12 教2-301": weeks, a blank, the room.
std::optional<Anchor> readWeeksBlankRoom(const LineText& line) {
    const auto weeks = weeksBeforeSeparator(line, 0, line.size(), isBlank);
    if (!weeks) {
        return std::nullopt;
    }
    return Anchor{
        AnchorKind::WeeksRoom,
        {Segment{weeks->first, line.trimmed(weeks->second + 1, line.size()), std::nullopt}},
        std::nullopt};
}

// The weeks in braces of a classic time line, also with the hours a week appended
// ("{第1-16周|2节/周}"), which the periods already say.
std::optional<WeekSet> weeksInBraces(const LineText& line, std::size_t brace) {
    if (auto weeks = readWeekText(line.slice(brace, line.size()))) {
        return weeks;
    }
    std::size_t bar = line.size();
    while (bar > brace && line.at(bar - 1) != U'|') {
        --bar;
    }
    const std::string_view hours = line.slice(bar, line.size());
    if (bar == brace || !hours.ends_with("节/周}") ||
        !std::isdigit(static_cast<unsigned char>(hours[0]))) {
        return std::nullopt;
    }
    return readWeekText(std::string(line.slice(brace, bar - 1)) + "}");
}

// "周一第1,2节{第1-16周}", "星期二第3-4节{第1-15周|单周}": weekday, periods, weeks in braces.
std::optional<Anchor> readWhen(const LineText& line) {
    std::size_t brace = 0;
    while (brace < line.size() && line.at(brace) != U'{') {
        ++brace;
    }
    if (brace == 0 || brace == line.size()) {
        return std::nullopt;
    }
    const auto weeks = weeksInBraces(line, brace);
    if (!weeks) {
        return std::nullopt;
    }
    for (const std::size_t dayLength : {std::size_t{0}, std::size_t{2}, std::size_t{3}}) {
        if (dayLength >= brace) {
            break;
        }
        const auto weekday =
            dayLength > 0 ? readWeekdayName(line.slice(0, dayLength)) : std::nullopt;
        if (dayLength > 0 && !weekday) {
            continue;
        }
        if (const auto periods = readPeriodLabel(line.slice(dayLength, brace))) {
            return Anchor{AnchorKind::When, {Segment{*weeks, {}, periods}}, std::nullopt, weekday};
        }
    }
    return std::nullopt;
}

std::optional<Anchor> readAnchor(std::string_view text) {
    if (const auto weeks = readWeekText(text)) {
        return Anchor{AnchorKind::Weeks, {Segment{*weeks, {}, std::nullopt}}, std::nullopt};
    }
    const LineText line(text);
    if (auto when = readWhen(line)) {
        return when;
    }
    const auto pairs = squareBrackets(line);
    if (auto weeksRoom = readWeeksRoom(line, pairs)) {
        return weeksRoom;
    }
    if (auto bracketed = readBracketed(line)) {
        return bracketed;
    }
    if (auto teacherWeeksRoom = readTeacherWeeksRoom(line, pairs)) {
        return teacherWeeksRoom;
    }
    return readWeeksBlankRoom(line);
}

// ---- Classes of a block ---------------------------------------------------------------------

enum class Field { Teacher, Room };

// Lines a class of this kind has before its weeks line: course and teacher, or the course alone.
std::size_t leadingLines(const Anchor& anchor) {
    return anchor.kind == AnchorKind::Weeks || anchor.kind == AnchorKind::WeeksRoom ? 2 : 1;
}

// Fields a class of this kind has after its weeks line.
std::vector<Field> trailingFields(const Anchor& anchor) {
    if (anchor.kind == AnchorKind::When) {
        return {Field::Teacher, Field::Room};
    }
    return anchor.segments.back().room.empty() ? std::vector{Field::Room} : std::vector<Field>{};
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

struct BlockLine {
    std::size_t index = 0; // in the cell
    std::string_view text;
    std::optional<Anchor> anchor;
    std::optional<SmallPeriods> periods;  // a line of periods alone, "第1-2节"
    std::vector<std::size_t> periodLines; // of the anchor: those that gave its periods
};

// A line naming periods alone ("第1-2节", "3-4节") belongs to the class whose weeks line it
// follows, or else to the first one after it; it is no field of its own. Returns the lines
// left, of which the classes are read.
std::vector<BlockLine> withPeriodsPlaced(std::vector<BlockLine>& block) {
    std::optional<std::size_t> lastAnchor;
    std::vector<std::size_t> waiting;
    const auto place = [&block](std::size_t periodLine, std::size_t anchorLine) {
        BlockLine& carrier = block[anchorLine];
        bool placed = false;
        for (Segment& segment : carrier.anchor->segments) {
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
        if (block[i].anchor) {
            for (const std::size_t line : waiting) {
                place(line, i);
            }
            waiting.clear();
            lastAnchor = i;
        } else if (block[i].periods) {
            if (lastAnchor) {
                place(i, *lastAnchor);
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
        std::vector<std::size_t> anchors;
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].anchor) {
                anchors.push_back(i);
            }
        }
        if (anchors.empty()) {
            return;
        }
        // Whether the first class names a teacher before its weeks: then the others of the
        // block are read so too when the lines between two classes leave a choice.
        const Anchor& first = *m_lines[anchors.front()].anchor;
        m_teachersLead = leadingLines(first) == 2 && anchors.front() >= 2;
        std::vector<Span> leads(anchors.size());
        std::vector<Span> trails(anchors.size());
        std::vector<bool> inherits(anchors.size(), false);
        leads[0] = lastLines(0, anchors[0], leadingLines(first));
        for (std::size_t a = 0; a + 1 < anchors.size(); ++a) {
            const Anchor& next = *m_lines[anchors[a + 1]].anchor;
            const std::size_t from = anchors[a] + 1;
            const std::size_t count = anchors[a + 1] - from;
            if (count == 0) {
                inherits[a + 1] = true; // "1-8周[1-2节]A101" then "9-16周[3-4节]B202"
                continue;
            }
            const std::size_t trailSlots = trailingFields(*m_lines[anchors[a]].anchor).size();
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
        const std::size_t lastFrom = anchors.back() + 1;
        trails.back() = {lastFrom, std::min(trailingFields(*m_lines[anchors.back()].anchor).size(),
                                            m_lines.size() - lastFrom)};
        for (std::size_t a = 0; a < anchors.size(); ++a) {
            buildClasses(anchors[a], leads[a], trails[a], inherits[a]);
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

    void buildClasses(std::size_t anchorLine, Span lead, Span trail, bool inherits) {
        const Anchor& anchor = *m_lines[anchorLine].anchor;
        std::string course;
        std::string teacher;
        if (inherits && m_lastClass) {
            course = m_lastClass->course;
            teacher = m_lastClass->teacher;
        } else if (lead.count == 0) {
            m_lastClass.reset(); // no course line: its lines stay unread
            return;
        } else if (anchor.kind == AnchorKind::Bracketed) {
            auto [bracketedCourse, bracketedTeacher] = courseAndTeacher(take(lead.from));
            course = std::move(bracketedCourse);
            teacher = std::move(bracketedTeacher);
        } else {
            course = take(lead.from);
            if (lead.count == 2) {
                teacher = take(lead.from + 1);
            }
        }
        take(anchorLine);
        for (const std::size_t periodLine : m_lines[anchorLine].periodLines) {
            m_used[periodLine] = true;
        }
        if (anchor.teacher) {
            teacher = *anchor.teacher;
        }
        std::string room;
        const std::vector<Field> fields = trailingFields(anchor);
        for (std::size_t k = 0; k < trail.count; ++k) {
            (fields[k] == Field::Teacher ? teacher : room) = take(trail.from + k);
        }
        for (const Segment& segment : anchor.segments) {
            m_classes.push_back({course, teacher, segment.room.empty() ? room : segment.room,
                                 segment.weeks, segment.periods, anchor.weekday});
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

CellReading readClassCell(std::string_view text) {
    const std::vector<std::string_view> lines = splitLines(text);
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
        if (line.empty() || isDashLine(line)) {
            used[i] = true;
            readBlock();
        } else if (isExtraLine(line)) {
            used[i] = true;
        } else if (const auto periods = periodsAlone(line)) {
            block.push_back({i, line, std::nullopt, periods, {}});
        } else {
            block.push_back({i, line, readAnchor(line), std::nullopt, {}});
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
