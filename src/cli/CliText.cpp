#include "CliText.h"

#include <array>
#include <cstddef>

namespace orvanto::cli {

namespace {

struct Row {
    Text id;
    std::string_view english;
    std::string_view chinese;
};

// Each command's paragraph starts with its name at the left margin and the term options with
// "TERM ": a command's own help is cut from here (see CliUsage), in either language.
constexpr std::string_view kEnglishUsage =
    "Usage:\n"
    "  orvanto-cli grid [--week N | --date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli week [--date YYYY-MM-DD] [TERM]\n"
    "  orvanto-cli ics [-o FILE] [TERM] WORKBOOK\n"
    "  orvanto-cli agenda [--date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli next [--date YYYY-MM-DD] [--time HH:MM] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli check [TERM] WORKBOOK\n"
    "  orvanto-cli import [-o OUT.xlsx | --force] [--json] [READING] EXPORT\n"
    "  orvanto-cli COMMAND -h | --help\n"
    "  orvanto-cli --help | --version\n"
    "\n"
    "grid    prints the timetable of one teaching week from WORKBOOK (.xls or .xlsx):\n"
    "        the week N (1 to 30), the week of the date, or this week.\n"
    "week    prints the teaching week of the date (default today).\n"
    "ics     writes every class of every teaching week as an iCalendar file, to FILE\n"
    "        or to standard output. FILE is replaced only once the export is complete\n"
    "        and keeps its permissions; a link is followed and the file it names is\n"
    "        replaced; a FIFO or a device is written into; a folder is refused.\n"
    "agenda  prints the classes of the date (default today) in time order.\n"
    "next    prints the next class from now, or from the date (at 00:00 or at --time):\n"
    "        course, teacher, room, date, weekday, week, start, end and the minutes until\n"
    "        it starts; a class under way counts until it ends (minutes below zero).\n"
    "        --json prints null when no class is left in the term. For status bars.\n"
    "check   lists, one line each with its cell, what keeps a class in WORKBOOK from\n"
    "        showing as intended: week rows that match no week of the term or only\n"
    "        part of what they say, blocks outside every big period, two classes that\n"
    "        meet in one slot in the same weeks, a block the ones above it always hide,\n"
    "        a workbook saved while another sheet than the first was shown. Text in the\n"
    "        blank row 2 is told as a note (说明：) and does not count.\n"
    "import  reads the timetable export of a school's system (.xls, .xlsx or HTML) and\n"
    "        writes it as a workbook this program reads: OUT, by default EXPORT's name\n"
    "        with .orvanto.xlsx; --json prints the classes understood instead, with the\n"
    "        reading chosen and the runners-up. An existing default OUT is replaced only\n"
    "        with --force; -o OUT is always replaced.\n"
    "        READING, instead of the reading the import finds itself:\n"
    "        --reading N          the N-th of --json's runnersUp, counted from 1\n"
    "        --fields LIST        the fields of a class in the export's order, from\n"
    "                             course,teacher,weeks,room (course and weeks needed)\n"
    "        --separator SEP      what parts them on a line: ';' '|' '/' ',' '◇' '  '\n"
    "                             or newline; with --fields or alone\n"
    "\n"
    "TERM    --term FILE          the term of a term.ini\n"
    "        --term-start DATE    the Monday of week 1, YYYY-MM-DD, 1900 to 9999;\n"
    "                             another day counts from its week's Monday\n"
    "        --weeks N            the number of teaching weeks, 1 to 30\n"
    "        They override the same settings of the term.ini. Without --term: the\n"
    "        term.ini the viewer beside this program uses, else the default term\n"
    "        (week 1 begins 2010-03-01, 22 weeks).\n";

constexpr std::string_view kChineseUsage =
    "用法：\n"
    "  orvanto-cli grid [--week N | --date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli week [--date YYYY-MM-DD] [TERM]\n"
    "  orvanto-cli ics [-o FILE] [TERM] WORKBOOK\n"
    "  orvanto-cli agenda [--date YYYY-MM-DD] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli next [--date YYYY-MM-DD] [--time HH:MM] [--json] [TERM] WORKBOOK\n"
    "  orvanto-cli check [TERM] WORKBOOK\n"
    "  orvanto-cli import [-o OUT.xlsx | --force] [--json] [READING] EXPORT\n"
    "  orvanto-cli COMMAND -h | --help\n"
    "  orvanto-cli --help | --version\n"
    "\n"
    "grid    打印 WORKBOOK（.xls 或 .xlsx）中一个教学周的课表：第 N 周\n"
    "        （1 到 30）、日期所在的周，或本周。\n"
    "week    打印日期（默认今天）所在的教学周。\n"
    "ics     把每个教学周的每节课写成日历文件（.ics），写到 FILE 或标准输出。\n"
    "        导出完整之后才替换 FILE，并保留它的权限；FILE 是链接时替换它指向\n"
    "        的文件；命名管道或设备直接写入；文件夹会被拒绝。\n"
    "agenda  按时间顺序打印日期（默认今天）的课程。\n"
    "next    打印从现在起，或从日期的 00:00（或 --time 的时刻）起的下一节课：\n"
    "        课程、教师、教室、日期、星期、周次、开始、结束时刻和距开始的分钟数；\n"
    "        正在上的课计到下课为止（分钟数为负）。本学期没有课了时 --json\n"
    "        打印 null。适合放在状态栏里。\n"
    "check   逐行列出 WORKBOOK 中让课程不能按原意显示的写法，各带单元格：\n"
    "        与学期的任何一周都不符或只符合一部分的周次行、不在任何大节内的\n"
    "        课程块、同一时段同一周的两门课、总被上方课程块遮住的课程块、保存时\n"
    "        显示的不是第一个工作表的工作簿。空白的第 2 行中的文字作为说明\n"
    "        （说明：）列出，不算问题。\n"
    "import  读取学校教务系统导出的课表（.xls、.xlsx 或网页），写成本程序能读\n"
    "        的工作簿 OUT，默认为 EXPORT 的文件名加上 .orvanto.xlsx；加 --json\n"
    "        则改为打印识别出的课程、所选的读法和备选读法。默认的 OUT 已存在时，\n"
    "        只有加上 --force 才替换；-o OUT 总是替换。\n"
    "        READING，代替导入自己找到的读法：\n"
    "        --reading N          --json 的 runnersUp 中的第 N 个，从 1 数起\n"
    "        --fields LIST        一门课的各项在导出中的顺序，取自\n"
    "                             course,teacher,weeks,room（须有 course 和 weeks）\n"
    "        --separator SEP      一行中分隔各项的符号：';' '|' '/' ',' '◇' '  '\n"
    "                             或 newline；可与 --fields 同用，也可单用\n"
    "\n"
    "TERM    --term FILE          term.ini 中的学期\n"
    "        --term-start DATE    第1周的星期一，YYYY-MM-DD，1900 到 9999 年；\n"
    "                             其他日子从它所在周的星期一算起\n"
    "        --weeks N            教学周数，1 到 30\n"
    "        它们覆盖 term.ini 中的同名设置。没有 --term 时，用本程序旁边的课表\n"
    "        查看器所用的 term.ini，否则用默认学期（第1周从 2010-03-01 开始，\n"
    "        共 22 周）。\n";

constexpr Row kRows[] = {
    {Text::ErrorLine, "orvanto-cli: error: {1}", "orvanto-cli：错误：{1}"},
    {Text::WarningLine, "orvanto-cli: warning: {1}", "orvanto-cli：警告：{1}"},
    {Text::TryHelp, "Try 'orvanto-cli --help'.", "用法请看 orvanto-cli --help。"},
    {Text::FileAndReason, "{1}: {2}", "{1}：{2}"},

    {Text::Usage, kEnglishUsage, kChineseUsage},
    {Text::UsageHeading, "Usage:", "用法："},
    {Text::ExitCodesHeading, "Exit codes:", "退出码："},
    {Text::ExitCodesSeparator, ", ", "，"},
    {Text::ExitCodesEnd, ".", "。"},
    {Text::ExitOk, "ok (check: nothing found)", "成功（check：没有发现问题）"},
    {Text::ExitLoadFailure, "WORKBOOK (or EXPORT) cannot be loaded",
     "无法读取 WORKBOOK（或 EXPORT）"},
    {Text::ExitUsage, "usage", "用法错误"},
    {Text::ExitComposeFailure, "the grid could not be composed (an unreadable cell)",
     "无法排出课表（有单元格无法读取）"},
    {Text::ExitWriteFailure,
     "FILE or standard output cannot be written (import: or the default OUT exists)",
     "无法写入 FILE 或标准输出（import：或默认的 OUT 已存在）"},
    {Text::ExitFindings, "check found something", "check 发现了问题"},

    {Text::NoCommand, "no command given", "没有给出命令"},
    {Text::UnknownCommand, "unknown command '{1}'", "没有“{1}”这个命令"},
    {Text::StandardOutputUnwritable, "cannot write standard output: {1}", "无法写入标准输出"},
    {Text::WriteError, "write error", "写入出错"},
    {Text::NumberValue, "{1} takes a whole number from 1 to {2}, not '{3}'",
     "{1} 需要 1 到 {2} 的整数，而不是“{3}”"},
    {Text::DateValue, "{1} takes a date as YYYY-MM-DD, not '{2}'",
     "{1} 需要 YYYY-MM-DD 形式的日期，而不是“{2}”"},
    {Text::TimeValue, "--time takes a time as HH:MM, not '{1}'",
     "--time 需要 HH:MM 形式的时刻，而不是“{1}”"},
    {Text::TermStartRange, "--term-start takes a date from 1900-01-01 to 9999-12-31, not '{1}'",
     "--term-start 需要 1900-01-01 到 9999-12-31 之间的日期，而不是“{1}”"},
    {Text::OutputEmpty, "-o takes a file name", "-o 需要一个文件名"},
    {Text::ReadingValue,
     "--reading takes a runner-up's number from --json, counted from 1, not '{1}'",
     "--reading 需要 --json 所列备选读法的序号（从 1 数起），而不是“{1}”"},
    {Text::FieldsValue,
     "--fields takes course, teacher, weeks and room in the export's order, comma separated, each "
     "at most once, course and weeks among them, not '{1}'",
     "--fields 需要按导出中的顺序、用逗号隔开的 course、teacher、weeks 和 room，每项至多一次，"
     "须有 course 和 weeks，而不是“{1}”"},
    {Text::SeparatorValue,
     "--separator takes one of ';' '|' '/' ',' '◇' '  ' (two blanks) or newline, not '{1}'",
     "--separator 需要 ';' '|' '/' ',' '◇' '  '（两个空格）或 newline 之一，而不是“{1}”"},
    {Text::NeedsValue, "{1} needs a value", "{1} 后面需要一个值"},
    {Text::UnknownOption, "unknown option {1}", "没有 {1} 这个选项"},
    {Text::UnexpectedArgument, "unexpected argument '{1}'", "多余的参数“{1}”"},
    {Text::WeekWithDate, "--week and --date cannot be used together",
     "--week 和 --date 不能同时使用"},
    {Text::ReadingWithDialect, "--reading cannot be used with --fields or --separator",
     "--reading 不能与 --fields 或 --separator 同时使用"},
    {Text::NoOperand, "no {1} given", "没有给出 {1}"},

    {Text::NoticeNotADate, "{1} is not a date written as YYYY-MM-DD",
     "{1} 不是 YYYY-MM-DD 形式的日期"},
    {Text::NoticeStartOutOfRange, "{1} is not a date from 1900 to 9999",
     "{1} 不是 1900 年到 9999 年之间的日期"},
    {Text::NoticeNotAMonday, "{1} is not a Monday", "{1} 不是星期一"},
    {Text::NoticeWeeksOutOfRange, "{1} is not a whole number from 1 to 30",
     "{1} 不是 1 到 30 的整数"},
    {Text::NoticeEditionNotText, "edition is not UTF-8 text without control characters",
     "edition 不是不含控制字符的 UTF-8 文字"},
    {Text::NoticeEditionTooLong, "edition is longer than {1} characters",
     "edition 超过了 {1} 个字符"},
    {Text::NoticeNotAPeriod, "period {1} is not HH:MM-HH:MM ending after it starts",
     "节次时间 {1} 不是结束晚于开始的 HH:MM-HH:MM"},
    {Text::NoticeUnrecognisedLine, "line {1} is neither [section] nor key=value: {2}",
     "第 {1} 行既不是“[节]”也不是“键=值”：{2}"},
    {Text::NoticeFileUnreadable, "not a readable text file", "不是可以读取的文本文件"},
    {Text::NoticeMondayUsed, "{1}; the Monday of its week is used", "{1}，改用这一周的星期一"},
    {Text::NoticeDefaultUsed, "{1}; the default is used", "{1}，改用默认值"},
    {Text::TermNoSuchFile, "--term {1}: no such file", "--term {1}：没有这个文件"},
    {Text::TermRefused, "--term {1}: {2}", "--term {1}：{2}"},
    {Text::LooksLikeExport,
     "orvanto-cli: looks like a school's export: use `orvanto-cli import FILE`",
     "orvanto-cli：这像是学校教务系统导出的课表：请用 `orvanto-cli import FILE`"},

    {Text::WeekNotComposed, "{1}: week {2} cannot be composed; nothing was written",
     "{1}：第{2}周的课表无法排出，什么也没有写入"},
    // The service words these writes' reasons in English ({2}).
    {Text::OverTheWorkbook, "{2}", "{1} 就是正在读取的课表工作簿，什么也没有写入"},
    {Text::CalendarWritten, "{1} classes in {2} events written to {3}",
     "已把 {1} 节课（{2} 个日程）写入 {3}"},
    {Text::WriteFailed, "{2}", "无法写入 {1}"},

    {Text::NotUnderstood, "orvanto-cli: not understood: {1}!{2} {3}",
     "orvanto-cli：未识别：{1}!{2} {3}"},
    {Text::NotRead, "orvanto-cli: not read: {1} (past the first {2} worksheets)",
     "orvanto-cli：未读取：{1}（在前 {2} 个工作表之后）"},
    {Text::ImportSummary, "orvanto-cli: {1} classes from {2} cells, {3} texts not understood",
     "orvanto-cli：从 {2} 个单元格读出 {1} 门课，{3} 段文字未识别"},
    {Text::DetailsLeftOut, ", {1} details left out", "，{1} 条附注未写入"},
    {Text::ReadingMissingOne, "--reading {1}: the export has {2} other reading",
     "--reading {1}：这份导出只有 {2} 种其他读法"},
    {Text::ReadingMissingMany, "--reading {1}: the export has {2} other readings",
     "--reading {1}：这份导出只有 {2} 种其他读法"},
    {Text::ImportToStandardOutput, "import writes a workbook file: -o takes its path",
     "import 写出的是工作簿文件：-o 需要它的路径"},
    {Text::ImportOverExport, "-o names the export itself, which is never written",
     "-o 指向导出文件本身，它从不被改写"},
    {Text::DefaultOutExists, "{1} exists: name another with -o, or add --force",
     "{1} 已存在：请用 -o 指定另一个文件，或加上 --force"},
    {Text::ImportWritten, "{1} classes written to {2}", "已把 {1} 门课写入 {2}"},
};

// A row out of place would word one message with another's text.
constexpr bool rowsInOrder() {
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        if (static_cast<std::size_t>(kRows[i].id) != i) {
            return false;
        }
    }
    return std::size(kRows) == static_cast<std::size_t>(Text::ImportWritten) + 1;
}
static_assert(rowsInOrder(), "kRows must list every Text once, in the enum's order");

} // namespace

std::string say(Language language, Text text, std::initializer_list<std::string_view> args) {
    const Row& row = kRows[static_cast<std::size_t>(text)];
    const std::string_view pattern = language == Language::Chinese ? row.chinese : row.english;
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '{' && i + 2 < pattern.size() &&
                                 pattern[i + 1] >= '1' && pattern[i + 1] <= '9' &&
                                 pattern[i + 2] == '}';
        if (!placeholder) {
            out += pattern[i];
            continue;
        }
        const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
        if (index < args.size()) {
            out += args.begin()[index];
        }
        i += 2;
    }
    return out;
}

} // namespace orvanto::cli
