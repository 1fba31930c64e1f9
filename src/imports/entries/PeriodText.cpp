#include "imports/entries/PeriodText.h"

#include "imports/entries/ImportText.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

namespace orvanto::imports {

namespace {

// Past what any school counts in a day: 第二十节 would be a typo, not a period.
constexpr int kMaxSmallPeriod = 20;

bool isAsciiDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

bool isRangeOrListMark(char32_t c) {
    return c == U'-' || c == U'~' || c == U',' || c == U'、' || c == U'至' || c == 0x2013 ||
           c == 0x2014;
}

// The text with full-width forms folded, blanks and line breaks as single spaces.
std::u32string foldedText(std::string_view text) {
    std::u32string folded;
    for (const CodePoint& point : codePointsOf(text)) {
        const char32_t c = foldWidth(point.value);
        folded.push_back(isBlank(c) || c == U'\r' || c == U'\n' ? U' ' : c);
    }
    return folded;
}

// The text without clock times ("08:00", "8:45"), the dashes or blanks joining two of them,
// blanks, and the brackets left empty: "第1节 (08:00-08:45)" becomes "第1节". minutes, when
// given, receives each time as minutes after midnight.
std::u32string withoutClockTimes(const std::u32string& text, std::vector<int>* minutes = nullptr) {
    std::vector<bool> dropped(text.size(), false);
    std::size_t lastTimeEnd = std::u32string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U':' || i == 0 || !isAsciiDigit(text[i - 1])) {
            continue;
        }
        std::size_t begin = i - 1;
        if (begin > 0 && isAsciiDigit(text[begin - 1])) {
            --begin;
        }
        const bool hourAlone = begin == 0 || !isAsciiDigit(text[begin - 1]);
        const bool twoDigitMinutes = i + 2 < text.size() && isAsciiDigit(text[i + 1]) &&
                                     isAsciiDigit(text[i + 2]) &&
                                     (i + 3 == text.size() || !isAsciiDigit(text[i + 3]));
        if (!hourAlone || !twoDigitMinutes) {
            continue;
        }
        if (lastTimeEnd != std::u32string::npos) {
            bool onlyJoiners = true;
            for (std::size_t k = lastTimeEnd; k < begin && onlyJoiners; ++k) {
                onlyJoiners = text[k] == U' ' || text[k] == U'-' || text[k] == U'~' ||
                              text[k] == U'至' || text[k] == 0x2013 || text[k] == 0x2014;
            }
            for (std::size_t k = lastTimeEnd; onlyJoiners && k < begin; ++k) {
                dropped[k] = true;
            }
        }
        for (std::size_t k = begin; k < i + 3; ++k) {
            dropped[k] = true;
        }
        if (minutes != nullptr) {
            int hour = 0;
            for (std::size_t k = begin; k < i; ++k) {
                hour = hour * 10 + static_cast<int>(text[k] - U'0');
            }
            minutes->push_back(hour * 60 + static_cast<int>(text[i + 1] - U'0') * 10 +
                               static_cast<int>(text[i + 2] - U'0'));
        }
        lastTimeEnd = i + 3;
        i += 2;
    }
    std::u32string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (dropped[i] || text[i] == U' ') {
            continue;
        }
        const bool closesEmptyPair = !kept.empty() && ((kept.back() == U'(' && text[i] == U')') ||
                                                       (kept.back() == U'[' && text[i] == U']') ||
                                                       (kept.back() == U'【' && text[i] == U'】'));
        if (closesEmptyPair) {
            kept.pop_back();
        } else {
            kept.push_back(text[i]);
        }
    }
    return kept;
}

bool startsWith(const std::u32string& text, std::size_t at, std::u32string_view prefix) {
    return text.compare(at, prefix.size(), prefix) == 0;
}

// A Chinese numeral run as the period numbers it lists: "一二" is 1, 2; "十一十二" is 11, 12;
// "九十" is 9, 10 (no school counts twenty periods, so a digit before 十 never multiplies it).
std::size_t readChineseNumbers(const std::u32string& text, std::size_t at,
                               std::vector<int>& numbers) {
    while (at < text.size()) {
        if (text[at] == U'十') {
            int number = 10;
            ++at;
            if (at < text.size() && chineseDigit(text[at]) >= 1) {
                number += chineseDigit(text[at]);
                ++at;
            }
            numbers.push_back(number);
        } else if (chineseDigit(text[at]) >= 1) {
            numbers.push_back(chineseDigit(text[at]));
            ++at;
        } else {
            break;
        }
    }
    return at;
}

struct Label {
    std::vector<int> numbers;
    bool bigPeriods = false;
    bool marked = false; // 第 or 节 written: Chinese numerals then count as periods
    bool chinese = false;
};

// One label from `at`: [上午..] [第] numbers [大节|小节|节] [课]. Returns where it ends.
std::size_t readLabel(const std::u32string& text, std::size_t at, Label& label) {
    static constexpr std::array<std::u32string_view, 8> kDayParts = {
        U"上午", U"下午", U"晚上", U"中午", U"早上", U"早晨", U"晚间", U"夜间"};
    for (const std::u32string_view part : kDayParts) {
        if (startsWith(text, at, part)) {
            at += part.size();
            break;
        }
    }
    bool expectNumber = true;
    while (at < text.size()) {
        if (text[at] == U'第') {
            label.marked = true;
            ++at;
            continue;
        }
        if (expectNumber && isAsciiDigit(text[at])) {
            int number = 0;
            while (at < text.size() && isAsciiDigit(text[at])) {
                number = number > kMaxSmallPeriod ? number : number * 10 + (text[at] - U'0');
                ++at;
            }
            label.numbers.push_back(number);
            expectNumber = false;
        } else if (expectNumber && (text[at] == U'十' || chineseDigit(text[at]) >= 1)) {
            at = readChineseNumbers(text, at, label.numbers);
            label.chinese = true;
            expectNumber = false;
        } else if (!expectNumber && text[at] == U'节' && at + 1 < text.size() &&
                   isRangeOrListMark(text[at + 1])) {
            label.marked = true; // "第1节-第2节"
            ++at;
        } else if (!expectNumber && isRangeOrListMark(text[at])) {
            expectNumber = true;
            ++at;
        } else {
            break;
        }
    }
    if (expectNumber) {
        label.numbers.clear(); // nothing read, or a mark with no number after it
        return at;
    }
    if (startsWith(text, at, U"大节")) {
        label.bigPeriods = true;
        label.marked = true;
        at += 2;
    } else if (startsWith(text, at, U"小节")) {
        label.marked = true;
        at += 2;
    } else if (startsWith(text, at, U"节")) {
        label.marked = true;
        at += 1;
    }
    if (label.marked && startsWith(text, at, U"课")) {
        ++at;
    }
    return at;
}

std::optional<SmallPeriods> periodsOf(const Label& label) {
    if (label.numbers.empty() || (label.chinese && !label.marked)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < label.numbers.size(); ++i) {
        if (label.numbers[i] < 1 || (i > 0 && label.numbers[i] < label.numbers[i - 1])) {
            return std::nullopt;
        }
    }
    SmallPeriods periods{label.numbers.front(), label.numbers.back()};
    if (label.bigPeriods) {
        periods = {2 * periods.first - 1, 2 * periods.last};
    }
    if (periods.last > kMaxSmallPeriod) {
        return std::nullopt;
    }
    return periods;
}

// One name, without blanks, English in lower case.
std::optional<int> weekdayOfName(std::u32string_view name) {
    if (!name.empty() && name.back() == U'.') {
        name.remove_suffix(1);
    }
    static constexpr std::array<std::u32string_view, 7> kEnglish = {
        U"monday", U"tuesday", U"wednesday", U"thursday", U"friday", U"saturday", U"sunday"};
    for (std::size_t day = 0; day < kEnglish.size(); ++day) {
        const std::u32string_view full = kEnglish[day];
        // Monday, Mon, and the four-letter Tues / Thur / Thurs some exports use.
        if (name.size() >= 3 && full.starts_with(name) &&
            (name.size() == 3 || name == U"tues" || name == U"thur" || name == U"thurs" ||
             name == full)) {
            return static_cast<int>(day);
        }
    }
    static constexpr std::array<std::u32string_view, 4> kPrefixes = {U"星期", U"礼拜", U"禮拜",
                                                                     U"周"};
    std::u32string_view day = name;
    for (const std::u32string_view prefix : kPrefixes) {
        if (day.starts_with(prefix)) {
            day.remove_prefix(prefix.size());
            break;
        }
    }
    if (day.size() != 1) {
        return std::nullopt;
    }
    if (day[0] == U'日' || (day[0] == U'天' && day.size() < name.size())) {
        return 6; // 日 alone heads a column too; 天 only after 星期 or 周
    }
    const int digit = chineseDigit(day[0]);
    if (digit >= 1 && digit <= 6 && day[0] != U'两') {
        return digit - 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<SmallPeriods> readPeriodLabel(std::string_view text) {
    const std::u32string label = withoutClockTimes(foldedText(text));
    Label first;
    std::size_t at = readLabel(label, 0, first);
    const auto periods = periodsOf(first);
    if (!periods || at == label.size()) {
        return periods;
    }
    // "第一大节(1-2节)": the small periods beside a big one say more than it.
    if (!first.bigPeriods) {
        return std::nullopt;
    }
    const bool bracketed = label[at] == U'(' || label[at] == U'[';
    Label second;
    at = readLabel(label, at + (bracketed ? 1 : 0), second);
    if (bracketed && at < label.size() && (label[at] == U')' || label[at] == U']')) {
        ++at;
    }
    const auto smallPeriods = periodsOf(second);
    if (!smallPeriods || !second.marked || at != label.size()) {
        return std::nullopt;
    }
    return smallPeriods;
}

std::optional<int> readClockRange(std::string_view text) {
    if (text.size() > 64) {
        return std::nullopt;
    }
    std::vector<int> minutes;
    const std::u32string rest = withoutClockTimes(foldedText(text), &minutes);
    // "08:00-09:40", "(8:00~9:40)", "08:00\n|\n09:40": two times, nothing else but joiners.
    const bool onlyJoiners = std::ranges::all_of(rest, [](char32_t c) {
        return c == U'|' || c == U'-' || c == U'~' || c == U'至' || c == U'到';
    });
    if (minutes.size() != 2 || !onlyJoiners || minutes[1] <= minutes[0] || minutes[1] >= 24 * 60) {
        return std::nullopt;
    }
    return minutes[1] - minutes[0];
}

std::optional<int> readWeekdayName(std::string_view text) {
    std::u32string folded;
    for (const char32_t c : foldedText(text)) {
        folded.push_back(c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c);
    }
    std::u32string joined;
    std::copy_if(folded.begin(), folded.end(), std::back_inserter(joined),
                 [](char32_t c) { return c != U' '; });
    if (const auto weekday = weekdayOfName(joined)) {
        return weekday; // "星期一", "星期 日"
    }
    // A header in two languages, "星期一 Monday" or "星期一\n(Mon)": every part names the day.
    std::optional<int> weekday;
    std::size_t parts = 0;
    std::u32string part;
    for (std::size_t i = 0; i <= folded.size(); ++i) {
        const char32_t c = i < folded.size() ? folded[i] : U' ';
        if (c != U' ' && c != U'(' && c != U')') {
            part.push_back(c);
            continue;
        }
        if (part.empty()) {
            continue;
        }
        const auto named = weekdayOfName(part);
        if (!named || (weekday && named != weekday)) {
            return std::nullopt;
        }
        weekday = named;
        ++parts;
        part.clear();
    }
    return parts >= 2 ? weekday : std::nullopt;
}

} // namespace orvanto::imports
