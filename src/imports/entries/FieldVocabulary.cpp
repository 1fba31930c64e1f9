#include "imports/entries/FieldVocabulary.h"

#include "imports/entries/ImportText.h"
#include "imports/entries/WeekText.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace orvanto::imports {

namespace {

using enum LabelledField;

// Longest first within a shared ending, so that a search finds the longer label first.
constexpr std::array kLabels{
    FieldLabel{"课程名称", Course},   FieldLabel{"课程名", Course},
    FieldLabel{"课程", Course},       FieldLabel{"任课教师", Teacher},
    FieldLabel{"授课教师", Teacher},  FieldLabel{"上课教师", Teacher},
    FieldLabel{"主讲教师", Teacher},  FieldLabel{"教师姓名", Teacher},
    FieldLabel{"教师", Teacher},      FieldLabel{"老师", Teacher},
    FieldLabel{"上课周次", Weeks},    FieldLabel{"起止周", Weeks},
    FieldLabel{"周次", Weeks},        FieldLabel{"周数", Weeks},
    FieldLabel{"上课星期", Weekday},  FieldLabel{"星期", Weekday},
    FieldLabel{"上课节次", Periods},  FieldLabel{"节次", Periods},
    FieldLabel{"上课地点", Room},     FieldLabel{"上课教室", Room},
    FieldLabel{"教学地点", Room},     FieldLabel{"地点", Room},
    FieldLabel{"教室", Room},         FieldLabel{"场地", Room},
    FieldLabel{"校区", Campus},       FieldLabel{"选课人数", Detail},
    FieldLabel{"上课人数", Detail},   FieldLabel{"教学班人数", Detail},
    FieldLabel{"已选人数", Detail},   FieldLabel{"人数", Detail},
    FieldLabel{"容量", Detail},       FieldLabel{"学分", Detail},
    FieldLabel{"总学时", Detail},     FieldLabel{"周学时", Detail},
    FieldLabel{"学时", Detail},       FieldLabel{"考核方式", Detail},
    FieldLabel{"考试方式", Detail},   FieldLabel{"考核", Detail},
    FieldLabel{"课程性质", Detail},   FieldLabel{"课程类别", Detail},
    FieldLabel{"课程属性", Detail},   FieldLabel{"课程号", Detail},
    FieldLabel{"课程代码", Detail},   FieldLabel{"课程编号", Detail},
    FieldLabel{"教学班组成", Detail}, FieldLabel{"教学班名称", Detail},
    FieldLabel{"教学班", Detail},     FieldLabel{"上课班级", Detail},
    FieldLabel{"班级", Detail},       FieldLabel{"备注", Detail},
    FieldLabel{"考试时间", Detail},   FieldLabel{"选课备注", Detail},
    FieldLabel{"重修标记", Detail},
};

constexpr std::array<std::string_view, 2> kColons{":", "："};

std::string withoutBlanks(std::string_view text) {
    const std::vector<CodePoint> points = codePointsOf(text);
    std::string out;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!isBlank(points[i].value)) {
            const std::size_t end = i + 1 < points.size() ? points[i + 1].offset : text.size();
            out += text.substr(points[i].offset, end - points[i].offset);
        }
    }
    return out;
}

// "08:00-09:40", "8:00 ~ 8:45": the hours of a row, which its periods already say.
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

// Whether a label after this text stands at the start of a pair of its own.
bool endsWithPartMark(std::string_view before) {
    for (const std::string_view mark : {" ", "\t", "\u3000", ",", ";", "，", "；", "、"}) {
        if (before.ends_with(mark)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::span<const FieldLabel> fieldLabels() {
    return kLabels;
}

std::optional<LabelledField> fieldOfLabel(std::string_view label) {
    std::string name = withoutBlanks(label);
    for (const std::string_view colon : kColons) {
        if (name.ends_with(colon)) {
            name.resize(name.size() - colon.size());
        }
    }
    for (const FieldLabel& entry : kLabels) {
        if (name == entry.label) {
            return entry.field;
        }
    }
    return std::nullopt;
}

std::optional<LabelledText> readLabelledText(std::string_view text) {
    text = trimBlanks(text);
    for (const FieldLabel& entry : kLabels) {
        if (!text.starts_with(entry.label)) {
            continue;
        }
        const std::string_view rest = trimBlanks(text.substr(entry.label.size()));
        for (const std::string_view colon : kColons) {
            if (rest.starts_with(colon)) {
                return LabelledText{entry.field, trimBlanks(rest.substr(colon.size()))};
            }
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> splitAtLabels(std::string_view text) {
    std::vector<std::size_t> cuts;
    for (const FieldLabel& entry : kLabels) {
        for (std::size_t at = text.find(entry.label); at != std::string_view::npos;
             at = text.find(entry.label, at + entry.label.size())) {
            if (at == 0 || !endsWithPartMark(text.substr(0, at)) ||
                std::ranges::find(cuts, at) != cuts.end()) {
                continue;
            }
            const std::string_view rest = trimBlanks(text.substr(at + entry.label.size()));
            if (rest.starts_with(":") || rest.starts_with("：")) {
                cuts.push_back(at);
            }
        }
    }
    std::ranges::sort(cuts);
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (const std::size_t cut : cuts) {
        parts.push_back(trimBlanks(text.substr(start, cut - start)));
        start = cut;
    }
    parts.push_back(trimBlanks(text.substr(start)));
    std::erase_if(parts, [](std::string_view part) { return part.empty(); });
    return parts;
}

// "B0801001-03", "(2019-2020-1)-0300012-2019001-1", "2020-01-08 08:00-10:00": a course code,
// a class number or an exam's date, no Chinese word in it and many digits; never a week text
// ("2,4,6,8,10,12,14,16").
bool isCodeLine(std::string_view line) {
    int digits = 0;
    for (const CodePoint& point : codePointsOf(line)) {
        const char32_t c = foldWidth(point.value);
        const bool digit = c >= U'0' && c <= U'9';
        const bool letter = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
        // A list ("1,3,5") or a room beside other words is no code.
        if (!digit && !letter && c != U'-' && c != U'_' && c != U'.' && c != U'(' && c != U')' &&
            c != U':' && c != U' ') {
            return false;
        }
        digits += digit ? 1 : 0;
    }
    return digits >= 6 && !readWeekText(line).has_value();
}

bool isDetailLine(std::string_view line) {
    line = trimBlanks(line);
    if (isClockLine(line) || isCodeLine(line)) {
        return true;
    }
    for (const FieldLabel& entry : kLabels) {
        if (entry.field != Detail || !line.starts_with(entry.label)) {
            continue;
        }
        const std::string_view rest = trimBlanks(line.substr(entry.label.size()));
        const auto points = codePointsOf(rest.substr(0, 4));
        if (points.empty()) {
            return false;
        }
        const char32_t next = foldWidth(points.front().value);
        return next == U':' || next == U'(' || (next >= U'0' && next <= U'9');
    }
    return false;
}

} // namespace orvanto::imports
