#include "CliLanguage.h"

#include <string_view>

namespace orvanto::cli {

namespace {

// The slot of std::ios_base's storage that holds the language; 0, the default, is English.
int languageSlot() {
    static const int slot = std::ios_base::xalloc();
    return slot;
}

bool isChinese(std::string_view locale) {
    return locale.starts_with("zh") &&
           (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}

} // namespace

Language languageOf(const Environment& environment) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment(name);
        if (value != nullptr && *value != '\0') {
            return isChinese(value) ? Language::Chinese : Language::English;
        }
    }
    return Language::English;
}

Language languageOf(std::ios_base& stream) {
    return stream.iword(languageSlot()) == 1 ? Language::Chinese : Language::English;
}

void setLanguage(std::ios_base& stream, Language language) {
    stream.iword(languageSlot()) = language == Language::Chinese ? 1 : 0;
}

} // namespace orvanto::cli
