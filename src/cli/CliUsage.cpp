#include "CliUsage.h"

#include "CliError.h"
#include "CliOutput.h"
#include "CliText.h"

#include <vector>

namespace orvanto::cli {

namespace {

// The width of the usage's widest line, to which the exit codes are wrapped.
constexpr int kUsageWidth = 86;
constexpr std::string_view kIndent = "        ";

std::vector<std::string_view> wordsOf(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

// "Exit codes:" and the meanings as one list: a meaning starts a new line when it does not fit
// on the current one, and is broken between words only when it does not fit on a line at all.
std::string exitCodesText(Language language) {
    const std::string separator = say(language, Text::ExitCodesSeparator);
    const bool spaced = separator.ends_with(' ');
    const std::string mark = spaced ? separator.substr(0, separator.size() - 1) : separator;
    std::string out = say(language, Text::ExitCodesHeading) + "\n";
    std::string line;
    auto fits = [&line](std::string_view more, bool space) {
        return displayWidth(line) + (space ? 1 : 0) + displayWidth(more) <= kUsageWidth;
    };
    auto newLine = [&out, &line] {
        out += line + "\n";
        line = std::string(kIndent);
    };
    line = std::string(kIndent);
    for (std::size_t i = 0; i < kExitCodes.size(); ++i) {
        const bool last = i + 1 == kExitCodes.size();
        const std::string item = std::to_string(kExitCodes[i].code) + " " +
                                 say(language, kExitCodes[i].meaning) +
                                 (last ? say(language, Text::ExitCodesEnd) : mark);
        const bool lineStarted = line.size() > kIndent.size();
        const bool space = lineStarted && spaced;
        if (fits(item, space)) {
            line += (space ? " " : "") + item;
            continue;
        }
        if (lineStarted) {
            newLine();
        }
        for (const std::string_view word : wordsOf(item)) {
            const bool wordSpace = line.size() > kIndent.size();
            if (wordSpace && !fits(word, true)) {
                newLine();
                line += word;
            } else {
                line += (wordSpace ? " " : "");
                line += word;
            }
        }
    }
    return out + line + "\n";
}

} // namespace

std::string usageText(Language language) {
    return say(language, Text::Usage) + "\n" + exitCodesText(language);
}

std::string commandUsage(Language language, std::string_view command, bool takesTerm) {
    const std::string name(command);
    const std::string usage = say(language, Text::Usage);
    const std::string_view text = usage;
    std::string synopsis = say(language, Text::UsageHeading) + "\n";
    std::string paragraph;
    std::string termOptions;
    std::string* section = nullptr;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string_view line = text.substr(at, end + 1 - at);
        at = end + 1;
        if (line.starts_with("  orvanto-cli ")) {
            if (line.starts_with("  orvanto-cli " + name + " ")) {
                synopsis += line;
            }
            continue;
        }
        if (!line.starts_with(" ") && line != "\n") {
            section = line.starts_with(name + " ") ? &paragraph
                      : line.starts_with("TERM ")  ? &termOptions
                                                   : nullptr;
        }
        if (section != nullptr && line != "\n") {
            *section += line;
        }
    }
    std::string out = synopsis + "\n" + paragraph;
    if (takesTerm) {
        out += "\n" + termOptions;
    }
    return out + "\n" + exitCodesText(language);
}

} // namespace orvanto::cli
