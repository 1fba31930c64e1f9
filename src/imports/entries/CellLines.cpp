#include "imports/entries/CellLines.h"

#include "imports/entries/ImportText.h"
#include "imports/entries/PeriodText.h"

#include <algorithm>

namespace orvanto::imports {

namespace {

// Length of a literal "<br>", "<br/>", "<br />" or "</br>" (any case) at text[i]; 0 if none.
std::size_t breakTagLength(std::string_view text, std::size_t i) {
    std::size_t j = i + 1;
    if (j < text.size() && text[j] == '/') {
        ++j;
    }
    if (j + 2 > text.size() || (text[j] != 'b' && text[j] != 'B') ||
        (text[j + 1] != 'r' && text[j + 1] != 'R')) {
        return 0;
    }
    j += 2;
    while (j < text.size() && text[j] == ' ') {
        ++j;
    }
    if (j < text.size() && text[j] == '/') {
        ++j;
    }
    while (j < text.size() && text[j] == ' ') {
        ++j;
    }
    return j < text.size() && text[j] == '>' ? j + 1 - i : 0;
}

} // namespace

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        if (text[i] == '\n') {
            length = 1;
        } else if (text[i] == '\r') {
            length = i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        } else if (text[i] == '<') {
            length = breakTagLength(text, i);
        }
        if (length == 0) {
            ++i;
            continue;
        }
        lines.push_back(trimBlanks(text.substr(start, i - start)));
        i += length;
        start = i;
    }
    lines.push_back(trimBlanks(text.substr(start)));
    return lines;
}

// A line of dashes ("-----", "——", "───", "=====", "*****") parts the classes of a cell as
// a blank line does.
bool isDashLine(std::string_view line) {
    const auto points = codePointsOf(line);
    return points.size() >= 2 && std::all_of(points.begin(), points.end(), [](CodePoint p) {
               const char32_t c = foldWidth(p.value);
               return c == U'-' || c == U'_' || c == U'=' || c == U'*' || c == U'~' ||
                      c == 0x2014 || c == 0x2013 || c == 0x2500 || c == 0x2501;
           });
}

// "第1-2节", "3-4节", "第一大节": periods with their 节, so that "12" stays a room.
std::optional<SmallPeriods> periodsLine(std::string_view line) {
    if (line.find("节") == std::string_view::npos) {
        return std::nullopt;
    }
    return readPeriodLabel(line);
}

} // namespace orvanto::imports
