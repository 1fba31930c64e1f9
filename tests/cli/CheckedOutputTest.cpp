// Standard output that fails part way, in-process: writes that stop after a number of bytes as
// on a full disk, under the buffer orvanto-cli's main() uses.
#include "cli/CheckedOutput.h"

#include "InProcessCli.h"

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using orvanto::testing::sample;

struct DiskRun {
    int exitCode = -1;
    std::string written;
    std::string err;
};

// A disk that takes capacity bytes, then fails every write with ENOSPC.
DiskRun runOnDisk(const std::vector<std::string>& args, std::size_t capacity) {
    DiskRun run;
    orvanto::cli::CheckedOutput checked([&](const char* bytes, std::size_t count) {
        const std::size_t taken = std::min(capacity - run.written.size(), count);
        if (taken == 0) {
            errno = ENOSPC;
            return std::ptrdiff_t{-1};
        }
        run.written.append(bytes, taken);
        return static_cast<std::ptrdiff_t>(taken);
    });
    std::ostream out(&checked);
    std::ostringstream err;
    const std::vector<std::string_view> views(args.begin(), args.end());
    run.exitCode = orvanto::cli::run(views, out, err, orvanto::testing::kToday);
    run.err = err.str();
    return run;
}

// The calendar's DTSTAMP is the time of each run; two runs may straddle a second.
std::string withoutStamps(std::string text) {
    const std::string field = "DTSTAMP:";
    for (std::size_t at = text.find(field); at != std::string::npos; at = text.find(field, at)) {
        at += field.size();
        for (std::size_t i = at; i < std::min(text.size(), at + 16); ++i) {
            text[i] = 'X';
        }
    }
    return text;
}

struct DiskCase {
    std::vector<std::string> args;
    std::size_t fullSize; // what the command prints with room enough
};

class FillingDisk : public ::testing::TestWithParam<DiskCase> {};

TEST_P(FillingDisk, EveryCapacityShortOfTheOutputIsExitFour) {
    const DiskCase& c = GetParam();
    const DiskRun whole = runOnDisk(c.args, 1 << 20);
    ASSERT_EQ(whole.exitCode, 0) << whole.err;
    ASSERT_GT(whole.written.size(), c.fullSize);
    for (const std::size_t capacity :
         {std::size_t{0}, std::size_t{1}, whole.written.size() / 2, whole.written.size() - 1}) {
        const DiskRun cut = runOnDisk(c.args, capacity);
        EXPECT_EQ(cut.exitCode, 4) << capacity;
        EXPECT_EQ(cut.err,
                  "orvanto-cli: error: cannot write standard output: No space left on device\n");
        EXPECT_EQ(withoutStamps(cut.written), withoutStamps(whole.written.substr(0, capacity)));
    }
    EXPECT_EQ(runOnDisk(c.args, whole.written.size()).exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FillingDisk,
    ::testing::Values(
        DiskCase{{"ics", sample("layout-typical-xlsxwriter.xlsx")}, 3000},
        DiskCase{{"grid", "--json", sample("layout-typical-xlsxwriter.xlsx")}, 2000},
        DiskCase{{"agenda", "--date", "2010-03-02", sample("layout-typical-xlsxwriter.xlsx")}, 80},
        DiskCase{{"check", sample("layout-typical-xlsxwriter.xlsx")}, 10}, DiskCase{{"week"}, 1}));

// A stream that cannot say why still never passes for success.
TEST(CheckedOutput, AnyFailedStreamIsExitFour) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    const std::vector<std::string_view> args = {"week"};
    EXPECT_EQ(orvanto::cli::run(args, out, err, orvanto::testing::kToday), 4);
    EXPECT_EQ(err.str(), "orvanto-cli: error: cannot write standard output: write error\n");
}

} // namespace
