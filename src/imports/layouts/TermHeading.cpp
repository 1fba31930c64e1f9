#include "imports/layouts/TermHeading.h"

#include <regex>
#include <string>

namespace orvanto::imports {

namespace {

// Headings stand above the timetable, and are short.
constexpr int kHeadingRows = 12;
constexpr std::size_t kLongestHeading = 300;

TermHalf halfOfNumber(std::string_view number) {
    if (number == "2" || number == "二") {
        return TermHalf::Spring;
    }
    if (number == "3" || number == "三") {
        return TermHalf::Summer;
    }
    return TermHalf::Autumn;
}

TermHalf halfOfSeason(std::string_view season) {
    if (season == "春") {
        return TermHalf::Spring;
    }
    if (season == "夏") {
        return TermHalf::Summer;
    }
    return TermHalf::Autumn;
}

// An academic year runs from autumn to summer: its first term begins in its first year, the
// others in its second.
ExportTerm termOfYears(std::string edition, int firstYear, int secondYear, TermHalf half) {
    return {std::move(edition), half, half == TermHalf::Autumn ? firstYear : secondYear};
}

} // namespace

std::optional<ExportTerm> readTermHeading(std::string_view text) {
    if (text.size() > kLongestHeading) {
        return std::nullopt;
    }
    const std::string heading(text);
    std::smatch match;
    // "2025-2026学年第一学期", "2018-2019学年第1学期", "2020-2021学年春季学期". Chinese characters
    // are several bytes each: a quantifier after one stands on a group.
    static const std::regex academicYear(
        "(\\d{4})\\s*(?:-|~|/|至|～|—)\\s*(\\d{4})\\s*学年(?:度)?\\s*"
        "(?:第\\s*(一|二|三|1|2|3)\\s*学期|(春|秋|夏)(?:季)?(?:学期)?)");
    if (std::regex_search(heading, match, academicYear)) {
        const TermHalf half =
            match[3].matched ? halfOfNumber(match[3].str()) : halfOfSeason(match[4].str());
        return termOfYears(match[0].str(), std::stoi(match[1].str()), std::stoi(match[2].str()),
                           half);
    }
    // "学年学期：2019-2020-2", "2018-2019-1"
    static const std::regex numbered("(\\d{4})\\s*-\\s*(\\d{4})\\s*-\\s*([123])(?!\\d)");
    if (std::regex_search(heading, match, numbered)) {
        const int first = std::stoi(match[1].str());
        const int second = std::stoi(match[2].str());
        if (second == first + 1) {
            return termOfYears(match[0].str(), first, second, halfOfNumber(match[3].str()));
        }
    }
    // "2018春季学期", "2020年秋季", "2019年夏季学期"
    static const std::regex season("(\\d{4})\\s*(?:年)?\\s*(春|秋|夏)(?:季学期|季|学期)");
    if (std::regex_search(heading, match, season)) {
        return ExportTerm{match[0].str(), halfOfSeason(match[2].str()), std::stoi(match[1].str())};
    }
    return std::nullopt;
}

std::optional<ExportTerm> termOfTables(std::span<const SourceTable> tables) {
    for (const SourceTable& table : tables) {
        for (const SourceCell& cell : table.cells()) {
            if (cell.row >= kHeadingRows) {
                continue;
            }
            if (auto term = readTermHeading(cell.text)) {
                return term;
            }
        }
    }
    return std::nullopt;
}

} // namespace orvanto::imports
