// Small crafted workbooks that try to make a reader allocate far more than the cells it
// keeps (zip bombs, declared counts in the billions, one long string in every cell), and
// every other file of tests/data/bad. Each reader runs in a child process whose address
// space may grow by 64 MB at most; going over kills the child, and the test then fails.
#include "../BoundedChild.h"
#include "spreadsheet/Workbook.h"
#include "spreadsheet/xls/XlsReader.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace orvanto::spreadsheet {
namespace {

using core::Status;

using orvanto::bounds::inBoundedChild;

enum ChildExit {
    kFailedAsExpected = 0,
    kLoaded = 10,
    kOtherFailure = orvanto::bounds::kChildUnbounded,
    kOutOfMemory = orvanto::bounds::kChildOutOfMemory
};

const std::filesystem::path kBadFolder = std::filesystem::path(ORVANTO_TEST_DATA) / "bad";

std::vector<std::uint8_t> readBad(const std::string& name) {
    std::ifstream in(kBadFolder / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file in the folder, whatever its name: a sample added later is covered unasked (the
// scripts that write the samples are read too, and must simply fail to load).
std::vector<std::string> badFolderFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kBadFolder, error)) {
        if (entry.is_regular_file()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::ranges::sort(names);
    return names;
}

class BoundedChild : public testing::Test {
  protected:
    void SetUp() override {
#ifdef ORVANTO_UNDER_ASAN
        GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space";
#endif
    }
};

TEST_F(BoundedChild, CatchesAnAllocationOverTheBound) {
    // The check itself: 100 MB in one piece must not be had in the child.
    const int code = inBoundedChild([] {
        std::vector<char> big(100L << 20, 'x');
        return big[12345] == 'x' ? kLoaded : kOtherFailure;
    });
    EXPECT_EQ(code, kOutOfMemory);
}

struct Bomb {
    const char* file;
    bool xls;
    std::optional<core::Status> failure; // the status the reader must give; none: it loads
};

void PrintTo(const Bomb& bomb, std::ostream* os) {
    *os << bomb.file;
}

class ReaderMemoryBound : public BoundedChild, public testing::WithParamInterface<Bomb> {};

TEST_P(ReaderMemoryBound, StaysWithinSixtyFourMegabytes) {
    const Bomb& bomb = GetParam();
    const std::vector<std::uint8_t> bytes = readBad(bomb.file);
    ASSERT_FALSE(bytes.empty()) << bomb.file;
    ASSERT_LT(bytes.size(), 512u * 1024u) << "a bomb should be small";

    const int code = inBoundedChild([&] {
        const auto cells = bomb.xls ? readXls(bytes) : readXlsx(bytes);
        if (cells) {
            return static_cast<int>(kLoaded);
        }
        if (cells.failure().status != bomb.failure) {
            std::fprintf(stderr, "%s: unexpected failure: %s\n", bomb.file,
                         cells.failure().detail.c_str());
            return static_cast<int>(kOtherFailure);
        }
        return static_cast<int>(kFailedAsExpected);
    });
    EXPECT_EQ(code, bomb.failure ? kFailedAsExpected : kLoaded)
        << bomb.file << ": exit " << code
        << (code == kOutOfMemory || code < 0 ? " (needed more than 64 MB)" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Xlsx, ReaderMemoryBound,
    testing::Values(Bomb{"xlsx-memory-shared-string-fanout.xlsx", false, Status::TooLarge},
                    Bomb{"xlsx-memory-inline-text-fanout.xlsx", false, Status::TooLarge},
                    Bomb{"xlsx-memory-repeated-cell.xlsx", false, Status::Damaged},
                    // The string asked for is there: only the declared and real counts are huge.
                    Bomb{"xlsx-memory-shared-string-count.xlsx", false, std::nullopt},
                    Bomb{"xlsx-zip-bomb-sheet.xlsx", false, Status::TooLarge},
                    Bomb{"xlsx-zip-bomb-shared-strings.xlsx", false, Status::TooLarge},
                    Bomb{"xlsx-billion-laughs.xlsx", false, Status::Damaged},
                    // Each within its own limit, together over a hundred MB.
                    Bomb{"xlsx-memory-long-shared-strings.xlsx", false, Status::TooLarge},
                    // Codes longer than any format Excel writes are not kept.
                    Bomb{"xlsx-memory-long-format-codes.xlsx", false, std::nullopt},
                    Bomb{"xlsx-memory-long-sheet-names.xlsx", false, Status::Damaged},
                    // A million elements left open; as deep as the limit lets it, it loads.
                    Bomb{"xlsx-memory-deep-elements.xlsx", false, Status::Damaged},
                    Bomb{"xlsx-depth-at-limit.xlsx", false, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Xls, ReaderMemoryBound,
    testing::Values(Bomb{"xls-memory-shared-string-fanout.xls", true, Status::TooLarge},
                    Bomb{"xls-memory-sst-count-billions.xls", true, std::nullopt},
                    Bomb{"xls-memory-sst-index-billions.xls", true, Status::Damaged},
                    // One shared formula spelling 30 KB of text, used by every kept cell.
                    Bomb{"xls-memory-shared-formula-fanout.xls", true, Status::TooLarge}));

// Every file of the folder, read as the viewer reads it and as the import reads every
// worksheet (which keeps more of a file): within the same bound, whether it loads or fails.
class EveryBadFile : public BoundedChild, public testing::WithParamInterface<std::string> {};

TEST_P(EveryBadFile, StaysWithinSixtyFourMegabytes) {
    const std::string& name = GetParam();
    const std::vector<std::uint8_t> bytes = readBad(name);
    const auto outcome = [](bool loaded) {
        return static_cast<int>(loaded ? kLoaded : kFailedAsExpected);
    };
    const int viewer = inBoundedChild([&] { return outcome(Workbook::fromBytes(bytes).ok()); });
    const int import =
        inBoundedChild([&] { return outcome(Workbook::readWorksheets(bytes).ok()); });
    for (const auto& [way, code] : {std::pair{"viewer", viewer}, std::pair{"import", import}}) {
        EXPECT_TRUE(code == kLoaded || code == kFailedAsExpected)
            << name << " (" << way << "): exit " << code
            << (code == kOutOfMemory || code < 0 ? " (needed more than 64 MB)" : "");
    }
}

std::string testName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::ranges::replace_if(
        name, [](unsigned char c) { return std::isalnum(c) == 0; }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(BadFolder, EveryBadFile, testing::ValuesIn(badFolderFiles()), testName);

// The loop above covers nothing if the folder is not where it is looked for.
TEST(BadFolder, IsFound) {
    EXPECT_GT(badFolderFiles().size(), 50u);
}

} // namespace
} // namespace orvanto::spreadsheet
