#include "VbText.h"

#include "core/Utf8.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

namespace orvanto::timetable {

int instr(std::u16string_view text, std::u16string_view needle) {
    const std::size_t at = text.find(needle);
    return at == std::u16string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::u16string_view mid(std::u16string_view text, int start, int length) {
    if (start < 1 || length <= 0 || static_cast<std::size_t>(start) > text.size()) {
        return {};
    }
    return text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(length));
}

double val(std::u16string_view text) {
    // Blanks, tabs and line feeds are ignored wherever they stand.
    std::string number;
    bool digitSeen = false;
    bool pointSeen = false;
    for (const char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n') {
            continue;
        }
        if (number.empty() && (c == u'+' || c == u'-')) {
            number.push_back(static_cast<char>(c));
        } else if (c >= u'0' && c <= u'9') {
            number.push_back(static_cast<char>(c));
            digitSeen = true;
        } else if (c == u'.' && !pointSeen) {
            number.push_back('.');
            pointSeen = true;
        } else {
            break;
        }
    }
    if (!digitSeen) {
        return 0;
    }
    if (number.back() == '.') {
        number.pop_back(); // "9." reads 9
    }
    // from_chars ignores the C locale, which a GUI may have switched to ',' decimals.
    const char* first = number.data() + (number[0] == '+' ? 1 : 0);
    double value = 0;
    const auto read = std::from_chars(first, number.data() + number.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        // Past a double's range: infinite when a digit before the point is not 0 (CInt then
        // overflows, as Visual Basic's Val does), else too small to tell from 0.
        const std::string_view whole = std::string_view(number).substr(0, number.find('.'));
        const bool huge = whole.find_first_of("123456789") != std::string_view::npos;
        const double infinity = std::numeric_limits<double>::infinity();
        value = !huge ? 0.0 : number[0] == '-' ? -infinity : infinity;
    }
    return value;
}

core::Result<std::int16_t> cint(double value) {
    if (!std::isfinite(value)) {
        return core::errors::overflow();
    }
    const double rounded = std::nearbyint(value); // default rounding mode: half to even
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return core::errors::overflow();
    }
    return static_cast<std::int16_t>(rounded);
}

} // namespace orvanto::timetable
