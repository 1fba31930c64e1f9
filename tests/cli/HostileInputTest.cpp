// Inputs that once cost minutes or gigabytes, and their neighbours (ten times larger, the same
// trick elsewhere), made by make_hostile_inputs.py and read as the viewer reads a workbook
// (grid) and as the import reads an export. Each read runs in a child held to 64 MB more
// address space and 2 s of CPU, and must end within both: failing with one line, or
// succeeding with a listing of one line per entry.
#include "../BoundedChild.h"
#include "InProcessCli.h"

#include <cctype>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace orvanto::testing {
namespace {

const std::filesystem::path kInputs = ORVANTO_HOSTILE_INPUTS;

enum class Way { Viewer, Import };

struct Hostile {
    const char* file;
    int viewerExit;
    int importExit;
    // In the one line of a failure, or the first line of the import's listing.
    const char* importSays;
};

void PrintTo(const Hostile& input, std::ostream* os) {
    *os << input.file;
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct BoundedRun {
    int code = 0; // the command's exit, or -signal when a bound ended it
    std::string out;
    std::string err;
};

// The command in a bounded child; what it printed comes back through files.
BoundedRun runBounded(const std::vector<std::string>& args) {
    const std::filesystem::path out = kInputs / "run.out";
    const std::filesystem::path err = kInputs / "run.err";
    BoundedRun run;
    run.code = bounds::inBoundedChild(
        [&] {
            const CliRun done = cli(args);
            std::ofstream(out, std::ios::binary) << done.out;
            std::ofstream(err, std::ios::binary) << done.err;
            return done.exitCode;
        },
        2, 10);
    run.out = fileText(out);
    run.err = fileText(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

std::string bound(int code) {
    switch (-code) {
    case SIGXCPU:
        return " (more than 2 s of CPU)";
    case SIGALRM:
        return " (blocked)";
    case SIGABRT:
    case SIGSEGV:
        return " (more than 64 MB, or a crash)";
    default:
        return code == bounds::kChildOutOfMemory ? " (more than 64 MB)" : "";
    }
}

class HostileInputTest : public ::testing::TestWithParam<Hostile> {
  protected:
    static void SetUpTestSuite() {
        const std::string command =
            "/usr/bin/python3 '" ORVANTO_HOSTILE_SCRIPT "' '" + kInputs.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    void SetUp() override {
#ifdef ORVANTO_UNDER_ASAN
        GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space";
#endif
    }
};

TEST_P(HostileInputTest, EndsWithinSixtyFourMegabytesAndTwoSeconds) {
    const Hostile& input = GetParam();
    const std::string path = (kInputs / input.file).string();
    for (const Way way : {Way::Viewer, Way::Import}) {
        const bool viewer = way == Way::Viewer;
        const BoundedRun run =
            runBounded(viewer ? std::vector<std::string>{"grid", "--week", "1", path}
                              : std::vector<std::string>{"import", "--json", path});
        const int expected = viewer ? input.viewerExit : input.importExit;
        const std::string context =
            std::string(input.file) + (viewer ? " (viewer)" : " (import)") + ":\n" + run.err;
        ASSERT_EQ(run.code, expected) << context << bound(run.code);
        std::vector<std::string> lines = linesOf(run.err);
        // A workbook the viewer cannot read that reads as a school's export gets the one hint
        // line after its error; the error itself stays one line.
        if (viewer && lines.size() == 2 &&
            lines[1] ==
                "orvanto-cli: looks like a school's export: use `orvanto-cli import FILE`") {
            lines.pop_back();
        }
        if (expected != 0) {
            ASSERT_EQ(lines.size(), 1u) << context;
            EXPECT_EQ(lines[0].rfind("orvanto-cli: error: " + path + ": ", 0), 0u) << context;
        } else {
            // One line per entry: a name from the file never splits a line.
            ASSERT_FALSE(lines.empty()) << context;
            for (const std::string& line : lines) {
                EXPECT_EQ(line.rfind("orvanto-cli: ", 0), 0u) << context;
                EXPECT_EQ(line.find('\r'), std::string::npos) << context;
            }
            EXPECT_NE(lines.back().find(" classes from "), std::string::npos) << context;
            EXPECT_EQ(run.out.rfind("{\"classes\": [", 0), 0u) << run.out;
        }
        if (!viewer) {
            EXPECT_NE(lines.front().find(input.importSays), std::string::npos) << context;
        }
    }
}

constexpr int kFails = 1;
constexpr int kReads = 0;
constexpr const char* kTooDeep = "is damaged: elements nested more than 256 deep";
constexpr const char* kNotRead = "orvanto-cli: not read: S64 (past the first 64 worksheets)";

INSTANTIATE_TEST_SUITE_P(
    Crafted, HostileInputTest,
    ::testing::Values(
        // Elements opened and never closed, in a worksheet and in the shared strings.
        Hostile{"deep-sheet.xlsx", kFails, kFails, kTooDeep},
        Hostile{"deep-sheet-10x.xlsx", kFails, kFails, kTooDeep},
        Hostile{"deep-sheet-cells.xlsx", kFails, kFails, kTooDeep},
        Hostile{"deep-shared-strings.xlsx", kFails, kFails, kTooDeep},
        // Thousands of sheets on one part: the first 64 read, the others named.
        Hostile{"many-sheets.xlsx", kFails, kReads, kNotRead},
        Hostile{"many-sheets-10x.xlsx", kFails, kReads, kNotRead},
        Hostile{"many-sheets-merged.xlsx", kFails, kReads, kNotRead},
        Hostile{"many-one-cell-sheets.xlsx", kFails, kFails, "no row or column of weekday"},
        // HTML: attributes, stray end tags, nesting, a flood of classes.
        Hostile{"many-attributes.html", kFails, kFails, "more than 128 attributes"},
        Hostile{"many-attributes-meta.html", kFails, kFails, "more than 128 attributes"},
        Hostile{"many-attributes-10x.html", kFails, kFails, "larger than 8 MiB"},
        Hostile{"stray-end-tags.html", kFails, kFails, "nests elements more than 256 deep"},
        Hostile{"stray-end-tags-10x.html", kFails, kFails, "nests elements more than 256 deep"},
        Hostile{"stray-end-tags-span.html", kFails, kFails, "nests elements more than 256 deep"},
        Hostile{"stray-end-tags-shallow.html", kFails, kFails, "end tags that close no element"},
        Hostile{"deep-tables.html", kFails, kFails, "nests elements more than 256 deep"},
        Hostile{"class-flood.html", kFails, kFails, "the text of the cells read is too large"},
        Hostile{"class-flood-10x.html", kFails, kFails, "the text of the cells read is too large"},
        // No regular file: refused at once, never waited on.
        Hostile{"fifo.xlsx", kFails, kFails, "it is a FIFO, not a regular file"},
        Hostile{"folder.xlsx", kFails, kFails, "is a directory"},
        // Names with control characters, listed on one line each.
        Hostile{"sheet-name-breaks.xlsx", kFails, kReads, "课表\\n第二行\\r!B3 \"???\""},
        Hostile{"sheet-name-escape.xlsx", kFails, kReads, "a\\tb\\x7fc!B3 \"???\""}),
    [](const ::testing::TestParamInfo<Hostile>& param) {
        std::string name = param.param.file;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

} // namespace
} // namespace orvanto::testing
