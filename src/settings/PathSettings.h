// path.ini beside the executable: the one line that names the timetable workbook.
#pragma once

#include "core/Failure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvanto::settings {

struct StoredPath {
    enum class State {
        Read,       // the file was read; path may still be empty (no path set)
        Missing,    // there is no path.ini yet
        Unreadable, // it exists but cannot be read or is not text in the system code page
    };
    State state = State::Missing;
    std::string path; // UTF-8; empty means no path is set
};

class PathSettings {
  public:
    explicit PathSettings(std::filesystem::path file);

    // path.ini in the directory that holds the executable.
    static PathSettings inDirectory(const std::filesystem::path& programDirectory);

    const std::filesystem::path& file() const { return m_file; }

    // Larger files are unreadable, as for term.ini.
    static constexpr std::size_t kMaxFileSize = 64 * 1024;

    // The last line of the file, taken unchanged.
    StoredPath read() const;

    // Creates path.ini with no content when it does not exist yet; false when that fails.
    bool createEmpty() const;

    // Replaces the file with the one line path + CR LF in the system code page. The old
    // file stays as it was when this fails.
    [[nodiscard]] core::Result<void> write(std::string_view workbookPath) const;

    // The last line of text: lines end at CR, CR LF or LF; the break that ends the last
    // line opens no further one, so "a\r\n" gives "a" and "a\r\n\r\n" gives "".
    static std::string_view lastLine(std::string_view text);

  private:
    std::filesystem::path m_file;
};

} // namespace orvanto::settings
