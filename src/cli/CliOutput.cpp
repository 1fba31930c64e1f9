#include "CliOutput.h"

#include "core/Utf8.h"
#include "core/Weekdays.h"
#include "service/SharedWording.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace orvanto::cli {

namespace {

constexpr const auto& kDayHeadings = core::kWeekdayHeadings;
constexpr const auto& kPeriodHeadings = service::kBigPeriodNames;

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Splits a caption at its CR LF pairs; other control characters become blanks.
std::vector<std::string> captionLines(const std::string& caption) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') {
            lines.emplace_back();
            ++i;
        } else if (static_cast<unsigned char>(caption[i]) < 0x20) {
            lines.back().push_back(' ');
        } else {
            lines.back().push_back(caption[i]);
        }
    }
    return lines;
}

// Appends " text |", the text padded to the column's width. (Appended piece by piece: GCC 12
// warns, falsely, with -Wrestrict on "literal" + a temporary string.)
void appendCell(std::string& out, std::string_view text, int width) {
    out += ' ';
    out += text;
    out.append(static_cast<std::size_t>(std::max(0, width - displayWidth(text))), ' ');
    out += " |";
}

} // namespace

int displayWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        width += isWide(core::decodeUtf8(utf8, i)) ? 2 : 1;
    }
    return width;
}

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
                out += buffer;
            } else {
                out.push_back(c);
            }
        }
    }
    return out + "\"";
}

std::string gridJson(const service::WeekView& view, const service::MarkerRows& markers) {
    const service::GridComposition& grid = *view.grid;
    std::string out = "{\"week\": " + std::to_string(*view.week) + ", \"markers\": [";
    for (std::size_t i = 0; i < markers.size(); ++i) {
        out += (i ? ", " : "") + std::to_string(markers[i]);
    }
    out += "], \"cells\": [";
    for (std::size_t i = 0; i < grid.cells.size(); ++i) {
        out += (i ? ", " : "");
        const service::GridCell& cell = grid.cells[i];
        out += "{\"index\": " + std::to_string(i) + ", \"caption\": " + jsonString(cell.caption) +
               ", \"tooltip\": " + jsonString(cell.tooltip);
        if (!cell.others.empty()) {
            out += ", \"others\": [";
            for (std::size_t k = 0; k < cell.others.size(); ++k) {
                const auto& [course, teacher, room] = cell.others[k].lines;
                out += (k ? ", " : "");
                out += "{\"course\": " + jsonString(course) +
                       ", \"teacher\": " + jsonString(teacher) + ", \"room\": " + jsonString(room) +
                       ", \"row\": " + std::to_string(cell.others[k].row) + "}";
            }
            out += "]";
        }
        out += "}";
    }
    out += "]";
    if (grid.failure) {
        out += ", \"error\": {\"number\": " +
               std::to_string(core::legacyError(grid.failure->status).number) +
               ", \"description\": " + jsonString(core::legacyDescription(*grid.failure)) +
               ", \"message\": " + jsonString(core::legacyMessage(*grid.failure)) + "}";
    }
    return out + "}";
}

std::string gridTable(const service::WeekView& view) {
    const service::GridComposition& grid = *view.grid;
    // Lines of every cell, and the width of each column (0 is the period headings).
    std::array<std::array<std::vector<std::string>, 7>, 5> lines;
    std::array<int, 8> widths{};
    widths[0] = displayWidth(service::kTimeHeading);
    for (std::size_t day = 0; day < 7; ++day) {
        widths[day + 1] = displayWidth(kDayHeadings[day]);
    }
    for (std::size_t period = 0; period < 5; ++period) {
        widths[0] = std::max(widths[0], displayWidth(kPeriodHeadings[period]));
        for (std::size_t day = 0; day < 7; ++day) {
            const std::size_t index = period * 7 + day;
            if (index < grid.cells.size()) {
                lines[period][day] = captionLines(grid.cells[index].caption);
                if (const std::size_t others = grid.cells[index].others.size(); others > 0) {
                    // The classes the cell does not show are counted after its course.
                    lines[period][day].front() += " +" + std::to_string(others);
                }
            }
            for (const auto& line : lines[period][day]) {
                widths[day + 1] = std::max(widths[day + 1], displayWidth(line));
            }
        }
    }
    std::string rule = "+";
    for (const int w : widths) {
        rule += std::string(static_cast<std::size_t>(w) + 2, '-') + "+";
    }
    rule += "\n";

    std::string out = service::weekName(*view.week);
    out += view.inTerm ? "" : "（不在教学周内）";
    out += "\n";
    out += rule;
    out += "|";
    appendCell(out, service::kTimeHeading, widths[0]);
    for (std::size_t day = 0; day < 7; ++day) {
        appendCell(out, kDayHeadings[day], widths[day + 1]);
    }
    out += "\n";
    out += rule;
    for (std::size_t period = 0; period < 5; ++period) {
        std::size_t height = 1;
        for (const auto& cell : lines[period]) {
            height = std::max(height, cell.size());
        }
        for (std::size_t row = 0; row < height; ++row) {
            out += "|";
            appendCell(out, row == 0 ? kPeriodHeadings[period] : "", widths[0]);
            for (std::size_t day = 0; day < 7; ++day) {
                const auto& cell = lines[period][day];
                appendCell(out, row < cell.size() ? std::string_view(cell[row]) : "",
                           widths[day + 1]);
            }
            out += "\n";
        }
        out += rule;
    }
    return out;
}

} // namespace orvanto::cli
