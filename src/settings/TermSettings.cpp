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
    return platform::replaceFile(m_file, format(term));
}

} // namespace orvanto::settings
