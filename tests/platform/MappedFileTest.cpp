#include "platform/MappedFile.h"

#include "TestFolder.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvanto::platform {
namespace {

using core::Status;

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string textOf(const MappedFile& file) {
    const auto bytes = file.bytes();
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(MappedFileTest, GivesTheBytesOfARegularFileUpToTheLimit) {
    const testing::TestFolder folder("orvanto-mapped");
    const auto path = folder.path() / "课表.xlsx";
    writeFile(path, std::string("PK\3\4") + std::string(5000, 'x'));
    auto whole = MappedFile::open(path);
    ASSERT_TRUE(whole.ok()) << whole.failure().detail;
    EXPECT_EQ(textOf(*whole), std::string("PK\3\4") + std::string(5000, 'x'));

    EXPECT_TRUE(MappedFile::open(path, 5004).ok());
    auto over = MappedFile::open(path, 5003);
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.failure().status, Status::TooLarge);

    // A moved file keeps its bytes; the one moved from holds none.
    MappedFile moved = std::move(whole).value();
    EXPECT_EQ(moved.bytes().size(), 5004u);

    writeFile(folder.path() / "empty", "");
    auto empty = MappedFile::open(folder.path() / "empty");
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->bytes().empty());
}

struct NotAFileCase {
    const char* name;
    Status status;
    const char* detail; // part of the reason; "" for none
};

class MappedFileRefusal : public ::testing::TestWithParam<NotAFileCase> {};

// Whatever stands at the path, the answer comes at once: a FIFO without a writer is never
// waited on, a device never read.
TEST_P(MappedFileRefusal, RefusesAtOnceWithTheReason) {
    const testing::TestFolder folder("orvanto-mapped");
    const NotAFileCase& refused = GetParam();
    const std::string kind = refused.name;
    std::filesystem::path path = folder.path() / "target";
    if (kind == "fifo") {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (kind == "folder") {
        std::filesystem::create_directory(path);
    } else if (kind == "device") {
        path = "/dev/zero";
    } else if (kind == "socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path = folder.path() / "s";
        path.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(fd);
    } else if (kind == "missing-folder") {
        path = folder.path() / "nowhere" / "target";
    } else if (kind == "unreadable" && ::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    } else if (kind == "unreadable") {
        writeFile(path, "x");
        std::filesystem::permissions(path, std::filesystem::perms::none);
    }
    const auto opened = MappedFile::open(path);
    ASSERT_FALSE(opened.ok()) << kind;
    EXPECT_EQ(opened.failure().status, refused.status) << kind;
    EXPECT_NE(opened.failure().detail.find(refused.detail), std::string::npos)
        << kind << ": " << opened.failure().detail;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MappedFileRefusal,
    ::testing::Values(NotAFileCase{"fifo", Status::CannotOpen, "it is a FIFO, not a regular file"},
                      NotAFileCase{"device", Status::CannotOpen, "it is a device"},
                      NotAFileCase{"socket", Status::CannotOpen, ""},
                      NotAFileCase{"folder", Status::NotAFile, ""},
                      NotAFileCase{"missing", Status::FileNotFound, ""},
                      NotAFileCase{"missing-folder", Status::FileNotFound, ""},
                      NotAFileCase{"unreadable", Status::CannotOpen, "permission denied"}),
    [](const ::testing::TestParamInfo<NotAFileCase>& param) {
        std::string name = param.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

} // namespace
} // namespace orvanto::platform
