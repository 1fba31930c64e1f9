#include "TermPolicy.h"

#include <algorithm>

namespace orvanto::service {

namespace {

using Problem = settings::TermNotice::Problem;

// The term.ini keys an option stands for.
bool overridden(const settings::TermNotice& notice, const TermSource& source) {
    return (notice.key == "start" && source.start) || (notice.key == "weeks" && source.weeks);
}

} // namespace

OpenedTerm openTerm(const TermSource& source) {
    OpenedTerm opened;
    if (source.file) {
        settings::StoredTerm stored = settings::TermSettings(*source.file).read();
        if (source.named && !stored.fileExists) {
            opened.refusal = OpenedTerm::Refusal::NoFile;
            return opened;
        }
        opened.term = std::move(stored.term);
        std::erase_if(stored.notices, [&source](const settings::TermNotice& notice) {
            return overridden(notice, source);
        });
        opened.notices = std::move(stored.notices);
    }
    if (source.named) {
        // A moved start still gives the term the student meant; anything else would not.
        const auto unusable = std::ranges::find_if(opened.notices, [](const auto& notice) {
            return notice.problem != Problem::NotAMonday;
        });
        if (unusable != opened.notices.end()) {
            opened.refusal = OpenedTerm::Refusal::UnusableSetting;
            opened.refusedSetting = *unusable;
            return opened;
        }
    }
    if (source.start) {
        opened.term.firstMonday = core::mondayOf(*source.start);
        if (opened.term.firstMonday != *source.start) {
            opened.notices.push_back({Problem::NotAMonday, std::string(kStartOptionKey),
                                      settings::isoDate(*source.start)});
        }
    }
    if (source.weeks) {
        opened.term.weeks = *source.weeks;
    }
    return opened;
}

} // namespace orvanto::service
