#include "imports/output/WorkbookWriter.h"

#include "core/Utf8.h"
#include "core/WorkbookLayout.h"
#include "imports/decode/SourceTable.h"
#include "imports/output/WorkbookLayout.h"
#include "platform/TemporaryFile.h"

#include <algorithm>
#include <array>
#include <string>
#include <xlsxwriter.h>

namespace orvanto::imports {

namespace {

constexpr const char* kTimetableSheet = "课表";
constexpr const char* kUnreadSheet = "未识别";
// The most characters a workbook cell holds; libxlsxwriter refuses longer strings.
constexpr int kLongestCellText = 32767;

core::Failure writeFailure(const std::string& reason) {
    return core::errors::loadFailure(core::Status::Io, reason);
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The text as a cell's XML must carry it. Readers decode "_xHHHH_" as the character HHHH and
// libxlsxwriter leaves such text as it is, so a literal one gets its underscore escaped
// (_x005F_); U+FFFE and U+FFFF, which XML cannot hold, go as escapes too. libxlsxwriter
// escapes the control characters itself.
std::string escapedForCell(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_' &&
            std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i) + 2,
                        text.begin() + static_cast<std::ptrdiff_t>(i) + 6, isHexDigit)) {
            out += "_x005F_";
        } else if (text.compare(i, 3, "\xEF\xBF\xBE") == 0 ||
                   text.compare(i, 3, "\xEF\xBF\xBF") == 0) {
            out += text[i + 2] == '\xBE' ? "_xFFFE_" : "_xFFFF_";
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// Writes one text as a string, never as a number or a formula: a course "123" or "=A1" stays
// what the export wrote. rows and columns 0-based.
core::Result<void> writeText(lxw_worksheet* sheet, const char* sheetName, int row, int column,
                             const std::string& text, lxw_format* format = nullptr) {
    const std::string where = std::string(sheetName) + "!" + SourceTable::address(row, column);
    // Bytes that are not UTF-8 would make the whole workbook unreadable, and no guess at what
    // they meant keeps the text as written: the write stops here instead.
    if (!core::isValidUtf8(text)) {
        return core::errors::loadFailure(core::Status::InvalidClass,
                                         "the text for " + where + " is not valid UTF-8");
    }
    const lxw_error error =
        worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               escapedForCell(text).c_str(), format);
    if (error == LXW_NO_ERROR) {
        return {};
    }
    if (error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED) {
        return core::errors::loadFailure(core::Status::TooLarge,
                                         "the text for " + where + " is longer than the " +
                                             std::to_string(kLongestCellText) +
                                             " characters a workbook cell holds");
    }
    return core::errors::loadFailure(core::Status::Io,
                                     "cannot write " + where + ": " + lxw_strerror(error));
}

// Roughly how many character widths a text takes: Chinese characters count two.
double displayWidth(const std::string& text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size();) {
        width += core::decodeUtf8(text, i) < 0x80 ? 1 : 2;
    }
    return width;
}

core::Result<void> writeTimetable(lxw_workbook* workbook, const std::vector<LaidOutCell>& cells) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, kTimetableSheet);
    if (sheet == nullptr) {
        return core::errors::loadFailure(core::Status::Io, "cannot add the timetable sheet");
    }
    // libxlsxwriter counts rows and columns from 0.
    using Layout = core::WorkbookLayout;
    constexpr lxw_col_t kMarkers = Layout::columnNumber(Layout::kMarkerColumn) - 1;
    constexpr lxw_col_t kMonday = Layout::columnNumber(Layout::kFirstClassColumn) - 1;
    constexpr lxw_col_t kSunday = Layout::columnNumber(Layout::kLastClassColumn) - 1;
    worksheet_set_column(sheet, kMarkers, kMarkers, 8, nullptr);
    worksheet_set_column(sheet, kMonday, kSunday, 18, nullptr);
    worksheet_freeze_panes(sheet, Layout::kHeadingRow, kMonday); // headings and markers stay
    for (const LaidOutCell& cell : cells) {
        if (auto written =
                writeText(sheet, kTimetableSheet, cell.row - 1, cell.column - 1, cell.text);
            !written) {
            return written;
        }
    }
    return {};
}

// Every text not understood with the sheet and cell it came from, for the student to copy
// into the timetable by hand.
core::Result<void> writeUnread(lxw_workbook* workbook, const std::vector<UnreadText>& unread) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, kUnreadSheet);
    if (sheet == nullptr) {
        return core::errors::loadFailure(core::Status::Io, "cannot add the sheet 未识别");
    }
    lxw_format* header = workbook_add_format(workbook);
    format_set_bold(header);
    const std::array<std::string, 3> titles = {"工作表", "单元格", "内容"};
    constexpr std::array<double, 3> kMinimumWidths = {10, 8, 20};
    constexpr std::array<double, 3> kMaximumWidths = {30, 12, 80};
    std::array<double, 3> widths = kMinimumWidths;
    for (int column = 0; column < 3; ++column) {
        if (auto written = writeText(sheet, kUnreadSheet, 0, column,
                                     titles[static_cast<std::size_t>(column)], header);
            !written) {
            return written;
        }
    }
    int row = 1;
    for (const UnreadText& text : unread) {
        const std::array<const std::string*, 3> fields = {&text.sheet, &text.cell, &text.text};
        for (std::size_t column = 0; column < fields.size(); ++column) {
            if (auto written =
                    writeText(sheet, kUnreadSheet, row, static_cast<int>(column), *fields[column]);
                !written) {
                return written;
            }
            widths[column] = std::clamp(displayWidth(*fields[column]) + 2, widths[column],
                                        kMaximumWidths[column]);
        }
        ++row;
    }
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const auto at = static_cast<lxw_col_t>(column);
        worksheet_set_column(sheet, at, at, widths[column], nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    return {};
}

} // namespace

core::Result<std::vector<std::uint8_t>> writeTimetableWorkbook(const ImportResult& result) {
    auto cells = layOutClasses(result.classes);
    if (!cells) {
        return cells.failure();
    }
    const platform::TemporaryFile file;
    if (!file.created()) {
        return writeFailure(file.problem());
    }
    const std::string path = file.utf8Path();
    lxw_workbook_options options{};
    lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
    if (workbook == nullptr) {
        return writeFailure("cannot start a workbook in " + path);
    }
    // The timetable sheet comes first and stays the active one: the viewer reads both its
    // markers and its classes there.
    core::Result<void> written = writeTimetable(workbook, cells.value());
    if (written) {
        written = writeUnread(workbook, result.unread);
    }
    // Closing also frees the workbook, so it happens on every path.
    const lxw_error closed = workbook_close(workbook);
    if (!written) {
        return written.failure();
    }
    if (closed != LXW_NO_ERROR) {
        return writeFailure("cannot write the workbook to " + path + ": " + lxw_strerror(closed));
    }
    return file.contents();
}

} // namespace orvanto::imports
