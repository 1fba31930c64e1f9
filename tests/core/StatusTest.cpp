// The 2010 edition's error number and text of every status, and its message built from them.
#include "core/Failure.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace orvanto::core {
namespace {

struct LegacyRow {
    Status status;
    std::int32_t number;
    const char* text; // empty: the message carries the detail
};

// What the viewer and the CLI showed for each kind of failure before there was a status.
constexpr LegacyRow kLegacyRows[] = {
    {Status::FileNotFound, 1004, ""},
    {Status::NotAFile, 1004, ""},
    {Status::CannotOpen, 1004, ""},
    {Status::Empty, 1004, ""},
    {Status::NotAWorkbook, 1004, ""},
    {Status::Truncated, 1004, ""},
    {Status::Damaged, 1004, ""},
    {Status::MissingPart, 1004, ""},
    {Status::Encrypted, 1004, ""},
    {Status::UnsupportedFormat, 1004, ""},
    {Status::NoWorksheet, 1004, ""},
    {Status::TooLarge, 1004, ""},
    {Status::MarkerMissing, 91, ""},
    {Status::NoTimetable, 1004, ""},
    {Status::TypeMismatch, 13, "类型不匹配"},
    {Status::Overflow, 6, "溢出"},
    {Status::WeekOutOfRange, 6, "溢出"},
    {Status::NoWorkbook, 1004, "没有打开的工作簿"},
    {Status::ActiveSheetNotWorksheet, 1004, "活动工作表不是工作表"},
    {Status::BadCellAddress, 1004, "单元格地址无效"},
    {Status::InvalidClass, 1004, ""},
    {Status::Io, 0, ""},
    {Status::Usage, 0, ""},
};

TEST(LegacyError, EveryStatusHasTheNumberAndTextItWasShownWith) {
    std::set<Status> seen;
    for (const LegacyRow& row : kLegacyRows) {
        const int index = static_cast<int>(row.status);
        EXPECT_EQ(legacyError(row.status).number, row.number) << "status " << index;
        EXPECT_EQ(legacyError(row.status).text, row.text) << "status " << index;
        seen.insert(row.status);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kStatusCount));
}

TEST(LegacyMessage, NumberAndTextOfTheStatusWhateverTheDetail) {
    EXPECT_EQ(legacyMessage(errors::typeMismatch()),
              "发生错误：13 (类型不匹配) ，请尝试重新设置课表路径并/或再次启动程序。");
    EXPECT_EQ(legacyMessage(Failure{Status::BadCellAddress, "row 70000"}),
              "发生错误：1004 (单元格地址无效) ，请尝试重新设置课表路径并/或再次启动程序。");
    EXPECT_EQ(legacyMessage(errors::weekOutOfRange()),
              "发生错误：6 (溢出) ，请尝试重新设置课表路径并/或再次启动程序。");
}

TEST(LegacyMessage, TheReasonStandsWhereTheStatusHasNoText) {
    const Failure missing = errors::markerMissing("第五节");
    EXPECT_EQ(missing.subject, "第五节");
    EXPECT_EQ(legacyDescription(missing), missing.detail);
    EXPECT_EQ(legacyMessage(missing),
              "发生错误：91 (marker \"第五节\" not found in B1:B200 of "
              "the first worksheet) ，请尝试重新设置课表路径并/或再次启动程序。");
    EXPECT_EQ(legacyMessage(errors::loadFailure(Status::Empty, "file is empty")),
              "发生错误：1004 (file is empty) ，请尝试重新设置课表路径并/或再次启动程序。");
}

} // namespace
} // namespace orvanto::core
