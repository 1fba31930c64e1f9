// The options of orvanto-cli's commands, read from the words after the command's name.
#pragma once

#include "CliLanguage.h"
#include "core/Failure.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvanto::cli {

// What one command line asked for. A command reads only the fields its OptionSet allows.
struct Options {
    std::optional<std::int16_t> week;
    std::optional<std::chrono::year_month_day> date;
    std::optional<int> time; // --time HH:MM, minutes since midnight
    bool json = false;
    std::string workbook;
    // The term: a term.ini, and the first Monday and number of weeks that override it.
    std::optional<std::string> termFile;
    std::optional<std::chrono::year_month_day> termStart;
    std::optional<int> weeks;
    std::optional<std::filesystem::path> output; // -o FILE
    bool force = false;                          // --force: the default OUT may be replaced
    // The import's reading: a runner-up of --json, counted from 1, or a dialect of its own
    // (checked names, kept as typed).
    std::optional<std::size_t> reading;
    std::optional<std::string> fields;
    std::optional<std::string> separator;
    bool help = false; // -h or --help: the command's usage only
};

// The options a command takes; the WORKBOOK operand is then required.
struct OptionSet {
    bool week = false;
    bool date = false;
    bool time = false;
    bool json = false;
    bool workbook = false;
    bool term = false; // --term, --term-start, --weeks
    bool output = false;
    bool reading = false;                  // --reading, --fields, --separator, --force
    std::string_view operand = "WORKBOOK"; // the operand's name in usage errors
};

// A failure is a usage error; its detail is the message to print, in the language given.
core::Result<Options> parseOptions(std::span<const std::string_view> args,
                                   const OptionSet& accepted,
                                   Language language = Language::English);

std::optional<std::chrono::year_month_day> parseDate(std::string_view text);
// A week a student can ask for: 1 to the longest term.
std::optional<std::int16_t> parseWeek(std::string_view text);
std::optional<int> parseTermWeeks(std::string_view text);

} // namespace orvanto::cli
