// The one rule by which the viewer and orvanto-cli get their term: a term.ini read as the
// viewer reads it, then the settings given on the command line over the same keys of the file.
#pragma once

#include "core/Term.h"
#include "settings/TermSettings.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <vector>

namespace orvanto::service {

struct TermSource {
    // The term.ini to read; none for the default term.
    std::optional<std::filesystem::path> file{};
    // Named by the student (--term): a missing file, or a setting that cannot be used and is
    // not overridden below, refuses the term instead of falling back to the default.
    bool named = false;
    // --term-start and --weeks: they override the file's keys, also a value the file cannot use.
    std::optional<std::chrono::year_month_day> start{};
    std::optional<int> weeks{};
};

// The key a notice about --term-start carries; the file's own notices carry "start".
inline constexpr std::string_view kStartOptionKey = "--term-start";

struct OpenedTerm {
    enum class Refusal {
        None,
        NoFile,          // the named term.ini does not exist
        UnusableSetting, // a setting of the named term.ini cannot be used: refusedSetting
    };
    core::Term term;
    // What was not taken as written; the term goes on with the default or, for a start that
    // is not a Monday, with the Monday of its week.
    std::vector<settings::TermNotice> notices;
    Refusal refusal = Refusal::None;
    settings::TermNotice refusedSetting{};
};

[[nodiscard]] OpenedTerm openTerm(const TermSource& source);

} // namespace orvanto::service
