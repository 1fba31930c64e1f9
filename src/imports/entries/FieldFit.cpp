#include "imports/entries/FieldFit.h"

#include "imports/entries/ImportText.h"

#include <algorithm>
#include <array>
#include <string>

namespace orvanto::imports {

namespace {

// The words that give a field away. Lists of evidence, not of every word: a text without any
// of them is judged by its shape.
constexpr std::array<std::string_view, 27> kRoomWords{
    "楼",   "教室", "室",   "馆",     "场",   "厅",   "区",   "院",     "中心",
    "机房", "校外", "线上", "网络课", "在线", "操场", "田径", "报告",   "阶梯",
    "礼堂", "座",   "层",   "基地",   "教",   "学堂", "会议", "实验楼", "工坊"};
constexpr std::array<std::string_view, 12> kTitleWords{"副教授", "教授",     "讲师",   "助教",
                                                       "老师",   "副研究员", "研究员", "高级实验师",
                                                       "实验师", "工程师",   "博士",   "等"};
constexpr std::array<std::string_view, 48> kCourseWords{
    "学",   "论",   "程",   "设计", "实验", "基础", "原理", "英语", "数学", "物理", "化学", "体育",
    "概论", "分析", "系统", "技术", "工程", "语言", "政策", "思想", "课",   "法",   "史",   "文化",
    "管理", "艺术", "训练", "实践", "写作", "计算", "方法", "应用", "概率", "统计", "代数", "几何",
    "力学", "电路", "信号", "安全", "经济", "心理", "军事", "形势", "创新", "创业", "健康", "导引"};

struct Shape {
    int han = 0;
    int latin = 0;
    int digits = 0;
    int other = 0;
};

bool isHan(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF);
}

// The text without its bracketed groups: "高等数学(2-2)" is judged as "高等数学".
std::string outsideBrackets(std::string_view text) {
    std::string out;
    int depth = 0;
    const auto points = codePointsOf(text);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const char32_t c = foldWidth(points[i].value);
        if (c == U'(' || c == U'[' || c == U'【' || c == U'{') {
            ++depth;
            continue;
        }
        if (c == U')' || c == U']' || c == U'】' || c == U'}') {
            depth = std::max(0, depth - 1);
            continue;
        }
        if (depth == 0) {
            const std::size_t end = i + 1 < points.size() ? points[i + 1].offset : text.size();
            out += text.substr(points[i].offset, end - points[i].offset);
        }
    }
    return out;
}

Shape shapeOf(std::string_view text) {
    Shape shape;
    for (const CodePoint& point : codePointsOf(text)) {
        const char32_t c = foldWidth(point.value);
        if (isBlank(c)) {
            continue;
        }
        if (c >= U'0' && c <= U'9') {
            ++shape.digits;
        } else if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) {
            ++shape.latin;
        } else if (isHan(c)) {
            ++shape.han;
        } else {
            ++shape.other;
        }
    }
    return shape;
}

template <std::size_t N>
bool holdsAny(std::string_view text, const std::array<std::string_view, N>& words) {
    return std::ranges::any_of(
        words, [text](std::string_view word) { return text.find(word) != std::string_view::npos; });
}

// One name of a teacher: two to four Han characters (a compound surname and a two-character
// given name at most), or one to three Latin words.
bool isPersonName(std::string_view name) {
    const Shape shape = shapeOf(name);
    if (shape.digits > 0 || shape.other > 1) {
        return false;
    }
    if (shape.latin == 0) {
        return shape.han >= 2 && shape.han <= 4;
    }
    return shape.han == 0 && shape.latin >= 2;
}

std::string_view withoutTitle(std::string_view text) {
    for (bool stripped = true; stripped;) {
        stripped = false;
        text = trimBlanks(text);
        for (const std::string_view title : kTitleWords) {
            if (text.size() > title.size() && text.ends_with(title)) {
                text.remove_suffix(title.size());
                stripped = true;
            }
        }
    }
    return text;
}

// The text with every room word taken out, longest first ("实验楼" before "楼").
std::string withoutRoomWords(std::string text) {
    std::array<std::string_view, kRoomWords.size()> words = kRoomWords;
    std::ranges::sort(words,
                      [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
    for (const std::string_view word : words) {
        for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word)) {
            text.erase(at, word.size());
        }
    }
    return text;
}

double courseFitOfWords(std::string_view text) {
    const std::string plain = outsideBrackets(text);
    const Shape shape = shapeOf(plain);
    if (shape.han + shape.latin == 0) {
        return 0.05;
    }
    if (shape.digits > 0 && holdsAny(plain, kRoomWords) &&
        !holdsAny(withoutRoomWords(plain), kCourseWords)) {
        return 0.15; // "实验楼214": the 实验 of a building names no course
    }
    if (holdsAny(plain, kCourseWords)) {
        return 0.9;
    }
    if (shape.han >= 4 || shape.latin >= 4) {
        return 0.75;
    }
    return 0.5;
}

double teacherFitOfWords(std::string_view text) {
    // A title in brackets after the names ("李晓旭(讲师（高校）)", "李磊()") says nothing more.
    std::string plain = outsideBrackets(text);
    const std::string_view names = withoutTitle(plain);
    if (names.empty()) {
        return 0.3;
    }
    const Shape shape = shapeOf(names);
    if (shape.digits > 0) {
        return 0.1;
    }
    // Several names are parted by commas, 、, slashes or blanks.
    std::size_t start = 0;
    bool allNames = true;
    const std::string_view separators[] = {",", "，", "、", "/", ";", "；", " ", "\u3000"};
    std::string_view rest = names;
    while (!rest.empty() && allNames) {
        std::size_t cut = rest.size();
        std::size_t length = 0;
        for (const std::string_view separator : separators) {
            const std::size_t at = rest.find(separator);
            if (at != std::string_view::npos && at < cut) {
                cut = at;
                length = separator.size();
            }
        }
        // Each name without its own title: the 教 of "王芳副教授,李明" names no building.
        const std::string_view name = withoutTitle(trimBlanks(rest.substr(0, cut)));
        if (holdsAny(name, kRoomWords)) {
            return 0.1;
        }
        if (!name.empty()) {
            allNames = isPersonName(name);
        }
        rest = cut < rest.size() ? rest.substr(cut + length) : std::string_view{};
        start += cut;
    }
    if (allNames) {
        return 0.95;
    }
    return shape.han <= 6 && shape.latin == 0 ? 0.35 : 0.2;
}

double roomFitOfWords(std::string_view text) {
    const std::string plain = outsideBrackets(text);
    const Shape shape = shapeOf(plain);
    if (shape.digits > 0 && shape.han + shape.latin > 0) {
        return 0.95;
    }
    if (holdsAny(plain, kRoomWords)) {
        return 0.85;
    }
    if (shape.digits > 0 && shape.digits <= 6 && shape.han + shape.latin == 0) {
        return 0.7;
    }
    if (holdsAny(plain, kCourseWords)) {
        return 0.2;
    }
    return shape.han >= 2 && shape.han <= 4 ? 0.15 : 0.3;
}

// A field that holds a "key:" still has its label or another field's in it.
double withoutLabels(std::string_view text, double fit) {
    const bool colon =
        text.find(':') != std::string_view::npos || text.find("：") != std::string_view::npos;
    return colon ? fit * 0.3 : fit;
}

} // namespace

double courseFitOf(std::string_view text) {
    return withoutLabels(text, courseFitOfWords(text));
}

double teacherFitOf(std::string_view text) {
    return withoutLabels(text, teacherFitOfWords(text));
}

double roomFitOf(std::string_view text) {
    return withoutLabels(text, roomFitOfWords(text));
}

} // namespace orvanto::imports
