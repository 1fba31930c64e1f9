// orvanto-cli speaks the student's language: every command's success, usage error and failure
// run under Chinese and English locales, and no line speaks the other language.
#include "cli/CliLanguage.h"

#include "InProcessCli.h"
#include "cli/CliError.h"
#include "core/Utf8.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace orvanto::cli {
namespace {

namespace fs = std::filesystem;
using testing::kToday;
using testing::linesOf;
using testing::sample;

// The environment of a locale: the variables set, the rest unset.
using Variables = std::map<std::string, std::string>;

Language languageFor(const Variables& variables) {
    return languageOf([&variables](const char* name) -> const char* {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    });
}

struct LocaleRow {
    Variables variables;
    Language expected;
};

const LocaleRow kLocales[] = {
    {{{"LANG", "zh_CN.UTF-8"}}, Language::Chinese},
    {{{"LC_ALL", "zh_CN.UTF-8"}, {"LANG", "en_US.UTF-8"}}, Language::Chinese},
    {{{"LC_MESSAGES", "zh_CN.UTF-8"}, {"LANG", "C"}}, Language::Chinese},
    {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "zh_SG"}}, Language::Chinese},
    {{{"LANG", "zh"}}, Language::Chinese},
    {{{"LANG", "zh_TW.UTF-8@stroke"}}, Language::Chinese},
    {{{"LANG", "C"}}, Language::English},
    {{{"LANG", "en_US.UTF-8"}}, Language::English},
    {{{"LC_ALL", "C"}, {"LANG", "zh_CN.UTF-8"}}, Language::English},
    {{{"LC_ALL", "POSIX"}, {"LC_MESSAGES", "zh_CN.UTF-8"}}, Language::English},
    {{{"LC_MESSAGES", "C.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, Language::English},
    {{{"LANG", "zhx_XX.UTF-8"}}, Language::English},
    {{}, Language::English},
};

TEST(LanguageOf, TheFirstOfLcAllLcMessagesAndLangThatIsSetDecides) {
    for (const LocaleRow& row : kLocales) {
        std::string variables;
        for (const auto& [name, value] : row.variables) {
            variables += name + "=" + value + " ";
        }
        EXPECT_EQ(languageFor(row.variables), row.expected) << variables;
    }
}

struct Output {
    int exitCode = -1;
    std::string out;
    std::string err;
};

void erase(std::string& line, const std::string& data) {
    if (data.empty()) {
        return;
    }
    for (std::size_t at = line.find(data); at != std::string::npos; at = line.find(data, at)) {
        line.erase(at, data.size());
    }
}

bool isCjk(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool holdsCjk(const std::string& line) {
    for (std::size_t i = 0; i < line.size();) {
        if (isCjk(core::decodeUtf8(line, i))) {
            return true;
        }
    }
    return false;
}

// What a Chinese line may hold in Latin letters: option names, file names, metavariables in
// capitals, command names, the keys of term.ini and the values of --fields and --separator,
// the names of formats.
bool mayStandInChinese(std::string_view word) {
    static const std::vector<std::string_view> kNames = {
        "orvanto-cli", "grid",  "week",   "ics",     "agenda",   "next",     "check",
        "import",      "null",  "course", "teacher", "weeks",    "room",     "newline",
        "edition",     "start", "Excel",  "UTF-8",   "term.ini", "runnersUp"};
    if (word.starts_with("-") || word.find('/') != word.npos || word.find('.') != word.npos) {
        return true;
    }
    bool lower = false;
    for (const char c : word) {
        lower = lower || (c >= 'a' && c <= 'z');
    }
    return !lower || std::ranges::find(kNames, word) != kNames.end();
}

// The Latin words of a line: runs of ASCII letters, digits and the marks names are made of.
std::vector<std::string> latinWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    auto flush = [&] {
        const bool letters = std::ranges::count_if(word, [](char c) {
                                 return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                             }) >= 2;
        if (letters) {
            words.push_back(word);
        }
        word.clear();
    };
    for (const char c : line) {
        const bool partOfName = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
                                c == '/' || c == ':' || c == '=' || c == '@';
        if (partOfName) {
            word += c;
        } else {
            flush();
        }
    }
    flush();
    return words;
}

struct Case {
    std::string name;
    std::vector<std::string> args;
    int exitCode;
    // Texts of the command line and the files that may stand in a line of either language.
    std::vector<std::string> data = {};
    bool json = false;                      // standard output is JSON: the same in both
    std::optional<fs::path> settingsTerm{}; // the viewer's term.ini
};

class CliLanguageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::path(::testing::TempDir()) / "cli-language";
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string put(const std::string& name, const std::string& bytes) const {
        const fs::path path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    static Output run(const Case& c, Language language) {
        const std::vector<std::string_view> views(c.args.begin(), c.args.end());
        std::ostringstream out;
        std::ostringstream err;
        Output result;
        result.exitCode = cli::run(views, out, err, kToday, c.settingsTerm,
                                   std::chrono::minutes{8 * 60}, language);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    std::vector<Case> cases() const {
        const std::string typical = sample("layout-typical-xlsxwriter.xlsx");
        const std::string broken = sample("layout-error-week3.xlsx");
        const std::string noMarker = sample("layout-marker-below-200.xlsx");
        const std::string text = std::string(ORVANTO_TEST_DATA) + "/../../README.md";
        const std::string missing = (m_folder / "没有的课表.xlsx").string();
        const std::string calendar = (m_folder / "课表.ics").string();
        const std::string exportFile = put(
            "教务导出.html",
            "<html><head><meta charset=\"utf-8\"></head><body><table>"
            "<tr><td></td><td>星期一</td><td>星期二</td><td>星期三</td></tr>"
            "<tr><td>第1,2节</td><td>高等数学<br>张三<br>1-16周<br>A101</td><td>实践周见通知</td>"
            "<td></td></tr></table></body></html>");
        const std::string imported = (m_folder / "导入.xlsx").string();
        const std::string emptyExport = put("空.html", "");
        const std::string badTerm = put("bad-term.ini", "[term]\r\nweeks=99\r\n");
        const std::string odd = put("odd-term.ini", "[term]\r\nstart=2026-09-07\r\nx\r\n");
        // A default OUT that exists already.
        const std::string defaultOut = put("教务导出.orvanto.xlsx", "kept");
        // The sheet and the text of the export's cell that holds no class.
        const std::vector<std::string> kUnread = {"表格1", "实践周见通知"};
        return {
            // The usage names the note check prints in every language.
            {"help", {"--help"}, kExitOk, {"说明："}},
            {"no command", {}, kExitUsage},
            {"unknown command", {"show"}, kExitUsage},
            {"version", {"--version"}, kExitOk},
            {"grid", {"grid", "--week", "3", typical}, kExitOk, {"外教 Tom"}},
            {"grid json", {"grid", "--week", "3", "--json", typical}, kExitOk, {}, true},
            {"grid help", {"grid", "--help"}, kExitOk},
            {"grid usage", {"grid", "--week", "0", typical}, kExitUsage},
            {"grid no workbook", {"grid"}, kExitUsage},
            {"grid missing", {"grid", missing}, kExitLoadFailure},
            {"grid no marker", {"grid", noMarker}, kExitLoadFailure, {"第12节"}},
            {"grid not composed", {"grid", "--week", "3", broken}, kExitComposeFailure},
            {"week", {"week", "--date", "2010-08-02"}, kExitOk},
            {"week not a Monday", {"week", "--term-start", "2026-09-09"}, kExitOk},
            {"week usage", {"week", "--weeks", "31"}, kExitUsage},
            {"week too far", {"week", "--date", "9999-12-31"}, kExitUsage},
            {"week term refused", {"week", "--term", badTerm}, kExitUsage},
            {"week term missing", {"week", "--term", missing}, kExitUsage},
            {"week settings warning", {"week"}, kExitOk, {}, false, fs::path(odd)},
            {"ics", {"ics", "-o", calendar, typical}, kExitOk},
            {"ics usage", {"ics", "--week", "3", typical}, kExitUsage},
            {"ics over the workbook", {"ics", "-o", typical, typical}, kExitWriteFailure},
            {"ics unwritable", {"ics", "-o", missing + "/x.ics", typical}, kExitWriteFailure},
            {"ics not composed", {"ics", broken}, kExitComposeFailure},
            {"agenda", {"agenda", "--date", "2010-03-15", typical}, kExitOk},
            {"agenda json", {"agenda", "--json", typical}, kExitOk, {}, true},
            {"agenda usage", {"agenda", "--date", "2010-02-30", typical}, kExitUsage},
            {"agenda not a workbook", {"agenda", text}, kExitLoadFailure},
            {"next", {"next", "--date", "2010-03-15", typical}, kExitOk},
            {"next usage", {"next", "--time", "25:00", typical}, kExitUsage},
            {"next not composed", {"next", "--date", "2010-03-15", broken}, kExitComposeFailure},
            {"check", {"check", sample("layout-second-sheet-active.xlsx")}, kExitFindings},
            {"check usage", {"check", "--json", typical}, kExitUsage},
            {"check missing", {"check", missing}, kExitLoadFailure},
            {"import", {"import", "-o", imported, exportFile}, kExitOk, kUnread},
            {"import json", {"import", "--json", exportFile}, kExitOk, kUnread, true},
            {"import default exists", {"import", exportFile}, kExitWriteFailure, {defaultOut}},
            {"import to stdout", {"import", "-o", "-", exportFile}, kExitUsage},
            {"import usage", {"import", "--reading", "0", exportFile}, kExitUsage},
            {"import no such reading",
             {"import", "-o", imported, "--reading", "99", exportFile},
             kExitUsage},
            {"import empty", {"import", emptyExport}, kExitLoadFailure},
            {"import a workbook", {"import", "-o", imported, missing}, kExitLoadFailure},
        };
    }

    fs::path m_folder;
};

// Removes the case's data from a line: what remains is the program's own wording.
std::string wordingOf(std::string line, const Case& c) {
    // Options are the program's own words; their values and the operands are data.
    std::vector<std::string> data = c.data;
    std::ranges::copy_if(c.args, std::back_inserter(data),
                         [](const std::string& arg) { return !arg.starts_with("-"); });
    // The longest first: "ics" must not cut "课表.ics" before the whole path goes.
    std::ranges::sort(data, std::ranges::greater{}, &std::string::size);
    for (const std::string& text : data) {
        erase(line, text);
    }
    return line;
}

void expectOnlyChinese(const std::string& text, const Case& c, std::string_view stream) {
    for (const std::string& line : linesOf(text)) {
        for (const std::string& word : latinWords(wordingOf(line, c))) {
            EXPECT_TRUE(mayStandInChinese(word))
                << c.name << ", " << stream << ": \"" << word << "\" in: " << line;
        }
    }
}

// An English line holds Chinese only where the program prints it in every language (the grid,
// the agenda, check's findings): the same line under the Chinese locale.
void expectOnlyEnglish(const std::string& text, const std::string& chinese, const Case& c,
                       std::string_view stream) {
    const std::vector<std::string> chineseLines = linesOf(chinese);
    for (const std::string& line : linesOf(text)) {
        if (std::ranges::find(chineseLines, line) != chineseLines.end()) {
            continue;
        }
        EXPECT_FALSE(holdsCjk(wordingOf(line, c))) << c.name << ", " << stream << ": " << line;
    }
}

TEST_F(CliLanguageTest, EveryCommandSpeaksTheLocalesLanguageOnly) {
    for (const Case& c : cases()) {
        const Output english = run(c, Language::English);
        const Output chinese = run(c, Language::Chinese);
        ASSERT_EQ(english.exitCode, c.exitCode) << c.name << "\n" << english.err;
        for (const LocaleRow& locale : kLocales) {
            const Language language = languageFor(locale.variables);
            const Output got = run(c, language);
            const Output& same = language == Language::Chinese ? chinese : english;
            // Only the words change: the exit code, the streams used and the JSON hold.
            EXPECT_EQ(got.exitCode, c.exitCode) << c.name;
            EXPECT_EQ(got.out.empty(), english.out.empty()) << c.name;
            EXPECT_EQ(got.err.empty(), english.err.empty()) << c.name;
            EXPECT_EQ(got.out, same.out) << c.name;
            EXPECT_EQ(got.err, same.err) << c.name;
            if (c.json) {
                EXPECT_EQ(got.out, english.out) << c.name;
            }
        }
        if (!c.json) {
            expectOnlyChinese(chinese.out, c, "stdout");
            expectOnlyEnglish(english.out, chinese.out, c, "stdout");
        }
        expectOnlyChinese(chinese.err, c, "stderr");
        expectOnlyEnglish(english.err, chinese.err, c, "stderr");
    }
}

// A command's own help is cut from the usage in either language: its synopsis, its paragraph,
// the term options when it takes them, and every exit code.
TEST(CommandHelp, EachCommandGetsItsOwnPartInEitherLanguage) {
    struct Row {
        const char* command;
        bool takesTerm;
    };
    const Row rows[] = {{"grid", true}, {"week", true},  {"ics", true},    {"agenda", true},
                        {"next", true}, {"check", true}, {"import", false}};
    for (const Language language : {Language::English, Language::Chinese}) {
        const std::vector<std::string_view> whole = {"--help"};
        std::ostringstream usage;
        std::ostringstream ignored;
        ASSERT_EQ(cli::run(whole, usage, ignored, kToday, std::nullopt, {}, language), kExitOk);
        for (const Row& row : rows) {
            const std::vector<std::string_view> args = {row.command, "--help"};
            std::ostringstream out;
            std::ostringstream err;
            ASSERT_EQ(cli::run(args, out, err, kToday, std::nullopt, {}, language), kExitOk);
            const std::vector<std::string> lines = linesOf(out.str());
            const auto starting = [&lines](const std::string& prefix) {
                return std::ranges::count_if(
                    lines, [&prefix](const std::string& line) { return line.starts_with(prefix); });
            };
            EXPECT_EQ(starting("  orvanto-cli " + std::string(row.command) + " "), 1) << out.str();
            EXPECT_EQ(starting(std::string(row.command) + " "), 1) << out.str();
            EXPECT_EQ(starting("TERM "), row.takesTerm ? 1 : 0) << out.str();
            // A meaning may be wrapped between its words.
            std::string unwrapped = out.str();
            for (std::size_t at = unwrapped.find("\n        "); at != std::string::npos;
                 at = unwrapped.find("\n        ", at)) {
                unwrapped.replace(at, 9, " ");
            }
            for (const ExitCodeMeaning& exit : kExitCodes) {
                EXPECT_NE(
                    unwrapped.find(std::to_string(exit.code) + " " + say(language, exit.meaning)),
                    std::string::npos)
                    << out.str();
            }
            EXPECT_LT(out.str().size(), usage.str().size());
        }
    }
}

// Every status a command can stop on has its Chinese reason.
TEST(ChineseFailure, EveryStatusIsWordedInChinese) {
    for (int status = 0; status < core::kStatusCount; ++status) {
        std::ostringstream err;
        setLanguage(err, Language::Chinese);
        const core::Failure failure(static_cast<core::Status>(status), "an English detail",
                                    "第1节");
        EXPECT_EQ(printFailure(err, failure, "课表.xlsx"), exitCodeFor(failure.status));
        EXPECT_TRUE(err.str().starts_with("orvanto-cli：错误：课表.xlsx：")) << err.str();
        EXPECT_TRUE(holdsCjk(err.str().substr(err.str().rfind("：")))) << err.str();
        EXPECT_EQ(err.str().find("English"), std::string::npos) << err.str();
    }
}

} // namespace
} // namespace orvanto::cli
