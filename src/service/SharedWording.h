// The Chinese lines that the viewer and orvanto-cli both show, worded once so that the same case
// reads the same in both; each program adds its own surroundings (a box, a status label, a
// terminal line).
#pragma once

#include "core/Status.h"
#include "core/Term.h"
#include "core/Weekdays.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanto::service {

// The corner heading over the period names.
inline constexpr std::string_view kTimeHeading = "时间";

inline constexpr std::array<std::string_view, core::kBigPeriods> kBigPeriodNames = {
    "第一大节", "第二大节", "第三大节", "第四大节", "第五大节"};

// A week outside the term's teaching weeks, or too far from it to number.
inline constexpr std::string_view kNotClassTime = "提示：现在不是上课时间！";
// No class is left in the term after now.
inline constexpr std::string_view kNoClassesLeft = "本学期没有课了";

// The check of a workbook: nothing found that keeps a class from showing; and the lead of a
// note, which tells what the layout does on purpose.
inline constexpr std::string_view kNothingToFix = "没有发现可能让课程不显示的写法。";
inline constexpr std::string_view kNoteLead = "说明：";

// "第5周".
inline std::string weekName(std::int64_t week) {
    return "第" + std::to_string(week) + "周";
}

// What a failure stopped. A school's export and the workbook made of it say some statuses their
// own way: an export may also be a web page, and a workbook too large to save has too many
// classes rather than a size no timetable needs.
enum class FailedStep { ReadTimetable, ReadExport, SaveImported };

// Why it failed, without the file and without a closing mark: "找不到文件",
// "缺少节次标记“第一节”" (subject is what the failure names, such as the missing marker).
std::string failureReason(core::Status status, std::string_view subject,
                          FailedStep step = FailedStep::ReadTimetable);

} // namespace orvanto::service
