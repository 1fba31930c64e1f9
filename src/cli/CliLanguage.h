// Which language orvanto-cli speaks: Chinese under a zh locale, English otherwise. The
// language travels with the streams a command writes to, so every wording function that is
// handed a stream words its text for the reader of that stream.
#pragma once

#include <functional>
#include <ios>

namespace orvanto::cli {

enum class Language { English, Chinese };

// The value of an environment variable, or null when it is not set.
using Environment = std::function<const char*(const char* name)>;

// As gettext decides: the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty
// names the locale; "zh", "zh_CN.UTF-8", "zh_TW@…" are Chinese, anything else (C, POSIX,
// en_US.UTF-8) English.
Language languageOf(const Environment& environment);

// The language a stream was tagged with; English unless setLanguage said otherwise.
Language languageOf(std::ios_base& stream);
void setLanguage(std::ios_base& stream, Language language);

} // namespace orvanto::cli
