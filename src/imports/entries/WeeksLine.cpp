#include "imports/entries/WeeksLine.h"

#include "imports/entries/FieldVocabulary.h"
#include "imports/entries/ImportText.h"
#include "imports/entries/LineText.h"
#include "imports/entries/PeriodText.h"
#include "imports/entries/WeekText.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace orvanto::imports {

namespace {

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
WeeksSegment segmentAfterWeeks(const LineText& line, WeekSet weeks, std::size_t from,
                               std::size_t end, const std::vector<BracketPair>& pairs) {
    WeeksSegment segment{weeks, {}, std::nullopt};
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
std::optional<WeeksLine> readWeeksRoom(const LineText& line,
                                       const std::vector<BracketPair>& pairs) {
    // The periods' bracket is among the first few; trying only those keeps a line of many
    // brackets from being read again and again.
    constexpr std::size_t kTries = 4;
    for (std::size_t k = 0; k < pairs.size() && k < kTries; ++k) {
        if (pairs[k].open == 0 || !periodsIn(line, pairs[k])) {
            continue;
        }
        if (const auto weeks = readWeekText(line.slice(0, pairs[k].open))) {
            return WeeksLine{WeeksLineForm::WeeksRoom,
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
std::optional<WeeksLine> readTeacherWeeksRoom(const LineText& line,
                                              const std::vector<BracketPair>& pairs) {
    WeeksLine result{WeeksLineForm::TeacherWeeksRoom, {}, std::nullopt};
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
            result.segments.push_back(
                segmentAfterWeeks(line, *openWeeks, segmentStart, before - 1, pairs));
        } else {
            result.teacher = line.trimmed(0, pair.open);
        }
        openWeeks = weeks->first;
        segmentStart = weeks->second;
    }
    if (!openWeeks) {
        return std::nullopt;
    }
    result.segments.push_back(
        segmentAfterWeeks(line, *openWeeks, segmentStart, line.size(), pairs));
    return result;
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

// "(1-16,外语楼201)", "(1-8,10-16,A101)", "(1-16  二教106(成都校区))": the weeks are the longest
// start that reads as weeks and ends at a comma or a blank; the room is everything after it.
std::optional<WeeksLine> readBracketed(const LineText& line) {
    if (line.size() < 3) {
        return std::nullopt;
    }
    const std::size_t last = line.size() - 1;
    if (line.at(0) != U'(' || line.at(last) != U')') {
        return std::nullopt;
    }
    const auto weeks =
        weeksBeforeSeparator(line, 1, last, [](char32_t c) { return c == U',' || isBlank(c); });
    if (!weeks) {
        return std::nullopt;
    }
    return WeeksLine{
        WeeksLineForm::Bracketed,
        {WeeksSegment{weeks->first, line.trimmed(weeks->second + 1, last), std::nullopt}},
        std::nullopt};
}

// "1-16周 A101", "3-8 11-12 教2-301": weeks, a blank, the room.
std::optional<WeeksLine> readWeeksBlankRoom(const LineText& line) {
    const auto weeks = weeksBeforeSeparator(line, 0, line.size(), isBlank);
    if (!weeks) {
        return std::nullopt;
    }
    return WeeksLine{
        WeeksLineForm::WeeksRoom,
        {WeeksSegment{weeks->first, line.trimmed(weeks->second + 1, line.size()), std::nullopt}},
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
std::optional<WeeksLine> readWhen(const LineText& line) {
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
            return WeeksLine{
                WeeksLineForm::When, {WeeksSegment{*weeks, {}, periods}}, std::nullopt, weekday};
        }
    }
    return std::nullopt;
}

// "1-16周(1-2节)A101" and "(1-2节)1-16周": periods in round brackets beside the week text. A
// bracket counts only when it names periods with 节, so "1-16(单)" stays a week text.
std::optional<WeeksLine> readRoundBracketPeriods(const LineText& line) {
    std::size_t open = 0;
    while (open < line.size() && line.at(open) != U'(') {
        ++open;
    }
    std::size_t close = open;
    while (close < line.size() && line.at(close) != U')') {
        ++close;
    }
    if (close >= line.size()) {
        return std::nullopt;
    }
    const std::string_view inside = line.slice(open + 1, close);
    const auto periods = readPeriodLabel(inside);
    if (!periods || inside.find("节") == std::string_view::npos) {
        return std::nullopt;
    }
    std::optional<WeeksLine> read;
    if (open == 0) {
        read = readWeeksLine(line.slice(close + 1, line.size()));
    } else if (const auto weeks = readWeekText(line.slice(0, open))) {
        read = WeeksLine{WeeksLineForm::WeeksRoom,
                         {WeeksSegment{*weeks, line.trimmed(close + 1, line.size()), std::nullopt}},
                         std::nullopt};
    }
    if (!read || read->form == WeeksLineForm::When) {
        return std::nullopt;
    }
    for (WeeksSegment& segment : read->segments) {
        segment.periods = periods;
    }
    return read;
}

// "周次：1-16周": a labelled week text, as some exports write each field of a class.
std::string_view withoutWeeksLabel(std::string_view text) {
    const auto labelled = readLabelledText(text);
    return labelled && labelled->field == LabelledField::Weeks ? labelled->value : text;
}

} // namespace

std::optional<WeeksLine> readWeeksLine(std::string_view text) {
    text = withoutWeeksLabel(text);
    if (const auto weeks = readWeekText(text)) {
        return WeeksLine{
            WeeksLineForm::Weeks, {WeeksSegment{*weeks, {}, std::nullopt}}, std::nullopt};
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
    if (auto roundBracketPeriods = readRoundBracketPeriods(line)) {
        return roundBracketPeriods;
    }
    return readWeeksBlankRoom(line);
}

} // namespace orvanto::imports
