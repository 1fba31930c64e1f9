#include "SharedWording.h"

namespace orvanto::service {

namespace {

std::string timetableReason(core::Status status, std::string_view subject) {
    using core::Status;
    switch (status) {
    case Status::FileNotFound:
        return "找不到文件";
    case Status::NotAFile:
        return "所选的不是文件";
    case Status::CannotOpen:
        return "文件无法打开";
    case Status::Empty:
        return "文件是空的";
    case Status::NotAWorkbook:
        return "文件不是 Excel 工作簿";
    case Status::Truncated:
        return "文件不完整";
    case Status::Damaged:
    case Status::MissingPart:
        return "工作簿已损坏";
    case Status::Encrypted:
        return "工作簿设有密码";
    case Status::UnsupportedFormat:
        return "请另存为 .xls 或 .xlsx";
    case Status::NoWorksheet:
        return "工作簿中没有工作表";
    case Status::TooLarge:
        return "工作簿内容过大";
    case Status::MarkerMissing:
        return "缺少节次标记“" + std::string(subject) + "”";
    case Status::NoTimetable:
        return "文件中没有找到课表";
    case Status::TypeMismatch:
        return "单元格中是错误值";
    case Status::Overflow:
        return "数字超出了周次的范围";
    case Status::WeekOutOfRange:
        return "日期离学期太远，算不出是第几周";
    case Status::NoWorkbook:
        return "没有打开的工作簿";
    case Status::ActiveSheetNotWorksheet:
        return "活动工作表不是工作表";
    case Status::BadCellAddress:
        return "单元格地址超出了工作表";
    case Status::InvalidClass:
        return "有课程的星期、节次或文字无法写入课表工作簿";
    case Status::Io:
        return "无法写入文件";
    case Status::Usage:
        break;
    }
    return "用法错误";
}

} // namespace

std::string failureReason(core::Status status, std::string_view subject, FailedStep step) {
    using core::Status;
    if (step == FailedStep::ReadExport) {
        switch (status) {
        case Status::NotAWorkbook:
            return "文件不是 Excel 工作簿，也不是网页";
        case Status::NoTimetable:
            return "文件中没有找到课表（需要一行星期一至星期日的表头和节次）";
        case Status::TooLarge:
            return "文件过大，不像是一份课表";
        default:
            break;
        }
    }
    if (step == FailedStep::SaveImported) {
        switch (status) {
        case Status::Io:
            // The workbook is made in a temporary file before it replaces the one chosen.
            return "无法写入临时文件，请检查临时文件夹是否可写";
        case Status::TooLarge:
            return "课程太多，课表工作簿放不下（节次标记须在第200行以内）";
        default:
            break;
        }
    }
    return timetableReason(status, subject);
}

} // namespace orvanto::service
