#include "TemporaryFile.h"

#include <fstream>
#include <system_error>
#include <utility>

namespace orvanto::platform {

TemporaryFile::TemporaryFile() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        m_problem = "no temporary folder: " + error.message();
        return;
    }
    auto created = createUniqueFile(folder);
    if (!created) {
        m_problem = created.failure().detail;
        return;
    }
    m_path = std::move(created).value();
}

TemporaryFile::~TemporaryFile() {
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
}

std::string TemporaryFile::utf8Path() const {
    const std::u8string path = m_path.u8string();
    return {path.begin(), path.end()};
}

core::Result<std::vector<std::uint8_t>> TemporaryFile::contents() const {
    const auto cannotRead = [this] {
        return core::errors::loadFailure(core::Status::Io,
                                         "cannot read back the temporary file " + utf8Path());
    };
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(m_path, error);
    std::ifstream file(m_path, std::ios::binary);
    if (error || !file) {
        return cannotRead();
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.gcount() != static_cast<std::streamsize>(bytes.size())) {
        return cannotRead();
    }
    return bytes;
}

} // namespace orvanto::platform
