#include "CellText.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvanto::spreadsheet {

namespace {

constexpr int kSignificantDigits = 15;
// Excel's last day, 9999-12-31, as a 1900-system serial.
constexpr double kLastSerial = 2958465.0;
// Currency holds 4 decimals in a 64-bit integer.
constexpr double kCurrencyLimit = 922337203685477.0;

std::string twoDigitExponent(int exponent) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return buffer;
}

// Serial day number to the date and time parts that a Date variant carries.
struct DateTimeParts {
    std::chrono::year_month_day date;
    bool hasDate = true;
    int seconds = 0; // seconds into the day, rounded
};

DateTimeParts toDateTime(double serial, bool date1904) {
    long long day = static_cast<long long>(std::floor(serial));
    int seconds = static_cast<int>(std::llround((serial - static_cast<double>(day)) * 86400.0));
    if (seconds >= 86400) {
        seconds -= 86400;
        ++day;
    }
    DateTimeParts parts;
    parts.seconds = seconds;
    using namespace std::chrono;
    if (date1904) {
        parts.date = year_month_day{sys_days{year{1904} / January / 1} + days{day}};
        return parts;
    }
    parts.hasDate = day != 0;
    // Serials from 61 on count from 1899-12-30; below that Excel's phantom
    // 1900-02-29 shifts them by one day.
    const long long offset = day < 61 ? day + 1 : day;
    parts.date = year_month_day{sys_days{year{1899} / December / 30} + days{offset}};
    if (day == 60) {
        parts.date = year{1900} / February / 28;
    }
    return parts;
}

std::string dateText(double serial, bool date1904) {
    const DateTimeParts parts = toDateTime(serial, date1904);
    char time[32];
    std::snprintf(time, sizeof time, "%d:%02d:%02d", parts.seconds / 3600, parts.seconds / 60 % 60,
                  parts.seconds % 60);
    if (!parts.hasDate) {
        return time;
    }
    char date[32];
    std::snprintf(date, sizeof date, "%04d/%u/%u", static_cast<int>(parts.date.year()),
                  static_cast<unsigned>(parts.date.month()),
                  static_cast<unsigned>(parts.date.day()));
    return parts.seconds == 0 ? std::string(date) : std::string(date) + " " + time;
}

std::string currencyText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    std::string text = buffer;
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

bool isDateSerial(const CellValue& cell, bool date1904) {
    const double last = date1904 ? kLastSerial - 1462 : kLastSerial;
    return cell.format == FormatKind::Date && cell.number >= 0 && cell.number < last + 1;
}

std::string numberText(const CellValue& cell, bool date1904) {
    if (isDateSerial(cell, date1904)) {
        return dateText(cell.number, date1904);
    }
    if (cell.format == FormatKind::Currency && std::fabs(cell.number) < kCurrencyLimit) {
        return currencyText(cell.number);
    }
    return generalNumberText(cell.number);
}

} // namespace

std::string generalNumberText(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    // d.dddddddddddddde±x: 15 significant digits, correctly rounded.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
    std::string text = buffer;
    const std::size_t e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    const bool negative = text[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] != '.') {
            digits.push_back(text[i]);
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int decimals = static_cast<int>(digits.size()) - 1 - exponent;
    std::string out = negative ? "-" : "";
    if (exponent >= kSignificantDigits || decimals > kSignificantDigits) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        return out + twoDigitExponent(exponent);
    }
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        return out + digits;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        return out + digits + std::string(integerDigits - digits.size(), '0');
    }
    return out + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

core::Result<std::string> cellValueToText(const CellValue& cell, bool date1904) {
    switch (cell.kind) {
    case CellValue::Kind::Empty:
        return std::string();
    case CellValue::Kind::String:
        return cell.text;
    case CellValue::Kind::Number:
        return numberText(cell, date1904);
    case CellValue::Kind::Boolean:
        return std::string(cell.boolean ? "True" : "False");
    case CellValue::Kind::Error:
        return core::errors::typeMismatch();
    }
    return std::string();
}

std::string searchText(const CellValue& cell, bool date1904) {
    if (!cell.formula.empty() || cell.formulaUnknown) {
        return cell.formula;
    }
    switch (cell.kind) {
    case CellValue::Kind::Boolean:
        return cell.boolean ? "TRUE" : "FALSE";
    case CellValue::Kind::Error:
        return cell.text;
    default:
        return cellValueToText(cell, date1904).value();
    }
}

} // namespace orvanto::spreadsheet
