// orvanto-cli's side of the shared term table: the viewer's term.ini, read without --term, with
// the options over it, gives the week the viewer gives.
#include "../TermPolicyCases.h"
#include "cli/Cli.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using orvanto::testing::TermPolicyCase;

class SharedTermTable : public ::testing::TestWithParam<TermPolicyCase> {};

TEST_P(SharedTermTable, GivesTheViewersWeek) {
    const TermPolicyCase& c = GetParam();
    const fs::path termIni = fs::path(::testing::TempDir()) / (std::string(c.name) + "-term.ini");
    fs::remove(termIni);
    if (c.termIni != nullptr) {
        std::ofstream(termIni, std::ios::binary) << c.termIni;
    }
    std::vector<std::string> args = {"week", "--date", "2000-01-01"};
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02u-%02u", static_cast<int>(c.date.year()),
                  static_cast<unsigned>(c.date.month()), static_cast<unsigned>(c.date.day()));
    args[2] = date;
    args.insert(args.end(), c.options.begin(), c.options.end());
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = orvanto::cli::run(views, out, err, c.date, termIni);
    EXPECT_EQ(exitCode, 0) << err.str();
    EXPECT_EQ(out.str(), std::to_string(c.week) + "\n") << err.str();
    EXPECT_EQ(err.str().find("不在教学周内") == std::string::npos, c.inTerm) << err.str();
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedTermTable,
                         ::testing::ValuesIn(orvanto::testing::termPolicyCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// An option over a key the named file cannot use saves the command; a key it leaves unusable
// refuses the named file, as before.
TEST(NamedTermFile, AnOptionOverridesTheKeyItCannotUse) {
    const fs::path file = fs::path(::testing::TempDir()) / "named-term.ini";
    std::ofstream(file, std::ios::binary) << "[term]\r\nstart=2026-09-07\r\nweeks=45\r\n";
    const auto run = [&file](std::vector<std::string> extra) {
        std::vector<std::string> args = {"week", "--date", "2026-09-16", "--term", file.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const std::vector<std::string_view> views(args.begin(), args.end());
        std::ostringstream out;
        std::ostringstream err;
        const int exitCode = orvanto::cli::run(views, out, err, {});
        return std::make_pair(exitCode, out.str() + err.str());
    };
    EXPECT_EQ(run({"--weeks", "20"}), std::make_pair(0, std::string("2\n")));
    const auto refused = run({});
    EXPECT_EQ(refused.first, 2);
    EXPECT_NE(refused.second.find("weeks=45 is not a whole number"), std::string::npos);

    // A start that is not a Monday is used from its Monday, with a warning.
    std::ofstream(file, std::ios::binary) << "[term]\r\nstart=2026-09-09\r\n";
    const auto moved = run({});
    EXPECT_EQ(moved.first, 0);
    EXPECT_EQ(moved.second, "2\norvanto-cli: warning: " + file.string() +
                                ": start=2026-09-09 is not a Monday; the Monday of its week is "
                                "used\n");
}

} // namespace
