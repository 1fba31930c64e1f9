#include "TermSettings.h"

#include "IniText.h"
#include "core/Utf8.h"
#include "platform/AtomicReplace.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace orvanto::settings {

namespace {

using namespace std::chrono;

} // namespace

std::optional<int> parseClockTime(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() - colon != 3) {
        return std::nullopt;
    }
    const auto hours = wholeNumber<int>(text.substr(0, colon));
    const auto minutes = wholeNumber<int>(text.substr(colon + 1));
    if (!hours || !minutes || *hours < 0 || *hours > 23 || *minutes < 0 || *minutes > 59) {
        return std::nullopt;
    }
    return *hours * 60 + *minutes;
}

namespace {

class TermParser {
  public:
    explicit TermParser(StoredTerm& stored) : m_stored(stored) {}

    void line(const IniLine& line) {
        if (!line.recognised) {
            m_stored.notices.push_back({TermNotice::Problem::UnrecognisedLine,
                                        std::to_string(line.number), shownValue(line.text)});
            return;
        }
        m_section = line.section;
        setting(line.key, line.value);
    }

  private:
    void setting(const std::string& key, std::string_view value) {
        if (m_section == "term") {
            if (key == "start") {
                start(value);
            } else if (key == "weeks") {
                weeks(value);
            } else if (key == "edition") {
                edition(value);
            }
        } else if (m_section == "periods") {
            const auto index = wholeNumber<int>(key);
            if (index && *index >= 1 && *index <= core::kBigPeriods) {
                period(*index, value);
            }
        }
        // Other keys and sections belong to other tools; they are left alone.
    }

    void start(std::string_view value) {
        const auto date = parseIsoDate(value);
        if (!date) {
            ignore("start", value, TermNotice::Problem::NotADate);
            return;
        }
        if (!core::isTermStartYear(date->year())) {
            ignore("start", value, TermNotice::Problem::StartOutOfRange);
            return;
        }
        const year_month_day monday = core::mondayOf(*date);
        m_stored.term.firstMonday = monday;
        forget("start");
        if (monday != *date) {
            m_stored.notices.push_back(
                {TermNotice::Problem::NotAMonday, "start", shownValue(value)});
        }
    }

    void weeks(std::string_view value) {
        const auto count = wholeNumber<int>(value);
        if (!count || *count < core::kMinTermWeeks || *count > core::kMaxTermWeeks) {
            ignore("weeks", value, TermNotice::Problem::WeeksOutOfRange);
            return;
        }
        m_stored.term.weeks = *count;
        forget("weeks");
    }

    void edition(std::string_view value) {
        if (const auto problem = editionProblem(value)) {
            ignore("edition", value, *problem);
        } else {
            m_stored.term.edition = std::string(value);
            forget("edition");
        }
    }

    void period(int index, std::string_view value) {
        const std::string key = std::to_string(index);
        const auto time = parsePeriod(value);
        if (!time) {
            ignore(key, value, TermNotice::Problem::NotAPeriod);
            return;
        }
        m_stored.term.periods[static_cast<std::size_t>(index - 1)] = *time;
        forget(key);
    }

    void ignore(const std::string& key, std::string_view value, TermNotice::Problem problem) {
        forget(key);
        m_stored.notices.push_back({problem, key, shownValue(value)});
    }

    // A later line for the same key replaces what an earlier one said, notices included.
    void forget(const std::string& key) {
        std::erase_if(m_stored.notices, [&](const TermNotice& n) {
            return n.key == key && n.problem != TermNotice::Problem::UnrecognisedLine;
        });
    }

    StoredTerm& m_stored;
    std::string m_section;
};

} // namespace

std::optional<TermNotice::Problem> editionProblem(std::string_view edition) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
    if (!core::isValidUtf8(edition) || std::any_of(edition.begin(), edition.end(), control)) {
        return TermNotice::Problem::EditionNotText;
    }
    if (characterCount(edition) > kMaxEditionCharacters) {
        return TermNotice::Problem::EditionTooLong;
    }
    return std::nullopt;
}

std::optional<year_month_day> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto y = wholeNumber<int>(text.substr(0, 4));
    const auto m = wholeNumber<unsigned>(text.substr(5, 2));
    const auto d = wholeNumber<unsigned>(text.substr(8, 2));
    if (!y || !m || !d) {
        return std::nullopt;
    }
    const year_month_day date{year{*y}, month{*m}, day{*d}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

std::optional<core::PeriodTime> parsePeriod(std::string_view text) {
    const auto dash = text.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto start = parseClockTime(trimmedBlanks(text.substr(0, dash)));
    const auto end = parseClockTime(trimmedBlanks(text.substr(dash + 1)));
    if (!start || !end || *end <= *start) {
        return std::nullopt;
    }
    return core::PeriodTime{*start, *end};
}

std::string isoDate(year_month_day date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

std::string periodText(const core::PeriodTime& period) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d-%02d:%02d", period.start / 60,
                  period.start % 60, period.end / 60, period.end % 60);
    return buffer;
}

TermSettings::TermSettings(std::filesystem::path file) : m_file(std::move(file)) {}

TermSettings TermSettings::besidePathIni(const std::filesystem::path& pathIni) {
    return TermSettings(pathIni.parent_path() / "term.ini");
}

StoredTerm TermSettings::parse(std::string_view text) {
    StoredTerm stored;
    stored.fileExists = true;
    TermParser parser(stored);
    forEachIniLine(text, [&parser](const IniLine& line) { parser.line(line); });
    return stored;
}

StoredTerm TermSettings::read() const {
    return readSettingsFile(m_file, &TermSettings::parse,
                            TermNotice{TermNotice::Problem::FileUnreadable, {}, {}});
}

std::string TermSettings::format(const core::Term& term) {
    std::string text = "[term]\r\nstart=" + isoDate(term.firstMonday) +
                       "\r\nweeks=" + std::to_string(term.weeks) + "\r\nedition=" + term.edition +
                       "\r\n[periods]\r\n";
    for (std::size_t i = 0; i < term.periods.size(); ++i) {
        text += std::to_string(i + 1) + "=" + periodText(term.periods[i]) + "\r\n";
    }
    return text;
}

core::Result<void> TermSettings::write(const core::Term& term) const {
    if (auto failure = platform::replaceFile(m_file, format(term))) {
        return core::Failure{core::Status::Io, *failure};
    }
    return {};
}

} // namespace orvanto::settings
