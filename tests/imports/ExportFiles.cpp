#include "ExportFiles.h"

#include "../spreadsheet/XlsFileBuilder.h"
#include "core/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <map>
#include <unistd.h>
#include <utility>
#include <xlsxwriter.h>

namespace orvanto::importtests {

namespace {

// A browser folds a run of spaces, and the import folds a run of &nbsp; as one blank too: a
// page's gap between fields is written as U+3000, as the pages that part fields by blanks do.
std::string htmlEscaped(const std::string& text, const std::string& br) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' && i + 1 < text.size() && text[i + 1] == ' ') {
            out += "\u3000";
            while (i + 1 < text.size() && text[i + 1] == ' ') {
                ++i;
            }
            continue;
        }
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\n':
            out += br;
            break;
        default:
            out += c;
        }
    }
    return out;
}

Bytes gbkOf(const std::string& text) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    std::string in = text;
    Bytes out(text.size() * 2 + 16);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size();
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

Bytes xlsxOf(const std::vector<SheetCell>& cells) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("orvanto-generated-" + std::to_string(::getpid()) + ".xlsx");
    lxw_workbook* workbook = workbook_new(path.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "课表");
    lxw_format* wrap = workbook_add_format(workbook);
    format_set_text_wrap(wrap);
    for (const SheetCell& cell : cells) {
        const auto row = static_cast<lxw_row_t>(cell.row);
        const auto column = static_cast<lxw_col_t>(cell.column);
        if (cell.rowSpan > 1 || cell.columnSpan > 1) {
            worksheet_merge_range(
                sheet, row, column, static_cast<lxw_row_t>(cell.row + cell.rowSpan - 1),
                static_cast<lxw_col_t>(cell.column + cell.columnSpan - 1), cell.text.c_str(), wrap);
        } else {
            worksheet_write_string(sheet, row, column, cell.text.c_str(), wrap);
        }
    }
    workbook_close(workbook);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(path);
    return bytes;
}

Bytes xlsOf(const std::vector<SheetCell>& cells) {
    using namespace spreadsheet::testing;
    Bytes records;
    Payload merges;
    unsigned mergeCount = 0;
    for (const SheetCell& cell : cells) {
        const std::u16string text = core::toUtf16(cell.text);
        records =
            records + record(0x0204, Payload()
                                         .bytes(cellHeader(static_cast<unsigned>(cell.row),
                                                           static_cast<unsigned>(cell.column)))
                                         .string8(text)
                                         .take());
        if (cell.rowSpan > 1 || cell.columnSpan > 1) {
            merges.u16(static_cast<unsigned>(cell.row))
                .u16(static_cast<unsigned>(cell.row + cell.rowSpan - 1))
                .u16(static_cast<unsigned>(cell.column))
                .u16(static_cast<unsigned>(cell.column + cell.columnSpan - 1));
            ++mergeCount;
        }
    }
    if (mergeCount > 0) {
        records = records + record(0x00E5, Payload().u16(mergeCount).bytes(merges.get()).take());
    }
    return xlsFile(workbookStream({}, {{0, records}}));
}

Bytes htmlOf(const std::vector<SheetCell>& cells, bool gbk, int brForm) {
    static const char* const kBreaks[] = {"<br>", "<br/>", "<br />"};
    const std::string br = kBreaks[brForm % 3];
    int rows = 0;
    int columns = 0;
    std::map<std::pair<int, int>, const SheetCell*> at;
    std::map<std::pair<int, int>, bool> covered;
    for (const SheetCell& cell : cells) {
        rows = std::max(rows, cell.row + cell.rowSpan);
        columns = std::max(columns, cell.column + cell.columnSpan);
        at[{cell.row, cell.column}] = &cell;
        for (int r = 0; r < cell.rowSpan; ++r) {
            for (int c = 0; c < cell.columnSpan; ++c) {
                if (r > 0 || c > 0) {
                    covered[{cell.row + r, cell.column + c}] = true;
                }
            }
        }
    }
    std::string page = std::string("<html><head><meta http-equiv=\"Content-Type\" "
                                   "content=\"text/html; charset=") +
                       (gbk ? "gbk" : "utf-8") +
                       "\"><title>学生课表</title></head>\n<body>\n<table border=\"1\">\n";
    for (int row = 0; row < rows; ++row) {
        page += "<tr>";
        for (int column = 0; column < columns; ++column) {
            if (covered.contains({row, column})) {
                continue;
            }
            const auto found = at.find({row, column});
            if (found == at.end()) {
                page += "<td>&nbsp;</td>";
                continue;
            }
            const SheetCell& cell = *found->second;
            page += "<td";
            if (cell.rowSpan > 1) {
                page += " rowspan=\"" + std::to_string(cell.rowSpan) + "\"";
            }
            if (cell.columnSpan > 1) {
                page += " colspan=\"" + std::to_string(cell.columnSpan) + "\"";
            }
            page += ">" + htmlEscaped(cell.text, br) + "</td>";
        }
        page += "</tr>\n";
    }
    page += "</table>\n</body></html>\n";
    if (gbk) {
        return gbkOf(page);
    }
    return Bytes(page.begin(), page.end());
}

} // namespace orvanto::importtests
