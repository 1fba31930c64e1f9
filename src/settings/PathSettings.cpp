#include "PathSettings.h"

#include "platform/AtomicReplace.h"
#include "platform/CodePage.h"

#include <fstream>
#include <system_error>
#include <utility>

namespace orvanto::settings {

PathSettings::PathSettings(std::filesystem::path file) : m_file(std::move(file)) {}

PathSettings PathSettings::inDirectory(const std::filesystem::path& programDirectory) {
    return PathSettings(programDirectory / "path.ini");
}

std::string_view PathSettings::lastLine(std::string_view text) {
    // Drop the break that ends the last line, then take what follows the break before it.
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\r') || text.ends_with('\n')) {
        text.remove_suffix(1);
    }
    auto lastBreak = text.find_last_of("\r\n");
    return lastBreak == std::string_view::npos ? text : text.substr(lastBreak + 1);
}

StoredPath PathSettings::read() const {
    std::error_code error;
    auto status = std::filesystem::status(m_file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {StoredPath::State::Missing, {}};
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return {StoredPath::State::Unreadable, {}};
    }
    std::ifstream in(m_file, std::ios::binary);
    if (!in) {
        return {StoredPath::State::Unreadable, {}};
    }
    // One path on one line: a file past kMaxFileSize is not one we wrote, and is not read
    // whole into memory.
    std::string bytes(kMaxFileSize + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        return {StoredPath::State::Unreadable, {}};
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxFileSize) {
        return {StoredPath::State::Unreadable, {}};
    }
    auto text = platform::decodeText(lastLine(bytes));
    if (!text) {
        return {StoredPath::State::Unreadable, {}};
    }
    return {StoredPath::State::Read, std::move(*text)};
}

bool PathSettings::createEmpty() const {
    std::error_code error;
    if (std::filesystem::exists(m_file, error)) {
        return true;
    }
    std::ofstream out(m_file, std::ios::binary | std::ios::app);
    return out.good();
}

core::Result<void> PathSettings::write(std::string_view workbookPath) const {
    auto encoded = platform::encodeText(workbookPath);
    if (!encoded) {
        return core::Failure{core::Status::Io,
                             "the path has characters the system code page cannot hold"};
    }
    return platform::replaceFile(m_file, *encoded + "\r\n");
}

} // namespace orvanto::settings
