// term.ini beside path.ini: the student's own term (first Monday, number of weeks, edition
// text, the five big periods' times). UTF-8, written with CR LF. No file, or no key, means the
// default term for it; a value that cannot be used is ignored and reported, never rewritten.
#pragma once

#include "TermText.h"
#include "core/Failure.h"
#include "core/Term.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanto::settings {

struct StoredTerm {
    core::Term term;
    std::vector<TermNotice> notices;
    bool fileExists = false;
};

class TermSettings {
  public:
    explicit TermSettings(std::filesystem::path file);

    // term.ini in the same folder as path.ini.
    static TermSettings besidePathIni(const std::filesystem::path& pathIni);

    const std::filesystem::path& file() const { return m_file; }

    StoredTerm read() const;

    // Replaces the file atomically with the term in the file's one shape; the old file stays
    // as it was when this fails.
    [[nodiscard]] core::Result<void> write(const core::Term& term) const;

    // The text of a term.ini, forgiving: LF or CR LF, blanks around '=', a UTF-8 BOM, keys
    // and sections in any order, the last of a repeated key.
    static StoredTerm parse(std::string_view text);
    static std::string format(const core::Term& term);

  private:
    std::filesystem::path m_file;
};

} // namespace orvanto::settings
