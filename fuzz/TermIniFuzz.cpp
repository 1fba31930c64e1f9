// Fuzz target: what reading term.ini does with any bytes. Whatever it reads is a usable term,
// every notice is short and printable, and the term written back reads back unchanged.
#include "Keep.h"
#include "settings/TermSettings.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace orvanto;

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const settings::StoredTerm stored = settings::TermSettings::parse(text);
    const core::Term& term = stored.term;

    using namespace std::chrono;
    require(term.firstMonday.ok() && weekday{sys_days{term.firstMonday}} == Monday);
    require(term.weeks >= core::kMinTermWeeks && term.weeks <= core::kMaxTermWeeks);
    require(term.edition.find_first_of("\r\n") == std::string::npos);
    for (const core::PeriodTime& period : term.periods) {
        require(period.start >= 0 && period.start < period.end && period.end < 24 * 60);
    }
    for (const settings::TermNotice& notice : stored.notices) {
        // At most 40 characters, each escaped to at most four bytes, and "...".
        require(notice.value.size() <= 40 * 4 + 3);
        for (const char c : notice.value) {
            require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        }
    }

    const settings::StoredTerm again =
        settings::TermSettings::parse(settings::TermSettings::format(term));
    require(again.term == term && again.notices.empty());
    fuzz::keep(stored.notices.size() + term.edition.size());
    return 0;
}
