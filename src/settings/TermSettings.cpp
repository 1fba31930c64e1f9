#include "TermSettings.h"

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

// A term.ini is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxFileSize = 64 * 1024;
constexpr std::size_t kShownValueCharacters = 40;

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return out;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        core::decodeUtf8(text, i);
    }
    return count;
}

// The value as a notice shows it: at most 40 characters, control characters escaped.
std::string shown(std::string_view value) {
    std::string out;
    std::size_t count = 0;
    for (std::size_t i = 0; i < value.size() && count < kShownValueCharacters; ++count) {
        const std::size_t at = i;
        const char32_t cp = core::decodeUtf8(value, i);
        const bool malformed =
            cp == core::kReplacementCharacter && !value.substr(at).starts_with("\xEF\xBF\xBD");
        if (cp < 0x20 || cp == 0x7F || malformed) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X",
                          malformed ? static_cast<unsigned char>(value[at])
                                    : static_cast<unsigned>(cp));
            out += escaped;
        } else {
            core::appendUtf8(out, cp);
        }
    }
    if (count == kShownValueCharacters && characterCount(value) > kShownValueCharacters) {
        out += "...";
    }
    return out;
}

template <class Number> std::optional<Number> wholeNumber(std::string_view text) {
    Number value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> clockMinutes(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() - colon != 3) {
        return std::nullopt;
    }
    const auto hours = wholeNumber<int>(text.substr(0, colon));
    const auto minutes = wholeNumber<int>(text.substr(colon + 1));
    if (!hours || !minutes || *hours > 23 || *minutes > 59) {
        return std::nullopt;
    }
    return *hours * 60 + *minutes;
}

class TermParser {
  public:
    explicit TermParser(StoredTerm& stored) : m_stored(stored) {}

    void line(std::string_view text, std::size_t number) {
        text = trimmed(text);
        if (text.empty() || text.front() == ';' || text.front() == '#') {
            return;
        }
        if (text.front() == '[') {
            if (text.back() != ']') {
                unrecognised(text, number);
                return;
            }
            m_section = lowered(trimmed(text.substr(1, text.size() - 2)));
            return;
        }
        const auto equals = text.find('=');
        if (equals == std::string_view::npos) {
            unrecognised(text, number);
            return;
        }
        setting(lowered(trimmed(text.substr(0, equals))), trimmed(text.substr(equals + 1)));
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
            m_stored.notices.push_back({TermNotice::Problem::NotAMonday, "start", shown(value)});
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

    void unrecognised(std::string_view text, std::size_t number) {
        m_stored.notices.push_back(
            {TermNotice::Problem::UnrecognisedLine, std::to_string(number), shown(text)});
    }

    void ignore(const std::string& key, std::string_view value, TermNotice::Problem problem) {
        forget(key);
        m_stored.notices.push_back({problem, key, shown(value)});
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
    const auto start = clockMinutes(trimmed(text.substr(0, dash)));
    const auto end = clockMinutes(trimmed(text.substr(dash + 1)));
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
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    TermParser parser(stored);
    std::size_t number = 1;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        parser.line(text.substr(0, end), number++);
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = text.substr(end).starts_with("\r\n");
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return stored;
}

StoredTerm TermSettings::read() const {
    std::error_code error;
    const auto status = std::filesystem::status(m_file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {};
    }
    const auto unreadable = [] {
        StoredTerm stored;
        stored.fileExists = true;
        stored.notices.push_back({TermNotice::Problem::FileUnreadable, {}, {}});
        return stored;
    };
    if (error || status.type() != std::filesystem::file_type::regular) {
        return unreadable();
    }
    std::ifstream in(m_file, std::ios::binary);
    std::string bytes;
    bytes.resize(kMaxFileSize + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || !in.is_open()) {
        return unreadable();
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxFileSize) {
        return unreadable();
    }
    if (bytes.find('\0') != std::string::npos) {
        return unreadable();
    }
    return parse(bytes);
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
