#include "WeekRowReading.h"

#include "WeekFilter.h"
#include "core/Concat.h"
#include "core/Utf8.h"
#include "core/WorkbookLayout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvanto::timetable {

namespace {

// A character that a student types for "-" but the rule does not read as one.
struct Separator {
    char32_t character;
    std::string_view reason;
};

constexpr std::array kSeparators = {
    Separator{U'\uFF0D', "全角连字符"}, Separator{U'~', "波浪号"},
    Separator{U'\uFF5E', "波浪号"},     Separator{U'\u301C', "波浪号"},
    Separator{U'\u2010', "长横线"},     Separator{U'\u2011', "长横线"},
    Separator{U'\u2012', "长横线"},     Separator{U'\u2013', "长横线"},
    Separator{U'\u2014', "破折号"},     Separator{U'\u2015', "破折号"},
    Separator{U'\u2212', "减号"},       Separator{U'\uFE63', "小写连字符"},
    Separator{U'\u81F3', "“至”"},       Separator{U'\u5230', "“到”"},
};

constexpr char32_t kFullWidthZero = U'\uFF10';

bool isFullWidthDigit(char32_t c) {
    return c >= kFullWidthZero && c <= kFullWidthZero + 9;
}

// The text with the characters above replaced by what the rule reads, and the reasons.
struct Normalised {
    std::string text;
    std::vector<std::string_view> reasons;
};

Normalised normalise(std::string_view weekRow) {
    Normalised normalised;
    auto note = [&](std::string_view reason) {
        if (std::ranges::find(normalised.reasons, reason) == normalised.reasons.end()) {
            normalised.reasons.push_back(reason);
        }
    };
    for (std::size_t i = 0; i < weekRow.size();) {
        const char32_t c = core::decodeUtf8(weekRow, i);
        const auto separator = std::ranges::find(kSeparators, c, &Separator::character);
        if (separator != kSeparators.end()) {
            note(separator->reason);
            normalised.text.push_back('-');
        } else if (isFullWidthDigit(c)) {
            note("全角数字");
            normalised.text.push_back(static_cast<char>('0' + (c - kFullWidthZero)));
        } else if (c == U'\uFF5B' || c == U'\uFF5D') {
            note("全角大括号");
            normalised.text.push_back(c == U'\uFF5B' ? '{' : '}');
        } else {
            core::appendUtf8(normalised.text, c);
        }
    }
    return normalised;
}

constexpr int kMaxWrittenWeek = 99;

struct Range {
    int first = 0;
    int last = 0;
};

// Every "A-B" and lone "A" in a normalised text, in order. Numbers are capped so that a long
// run of digits cannot overflow.
std::vector<Range> rangesIn(std::string_view text) {
    std::vector<Range> ranges;
    auto number = [&](std::size_t& i) {
        int value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = std::min(value * 10 + (text[i] - '0'), 1000);
        }
        return value;
    };
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        const int first = number(i);
        std::size_t after = i;
        while (after < text.size() && text[after] == ' ') {
            ++after;
        }
        if (after + 1 < text.size() && text[after] == '-' && text[after + 1] >= '0' &&
            text[after + 1] <= '9') {
            i = after + 1;
            ranges.push_back({first, number(i)});
        } else if (first <= kMaxWrittenWeek) {
            // A longer lone number is a year, a room or a code, not a week.
            ranges.push_back({first, first});
        }
    }
    return ranges;
}

bool odd(int week) {
    return week % 2 != 0;
}

// Which weeks a parity word keeps: "单周" odd, "双周" even, both or neither all. A bare "单" or
// "双" is read as meant too, so that the check can point at it.
std::set<int> weeksOf(const std::vector<Range>& ranges, std::string_view text, int lastWeek) {
    const bool oddWord = text.find("单") != std::string_view::npos;
    const bool evenWord = text.find("双") != std::string_view::npos;
    std::set<int> weeks;
    for (const Range& range : ranges) {
        for (int week = std::max(range.first, 1); week <= std::min(range.last, lastWeek); ++week) {
            if (oddWord == evenWord || (oddWord && odd(week)) || (evenWord && !odd(week))) {
                weeks.insert(week);
            }
        }
    }
    return weeks;
}

core::WorkbookLayout::Parity parityOf(std::string_view text) {
    using Parity = core::WorkbookLayout::Parity;
    const bool oddWord = text.find("单") != std::string_view::npos;
    const bool evenWord = text.find("双") != std::string_view::npos;
    return oddWord == evenWord ? Parity::Every : oddWord ? Parity::Odd : Parity::Even;
}

std::string_view parityWord(std::string_view text) {
    return core::WorkbookLayout::parityMark(parityOf(text));
}

// "{第A-B周}" with the text's parity word, within the term: the one form the rule always reads.
std::string canonical(Range range, std::string_view text, int lastWeek) {
    range.first = std::clamp(range.first, 1, lastWeek);
    range.last = std::clamp(range.last, range.first, lastWeek);
    return core::WorkbookLayout::weekRowText(range.first, range.last, parityOf(text));
}

std::string joined(const std::vector<std::string_view>& parts) {
    std::string out;
    for (const std::string_view part : parts) {
        out += (out.empty() ? "" : "、");
        out += part;
    }
    return out;
}

} // namespace

std::set<int> intendedWeeks(std::string_view weekRow, const core::Term& term) {
    return weeksOf(rangesIn(normalise(weekRow).text), weekRow, term.weeks);
}

std::set<int> admittedWeeks(std::string_view weekRow, const core::Term& term) {
    const std::u16string text = core::toUtf16(weekRow);
    std::set<int> weeks;
    for (int week = 1; week <= term.weeks; ++week) {
        if (weekRowMatches(text, static_cast<std::int16_t>(week))) {
            weeks.insert(week);
        }
    }
    return weeks;
}

std::string describeWeeks(const std::set<int>& weeks) {
    const std::vector<int> list(weeks.begin(), weeks.end());
    const bool everyOther =
        list.size() >= 3 && std::adjacent_find(list.begin(), list.end(), [](int a, int b) {
                                return b - a != 2;
                            }) == list.end();
    if (everyOther) {
        return core::concat({std::to_string(list.front()), "-", std::to_string(list.back()),
                             odd(list.front()) ? "单周" : "双周"});
    }
    std::string out;
    for (std::size_t i = 0; i < list.size();) {
        std::size_t end = i;
        while (end + 1 < list.size() && list[end + 1] == list[end] + 1) {
            ++end;
        }
        out += (out.empty() ? "" : "、");
        out += std::to_string(list[i]);
        if (end > i) {
            out += '-';
            out += std::to_string(list[end]);
        }
        i = end + 1;
    }
    return out;
}

std::optional<WeekRowProblem> readWeekRow(std::string_view weekRow, const core::Term& term) {
    const Normalised normalised = normalise(weekRow);
    const std::vector<Range> ranges = rangesIn(normalised.text);
    const std::set<int> intended = weeksOf(ranges, weekRow, term.weeks);
    const std::set<int> admitted = admittedWeeks(weekRow, term);
    // A text that admits no week hides its block all term, whatever it was meant to say.
    if (intended == admitted && !admitted.empty()) {
        return std::nullopt;
    }
    const std::string lastWeek = std::to_string(term.weeks);
    if (ranges.empty()) {
        return WeekRowProblem{WeekRowProblem::Kind::NoWeek, "看不出是哪几周",
                              core::concat({"应写作 {第1-", lastWeek, "周} 这样的形式"}), ""};
    }
    if (intended.empty()) {
        // Admitted weeks beyond what was written cannot happen without any written week.
        return WeekRowProblem{WeekRowProblem::Kind::NoWeek,
                              core::concat({"写的周次不在本学期的第1-", lastWeek, "周内"}), "", ""};
    }
    if (ranges.size() > 1) {
        // Only the first range can ever be read: each further one needs its own block.
        std::string fix =
            core::concat({"应拆成", std::to_string(ranges.size()), "个课程块，分别写作"});
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            fix += i == 0 ? " " : " 和 ";
            fix += canonical(ranges[i], weekRow, term.weeks);
        }
        std::string reason = "一格只认一段周次";
        if (!admitted.empty()) {
            reason += core::concat({"，只在第", describeWeeks(admitted), "周显示"});
        }
        return WeekRowProblem{admitted.empty() ? WeekRowProblem::Kind::NoWeek
                                               : WeekRowProblem::Kind::Partly,
                              reason, fix, ""};
    }
    std::vector<std::string_view> reasons = normalised.reasons;
    const bool single = ranges.front().first == ranges.front().last &&
                        normalised.text.find('-') == std::string::npos;
    if (single) {
        reasons.push_back("只写了一周");
    }
    // The student's own text with the characters fixed, when the rule then reads it as meant;
    // otherwise the one form it always reads.
    std::string rewrite = normalised.text;
    if (single || admittedWeeks(rewrite, term) != intended) {
        rewrite = canonical(ranges.front(), weekRow, term.weeks);
    }
    if (admittedWeeks(rewrite, term) != intended) {
        rewrite.clear();
    }
    if (reasons.empty()) {
        reasons.push_back(parityWord(weekRow).empty() ||
                                  weekRow.find(parityWord(weekRow)) != std::string_view::npos
                              ? "周次写法不被识别"
                              : "单双周要写作“单周”或“双周”");
    }
    std::string reason = joined(reasons);
    if (!admitted.empty()) {
        reason += core::concat({"，只在第", describeWeeks(admitted), "周显示"});
    }
    std::string fix = rewrite.empty() ? std::string() : core::concat({"应写作 ", rewrite});
    return WeekRowProblem{admitted.empty() ? WeekRowProblem::Kind::NoWeek
                                           : WeekRowProblem::Kind::Partly,
                          reason, std::move(fix), std::move(rewrite)};
}

} // namespace orvanto::timetable
