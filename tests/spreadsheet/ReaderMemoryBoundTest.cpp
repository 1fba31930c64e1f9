// Small crafted workbooks that try to make a reader allocate far more than the cells it
// keeps (zip bombs, declared counts in the billions, one long string in every cell).
// Each reader runs in a child process whose address space may grow by 64 MB at most;
// going over kills the child, and the test then fails.
#include "spreadsheet/Workbook.h"
#include "spreadsheet/xls/XlsReader.h"
#include "spreadsheet/xlsx/XlsxReader.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <new>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANTO_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ORVANTO_UNDER_ASAN 1
#endif

namespace orvanto::spreadsheet {
namespace {

using core::Status;

constexpr long kBoundBytes = 64L << 20;

enum ChildExit { kFailedAsExpected = 0, kLoaded = 10, kOtherFailure = 11, kOutOfMemory = 12 };

std::vector<std::uint8_t> readBad(const std::string& name) {
    std::ifstream in(std::string(ORVANTO_TEST_DATA) + "/bad/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

long addressSpaceInUse() {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) {
            pages = 0;
        }
        std::fclose(statm);
    }
    return pages * sysconf(_SC_PAGESIZE);
}

// Runs work in a child limited to 64 MB more address space than it starts with; returns
// the child's exit code, or -signal when it was killed (an allocation it could not get
// ends in abort from GLib or std::terminate).
template <class Work> int inBoundedChild(Work work) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limit{static_cast<rlim_t>(addressSpaceInUse() + kBoundBytes),
                           static_cast<rlim_t>(addressSpaceInUse() + kBoundBytes)};
        if (setrlimit(RLIMIT_AS, &limit) != 0) {
            _exit(kOtherFailure);
        }
        try {
            _exit(work());
        } catch (const std::bad_alloc&) {
            _exit(kOutOfMemory);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
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

// Reading every worksheet, as the import does, keeps more of a file: it must stay within the
// same bound, whether it then loads or fails.
TEST_P(ReaderMemoryBound, EveryWorksheetStaysWithinSixtyFourMegabytes) {
    const std::vector<std::uint8_t> bytes = readBad(GetParam().file);
    const int code = inBoundedChild([&] {
        const auto sheets = Workbook::readWorksheets(bytes);
        return static_cast<int>(sheets ? kLoaded : kFailedAsExpected);
    });
    EXPECT_TRUE(code == kLoaded || code == kFailedAsExpected)
        << GetParam().file << ": exit " << code
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
                    Bomb{"xlsx-memory-long-sheet-names.xlsx", false, Status::Damaged}));

INSTANTIATE_TEST_SUITE_P(
    Xls, ReaderMemoryBound,
    testing::Values(Bomb{"xls-memory-shared-string-fanout.xls", true, Status::TooLarge},
                    Bomb{"xls-memory-sst-count-billions.xls", true, std::nullopt},
                    Bomb{"xls-memory-sst-index-billions.xls", true, Status::Damaged}));

} // namespace
} // namespace orvanto::spreadsheet
