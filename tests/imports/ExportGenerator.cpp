#include "ExportGenerator.h"

#include "ExportFiles.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <numeric>
#include <set>
#include <string_view>

namespace orvanto::importtests {

namespace {

using imports::ImportedClass;
using imports::SmallPeriods;
using imports::WeekSet;

constexpr std::array<std::string_view, 36> kCourses{
    "高等数学A(2-1)",    "大学英语Ⅱ",      "线性代数",         "概率论与数理统计", "数据结构",
    "大学物理(上)",      "思想道德与法治", "中国近现代史纲要", "程序设计基础",     "电路分析",
    "模拟电子技术",      "计算机网络",     "操作系统",         "软件工程",         "形势与政策",
    "军事理论",          "大学语文",       "有机化学",         "工程制图",         "机械原理",
    "微观经济学",        "会计学原理",     "管理学",           "数字逻辑",         "信号与系统",
    "编译原理",          "数据库原理",     "人工智能导论",     "大学生心理健康",   "创新创业基础",
    "现代汉语",          "法理学",         "软件构造(实验)",   "离散数学",         "复变函数",
    "马克思主义基本原理"};
constexpr std::array<std::string_view, 4> kSportCourses{"体育IV", "体育(2)", "大学体育III",
                                                        "体育Ⅱ"};
constexpr std::array<std::string_view, 5> kSports{"网球", "篮球", "羽毛球", "健美操", "太极拳"};
constexpr std::array<std::string_view, 24> kSurnames{
    "王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周",   "吴",   "徐",   "孙",
    "胡", "朱", "高", "林", "何", "郭", "马", "罗", "欧阳", "司马", "诸葛", "上官"};
constexpr std::array<std::string_view, 24> kGiven{
    "芳", "伟",   "娜",   "敏",   "静",   "丽",   "强",   "磊",   "军",   "洋",   "勇",   "艳",
    "杰", "晓明", "建华", "秀英", "志强", "海燕", "子涵", "雨轩", "欣怡", "浩然", "思远", "文博"};
constexpr std::array<std::string_view, 4> kTitles{"教授", "副教授", "讲师", "助教"};
constexpr std::array<std::string_view, 8> kBuildings{"教",       "致新楼-", "二教",   "南教",
                                                     "理科楼B-", "实验楼",  "综合楼", "逸夫楼"};
constexpr std::array<std::string_view, 4> kCampuses{"成都校区", "南校区", "主校区", "东校区"};
constexpr std::array<std::string_view, 7> kDetails{"学时:48",
                                                   "周学时:4",
                                                   "学分:3",
                                                   "选课人数(121)",
                                                   "考核方式:考试",
                                                   "课程号:B0301021",
                                                   "教学班组成:软件2101;软件2102"};
constexpr std::array<std::string_view, 5> kBigNames{"一", "二", "三", "四", "五"};
constexpr std::array<std::string_view, 7> kDayNames{"一", "二", "三", "四", "五", "六", "日"};
constexpr std::array<std::string_view, 5> kClock{"08:00-09:40", "10:00-11:40", "14:00-15:40",
                                                 "16:00-17:40", "19:00-20:40"};

class Random {
  public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename Array> std::string pick(const Array& items) {
        return std::string(items[static_cast<std::size_t>(below(static_cast<int>(items.size())))]);
    }
    std::mt19937& engine() { return m_engine; }

  private:
    std::mt19937 m_engine;
};

// A run of weeks: first..last, every week or every other one.
struct WeekRun {
    int first;
    int last;
    int step;
};

// A class as generated: its fields and the runs its weeks are written as.
struct Planned {
    ImportedClass expected;
    std::vector<WeekRun> runs;
    std::string option; // a sport under the course
    std::vector<std::string> details;
};

std::string digits(int n, bool fullWidth) {
    std::string text = std::to_string(n);
    if (!fullWidth) {
        return text;
    }
    std::string wide;
    for (char c : text) {
        wide += "\xEF\xBC";
        wide += static_cast<char>(0x90 + (c - '0')); // U+FF10..U+FF19
    }
    return wide;
}

std::string runText(const WeekRun& run, bool fullWidth) {
    if (run.first == run.last) {
        return digits(run.first, fullWidth);
    }
    return digits(run.first, fullWidth) + (fullWidth ? "－" : "-") + digits(run.last, fullWidth);
}

std::string parityWord(const WeekRun& run) {
    return run.step == 1 ? "" : run.first % 2 == 1 ? "单" : "双";
}

std::string weeksText(const std::vector<WeekRun>& runs, int style) {
    const bool parity = runs.size() == 1 && runs[0].step == 2;
    const WeekRun& run = runs[0];
    auto joined = [&](bool fullWidth, std::string_view comma) {
        std::string text;
        for (const WeekRun& r : runs) {
            text += (text.empty() ? "" : std::string(comma)) + runText(r, fullWidth);
        }
        return text;
    };
    switch (style) {
    case 0:
        return joined(false, ",") + parityWord(run) + "周";
    case 1:
        return "[" + joined(false, ",") + parityWord(run) + "]周";
    case 2:
        if (parity) {
            return "{第" + runText(run, false) + "周|" + parityWord(run) + "周}";
        }
        if (runs.size() == 2) {
            return "第" + runText(runs[0], false) + "周,第" + runText(runs[1], false) + "周";
        }
        return "第" + runText(run, false) + "周";
    case 3:
        if (parity) {
            return runText(run, false) + "(" + parityWord(run) + ")";
        }
        return "{第" + joined(false, ",") + "周}";
    case 4:
        return parity ? parityWord(run) + runText(run, false) : joined(false, ",");
    case 5:
        return "（" + joined(false, "，") + parityWord(run) + "周）";
    case 6:
        return joined(true, "，") + parityWord(run) + "周";
    default:
        return "(" + joined(false, ",") + parityWord(run) + ")";
    }
}
constexpr int kWeekStyles = 8;

std::string periodsText(SmallPeriods periods, int style) {
    char buffer[32];
    switch (style) {
    case 1:
        std::snprintf(buffer, sizeof buffer, "[%02d-%02d节]", periods.first, periods.last);
        return buffer;
    case 2:
        return std::to_string(periods.first) + "-" + std::to_string(periods.last) + "节";
    default:
        return "第" + std::to_string(periods.first) + "," + std::to_string(periods.last) + "节";
    }
}

std::string separatorText(int separator, Random& random) {
    switch (separator) {
    case 1:
        return ";";
    case 2:
        return "；";
    case 3:
        return random.chance(25) ? "丨" : "|";
    case 4:
        return "/";
    case 5: {
        static const std::array<std::string_view, 3> kBlanks{"  ", "   ", "\u3000"};
        return random.pick(kBlanks);
    }
    case 9: {
        static const std::array<std::string_view, 3> kMarks{"◇", "◆", "●"};
        return random.pick(kMarks);
    }
    default:
        return "\n";
    }
}

// 0 one field a line, 1..5 and 9 fields joined on a line, 6 key:value pairs, 7 "course
// (teacher)" then "(weeks,room)", 8 a bracketed "(weeks  room)" after the course and teacher
// lines.
constexpr int kSeparators = 10;
constexpr std::array<std::string_view, kSeparators> kSeparatorNames{
    "lines",         ";",  "；", "|", "/", "blanks", "key:value", "course (teacher)/(weeks,room)",
    "(weeks  room)", "◇◆●"};

std::string personName(Random& random) {
    return random.pick(kSurnames) + random.pick(kGiven);
}

std::string teacherOf(const ExportStyle& style, Random& random) {
    std::string name = personName(random);
    if (style.titles && random.chance(50)) {
        name += random.pick(kTitles);
    }
    if (style.severalTeachers && random.chance(40)) {
        name += "," + personName(random);
    }
    return name;
}

std::string roomOf(Random& random) {
    const std::string building = random.pick(kBuildings);
    std::string room = building;
    if (building == "教") {
        room += std::to_string(1 + random.below(6)) + "-" +
                std::to_string(101 + random.below(5) * 100 + random.below(20));
    } else {
        room += std::to_string(101 + random.below(5) * 100 + random.below(20));
    }
    switch (random.below(5)) {
    case 0:
        return room + "(" + random.pick(kCampuses) + ")";
    case 1:
        return room + "【" + random.pick(kCampuses) + "】";
    default:
        return room;
    }
}

std::vector<WeekRun> weekRunsOf(Random& random) {
    const int first = 1 + random.below(4);
    const int last = 8 + random.below(11);
    switch (random.below(6)) {
    case 0:
        return {{first | 1, (last | 1), 2}};
    case 1:
        return {{(first + 1) & ~1, last & ~1, 2}};
    case 2: {
        const int cut = first + 3 + random.below(3);
        return {{first, cut, 1}, {cut + 2, cut + 5 + random.below(8), 1}};
    }
    default:
        return {{first, last, 1}};
    }
}

WeekSet weekSetOf(const std::vector<WeekRun>& runs) {
    WeekSet set;
    for (const WeekRun& run : runs) {
        for (int week = run.first; week <= run.last; week += run.step) {
            set.set(static_cast<std::size_t>(week));
        }
    }
    return set;
}

ExportStyle drawStyle(Random& random) {
    ExportStyle style;
    style.format = static_cast<ExportFormat>(random.below(4));
    style.list = random.chance(20);
    style.order = {0, 1, 2, 3};
    std::shuffle(style.order.begin(), style.order.end(), random.engine());
    style.separator = random.below(kSeparators);
    style.weekStyle = random.below(kWeekStyles);
    style.titles = random.chance(30);
    style.severalTeachers = random.chance(20);
    style.missing = random.chance(30) ? 1 + random.below(2) : 0;
    if (style.list) {
        style.listHeader = random.chance(60);
        style.mergedWeekdays = random.chance(50);
        style.listColumns = {0, 1, 2, 3, 4, 5};
        std::shuffle(style.listColumns.begin() + 2, style.listColumns.end(), random.engine());
        if (random.chance(30)) {
            std::swap(style.listColumns[0], style.listColumns[1]);
        }
        return style;
    }
    style.sundayFirst = random.chance(25);
    style.zhouHeaders = random.chance(40);
    style.labelStyle = random.below(6);
    style.clockTimes = random.chance(25);
    style.labelsRight = random.chance(15);
    style.stacked = style.labelStyle < 4 && random.chance(10);
    if (style.stacked) {
        style.separator = 0; // a field a row
        style.missing = 0;
        return style;
    }
    const bool workbook = style.format == ExportFormat::Xlsx || style.format == ExportFormat::Xls;
    style.lineBreak = workbook && random.chance(20) ? 1 + random.below(2) : 0;
    style.periodStyle = random.chance(30) ? 1 + random.below(3) : 0;
    style.blankBetween = random.chance(40);
    const bool linesOfFields = style.separator == 0;
    style.blankInside = linesOfFields && !style.blankBetween && random.chance(20);
    style.pairsOnOneLine = style.separator == 6 && random.chance(50);
    style.details = (linesOfFields || style.separator == 6) && random.chance(25);
    style.options = linesOfFields && style.order[0] == 0 && style.missing == 0 && random.chance(15);
    if (style.separator == 7 || style.separator == 8) {
        style.order = {0, 1, 2, 3};
        style.weekStyle = random.chance(50) ? 0 : 4;
        style.periodStyle = 0;
    }
    if (style.labelStyle == 3 && style.periodStyle == 0) {
        // 第1节 .. 第5节 alone could be a day of five periods: the cells' own period texts say
        // they are big ones
        if (style.separator == 7 || style.separator == 8) {
            style.labelStyle = 0;
        } else {
            style.periodStyle = 1 + random.below(3);
        }
    }
    return style;
}

// The lines a class is written as in its cell, "\n" between them.
std::vector<std::string> linesOf(const Planned& planned, const ExportStyle& style, Random& random) {
    const ImportedClass& c = planned.expected;
    std::string weeks = weeksText(planned.runs, style.weekStyle);
    std::string periodPiece;
    if (style.periodStyle == 1) {
        weeks += periodsText(c.periods, 1);
    } else if (style.periodStyle > 1) {
        periodPiece = periodsText(c.periods, style.periodStyle);
    }
    std::vector<std::string> lines;
    if (style.separator == 7) {
        lines.push_back(c.teacher.empty() ? c.course : c.course + " (" + c.teacher + ")");
        lines.push_back("(" + weeks + (c.room.empty() ? "" : "," + c.room) + ")");
        return lines;
    }
    if (style.separator == 8) {
        lines.push_back(c.course);
        if (!c.teacher.empty()) {
            lines.push_back(c.teacher);
        }
        lines.push_back("(" + weeks + (c.room.empty() ? "" : "  " + c.room) + ")");
        return lines;
    }
    if (style.separator == 6) {
        lines.push_back(c.course);
        std::string pairs;
        const std::string joint = style.pairsOnOneLine ? " " : "\n";
        for (int field : style.order) {
            std::string pair;
            if (field == 1 && !c.teacher.empty()) {
                pair = "教师:" + c.teacher;
            } else if (field == 2) {
                pair = "周次:" + weeks + (periodPiece.empty() ? "" : joint + "节次:" + periodPiece);
            } else if (field == 3 && !c.room.empty()) {
                pair = "地点:" + c.room;
            }
            if (!pair.empty()) {
                pairs += (pairs.empty() ? "" : joint) + pair;
            }
        }
        lines.push_back(pairs);
        for (const std::string& detail : planned.details) {
            lines.push_back(detail);
        }
        return lines;
    }
    std::vector<std::string> fields;
    for (int field : style.order) {
        switch (field) {
        case 0:
            fields.push_back(c.course);
            if (!planned.option.empty()) {
                fields.back() += "\n" + planned.option;
            }
            break;
        case 1:
            if (!c.teacher.empty()) {
                fields.push_back(c.teacher);
            }
            break;
        case 2:
            fields.push_back(weeks);
            if (!periodPiece.empty()) {
                fields.push_back(periodPiece);
            }
            break;
        default:
            if (!c.room.empty()) {
                fields.push_back(c.room);
            }
        }
    }
    const std::string separator = separatorText(style.separator, random);
    std::string text;
    for (const std::string& field : fields) {
        if (!text.empty()) {
            text += separator;
            if (style.blankInside && random.chance(30)) {
                text += "\n";
            }
        }
        text += field;
    }
    lines.push_back(text);
    for (const std::string& detail : planned.details) {
        lines.push_back(detail);
    }
    return lines;
}

std::string cellTextOf(const std::vector<const Planned*>& classes, const ExportStyle& style,
                       Random& random) {
    std::string text;
    for (const Planned* planned : classes) {
        if (!text.empty()) {
            text += style.blankBetween ? "\n\n" : "\n";
        }
        std::string lines;
        for (const std::string& line : linesOf(*planned, style, random)) {
            lines += (lines.empty() ? "" : "\n") + line;
        }
        text += lines;
    }
    if (style.separator == 7 && style.format != ExportFormat::Xlsx) {
        // "<br><br><br>" between a class's two lines, as one school's page writes them
        std::string spread;
        for (char c : text) {
            spread += c == '\n' ? std::string("\n\n\n") : std::string(1, c);
        }
        text = spread;
    }
    if (style.lineBreak > 0) {
        const std::string br = style.lineBreak == 1 ? "<br>" : "</br>";
        std::string replaced;
        for (char c : text) {
            replaced += c == '\n' ? br : std::string(1, c);
        }
        text = replaced;
    }
    return text;
}

std::string weekdayName(int weekday, const ExportStyle& style) {
    return (style.zhouHeaders ? "周" : "星期") +
           std::string(kDayNames[static_cast<std::size_t>(weekday)]);
}

std::string bigLabel(int big, const ExportStyle& style) {
    const int first = 2 * big - 1;
    std::string label;
    switch (style.labelStyle) {
    case 0:
        label = "第" + std::to_string(first) + "," + std::to_string(first + 1) + "节";
        break;
    case 1:
        label = std::to_string(first) + "-" + std::to_string(first + 1);
        break;
    case 2:
        label = "第" + std::string(kBigNames[static_cast<std::size_t>(big - 1)]) + "大节";
        break;
    case 3:
        label = "第" + std::to_string(big) + "节";
        break;
    default: // the clock range alone
        return std::string(kClock[static_cast<std::size_t>(big - 1)]);
    }
    if (style.clockTimes) {
        label += "\n" + std::string(kClock[static_cast<std::size_t>(big - 1)]);
    }
    return label;
}

// The classes of a timetable: slots drawn at random, now and then two classes in one slot in
// weeks of their own.
std::vector<Planned> planClasses(const ExportStyle& style, Random& random) {
    std::vector<Planned> classes;
    std::set<std::pair<int, int>> used;
    const int count = 4 + random.below(12);
    const bool teachersMissing = style.missing == 1;
    const bool roomsMissing = style.missing == 2;
    for (int i = 0; i < count; ++i) {
        const int weekday = random.chance(85) ? random.below(5) : 5 + random.below(2);
        const int big = 1 + random.below(5);
        if (!used.insert({weekday, big}).second) {
            continue;
        }
        const int inSlot = !style.stacked && !style.list && random.chance(15) ? 2 : 1;
        for (int k = 0; k < inSlot; ++k) {
            Planned planned;
            ImportedClass& c = planned.expected;
            const bool sport = style.options && random.chance(50);
            c.course = sport ? random.pick(kSportCourses) : random.pick(kCourses);
            if (sport) {
                planned.option = random.pick(kSports);
            }
            c.teacher = teachersMissing && random.chance(40) ? "" : teacherOf(style, random);
            c.room = roomsMissing && random.chance(40) ? "" : roomOf(random);
            c.weekday = weekday;
            c.periods = {2 * big - 1, 2 * big};
            if (inSlot == 2) {
                planned.runs =
                    k == 0 ? std::vector<WeekRun>{{1, 8, 1}} : std::vector<WeekRun>{{10, 16, 1}};
            } else {
                planned.runs = weekRunsOf(random);
            }
            c.weeks = weekSetOf(planned.runs);
            if (style.details) {
                for (int d = random.below(3); d > 0; --d) {
                    planned.details.push_back(random.pick(kDetails));
                }
            }
            classes.push_back(std::move(planned));
        }
    }
    return classes;
}

std::vector<SheetCell> gridOf(const std::vector<Planned>& classes, const ExportStyle& style,
                              Random& random) {
    std::vector<SheetCell> cells;
    int top = 0;
    if (random.chance(50)) {
        cells.push_back({0, 0, "2025-2026学年第一学期 学生个人课表", 1, 8});
        top = 1;
    }
    const int dayColumn0 = style.labelsRight ? 0 : 1;
    const int labelColumn = style.labelsRight ? 7 : 0;
    cells.push_back({top, labelColumn, style.labelsRight ? "时间" : "节次"});
    std::array<int, 7> columnOf{};
    for (int i = 0; i < 7; ++i) {
        const int weekday = style.sundayFirst ? (i + 6) % 7 : i;
        columnOf[static_cast<std::size_t>(weekday)] = dayColumn0 + i;
        cells.push_back({top, dayColumn0 + i, weekdayName(weekday, style)});
    }
    const int first = top + 1;
    const int rowsPerBig = style.stacked ? 4 : style.labelStyle == 4 ? 2 : 1;
    for (int big = 1; big <= 5; ++big) {
        const int row = first + (big - 1) * rowsPerBig;
        if (style.stacked) {
            const std::array<std::string, 3> parts{
                "第", std::string(kBigNames[static_cast<std::size_t>(big - 1)]), "节"};
            for (int k = 0; k < 3; ++k) {
                cells.push_back({row + k, labelColumn, parts[static_cast<std::size_t>(k)]});
            }
        } else if (style.labelStyle == 4) {
            for (int k = 0; k < 2; ++k) {
                const int small = 2 * big - 1 + k;
                std::string label = random.chance(0) ? "" : "第" + std::to_string(small) + "节";
                cells.push_back({row + k, labelColumn, label});
            }
        } else {
            cells.push_back({row, labelColumn, bigLabel(big, style)});
        }
    }
    std::map<std::pair<int, int>, std::vector<const Planned*>> bySlot;
    for (const Planned& planned : classes) {
        bySlot[{*planned.expected.weekday, (planned.expected.periods.first + 1) / 2}].push_back(
            &planned);
    }
    for (const auto& [slot, inSlot] : bySlot) {
        const auto [weekday, big] = slot;
        const int row = first + (big - 1) * rowsPerBig;
        const int column = columnOf[static_cast<std::size_t>(weekday)];
        if (style.stacked) {
            const ImportedClass& c = inSlot.front()->expected;
            const std::string weeks = weeksText(inSlot.front()->runs, style.weekStyle);
            for (std::size_t k = 0; k < 4; ++k) {
                const int field = style.order[k];
                const std::string text = field == 0   ? c.course
                                         : field == 1 ? c.teacher
                                         : field == 2 ? weeks
                                                      : c.room;
                if (!text.empty()) {
                    cells.push_back({row + static_cast<int>(k), column, text});
                }
            }
            continue;
        }
        cells.push_back({row, column, cellTextOf(inSlot, style, random), rowsPerBig, 1});
    }
    return cells;
}

std::vector<SheetCell> listOf(std::vector<Planned>& classes, const ExportStyle& style,
                              Random& random) {
    std::ranges::sort(classes, [](const Planned& a, const Planned& b) {
        return std::pair(a.expected.weekday, a.expected.periods.first) <
               std::pair(b.expected.weekday, b.expected.periods.first);
    });
    static const std::array<std::string_view, 6> kHeaders{"星期", "节次", "课程名称",
                                                          "教师", "地点", "周次"};
    std::vector<SheetCell> cells;
    int row = 0;
    if (style.listHeader) {
        for (std::size_t i = 0; i < 6; ++i) {
            cells.push_back(
                {row, static_cast<int>(i),
                 std::string(kHeaders[static_cast<std::size_t>(style.listColumns[i])])});
        }
        ++row;
    }
    const bool periodWords = random.chance(50);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const ImportedClass& c = classes[i].expected;
        for (std::size_t k = 0; k < 6; ++k) {
            const int column = static_cast<int>(k);
            std::string text;
            switch (style.listColumns[k]) {
            case 0: {
                if (style.mergedWeekdays && i > 0 && classes[i - 1].expected.weekday == c.weekday) {
                    continue;
                }
                int span = 1;
                while (style.mergedWeekdays &&
                       i + static_cast<std::size_t>(span) < classes.size() &&
                       classes[i + static_cast<std::size_t>(span)].expected.weekday == c.weekday) {
                    ++span;
                }
                cells.push_back({row, column, weekdayName(*c.weekday, style), span, 1});
                continue;
            }
            case 1:
                text = periodWords ? periodsText(c.periods, 3)
                                   : std::to_string(c.periods.first) + "-" +
                                         std::to_string(c.periods.last) + "节";
                break;
            case 2:
                text = c.course;
                break;
            case 3:
                text = c.teacher;
                break;
            case 4:
                text = c.room;
                break;
            default:
                text = weeksText(classes[i].runs, style.weekStyle);
            }
            if (!text.empty()) {
                cells.push_back({row, column, text});
            }
        }
        ++row;
    }
    return cells;
}

} // namespace

std::string ExportStyle::describe() const {
    static const std::array<std::string_view, 4> kFormats{"xlsx", "xls", "html-utf8", "html-gbk"};
    static const std::array<std::string_view, 6> kLabels{"第1,2节",    "1-2",        "第一大节",
                                                         "第1节(big)", "small rows", "clock only"};
    static const std::array<std::string_view, 4> kFieldNames{"course", "teacher", "weeks", "room"};
    std::string text = std::string(kFormats[static_cast<std::size_t>(format)]);
    if (list) {
        text += " list header=" + std::to_string(listHeader) +
                " merged=" + std::to_string(mergedWeekdays) + " columns=";
        for (int column : listColumns) {
            text += std::to_string(column);
        }
    } else {
        text += std::string(" grid labels=") +
                std::string(kLabels[static_cast<std::size_t>(labelStyle)]) +
                (sundayFirst ? " sunday-first" : "") + (zhouHeaders ? " 周一" : "") +
                (clockTimes ? " clock" : "") + (labelsRight ? " labels-right" : "") +
                (stacked ? " stacked" : "");
    }
    text += " order=";
    for (int field : order) {
        text += std::string(kFieldNames[static_cast<std::size_t>(field)]) + ",";
    }
    text += " sep=" + std::string(kSeparatorNames[static_cast<std::size_t>(separator)]) +
            " br=" + std::to_string(lineBreak) + " weeks=" + std::to_string(weekStyle) +
            " periods=" + std::to_string(periodStyle) + (blankBetween ? " blank-between" : "") +
            (blankInside ? " blank-inside" : "") + (pairsOnOneLine ? " pairs-on-one-line" : "") +
            (details ? " details" : "") + (options ? " options" : "") + (titles ? " titles" : "") +
            (severalTeachers ? " several" : "") + " missing=" + std::to_string(missing);
    return text;
}

GeneratedExport generateExport(std::uint32_t seed) {
    Random random(seed);
    GeneratedExport out;
    out.style = drawStyle(random);
    std::vector<Planned> classes = planClasses(out.style, random);
    const std::vector<SheetCell> cells =
        out.style.list ? listOf(classes, out.style, random) : gridOf(classes, out.style, random);
    switch (out.style.format) {
    case ExportFormat::Xlsx:
        out.bytes = xlsxOf(cells);
        break;
    case ExportFormat::Xls:
        out.bytes = xlsOf(cells);
        break;
    case ExportFormat::HtmlUtf8:
    case ExportFormat::HtmlGbk:
        out.bytes = htmlOf(cells, out.style.format == ExportFormat::HtmlGbk, random.below(3));
        break;
    }
    for (const Planned& planned : classes) {
        out.classes.push_back(planned.expected);
    }
    return out;
}

} // namespace orvanto::importtests
