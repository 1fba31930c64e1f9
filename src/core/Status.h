// Every kind of failure the program reports, and the 2010 edition's error number and text for
// each: callers and tests decide by the status, the edges word it.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvanto::core {

enum class Status : std::uint8_t {
    // A workbook or an export that cannot be read; the readers' own come first (isLoadFailure).
    FileNotFound,      // nothing at the path
    NotAFile,          // a directory or another non-file at the path
    CannotOpen,        // the file exists but cannot be opened or read
    Empty,             // the file has no bytes
    NotAWorkbook,      // content of another kind (text, an image, an unknown container)
    Truncated,         // the file ends before its structure does
    Damaged,           // a part is corrupt: bad record, bad XML, a member that cannot be read
    MissingPart,       // a part the workbook names is not there
    Encrypted,         // password-protected
    UnsupportedFormat, // a workbook format that is not read (.xlsb, Excel 2.x-4.0, BIFF version)
    NoWorksheet,       // the workbook holds no worksheet
    TooLarge,          // a size past what a timetable can need (cells, text, a part, rows)
    MarkerMissing,     // a period marker is not in column B of the first worksheet
    NoTimetable,       // an export read fine but no table of it holds a timetable
    // A week that cannot be composed or numbered.
    TypeMismatch,            // a cell whose value is an error (#N/A, #DIV/0!)
    Overflow,                // a number past the range of a week number
    WeekOutOfRange,          // a date too far from the term to number its week
    NoWorkbook,              // no workbook is open
    ActiveSheetNotWorksheet, // the sheet the workbook opens on is a chart or a macro sheet
    BadCellAddress,          // a row outside the sheet
    // Anything else.
    InvalidClass, // an imported class the workbook cannot hold: a weekday off the grid, bad text
    Io,           // a file or folder that cannot be created or written
    Usage,        // a command line or an option value that cannot be used; the last (kStatusCount)
};

// The error number and description the 2010 edition showed for a status ("发生错误：13 (类型不匹配)
// ..."). text is empty where that description was the reason itself, as for a workbook the
// spreadsheet component could not open; number is 0 where the edition had no such failure.
struct LegacyError {
    std::int32_t number;
    std::string_view text;
};

constexpr LegacyError legacyError(Status status) {
    switch (status) {
    case Status::MarkerMissing:
        return {91, {}};
    case Status::TypeMismatch:
        return {13, "类型不匹配"};
    case Status::Overflow:
    case Status::WeekOutOfRange:
        return {6, "溢出"};
    case Status::NoWorkbook:
        return {1004, "没有打开的工作簿"};
    case Status::ActiveSheetNotWorksheet:
        return {1004, "活动工作表不是工作表"};
    case Status::BadCellAddress:
        return {1004, "单元格地址无效"};
    case Status::Io:
    case Status::Usage:
        return {0, {}};
    default: // a file that cannot be read or imported, a class that cannot be laid out
        return {1004, {}};
    }
}

// The readers' statuses, which come first: the file, its container or its content cannot be
// read as a workbook.
constexpr bool isLoadFailure(Status status) {
    return status <= Status::TooLarge;
}

// One past the last status, for tables and tests that go through every status.
inline constexpr int kStatusCount = static_cast<int>(Status::Usage) + 1;

} // namespace orvanto::core
