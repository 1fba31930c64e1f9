// A unique, empty file in the temporary folder for a library that writes only to named files
// (libxlsxwriter 1.1): its bytes can be read back, and it is removed again however the
// writing ended.
#pragma once

#include "core/Failure.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvanto::platform {

class TemporaryFile {
  public:
    // Creates the file; created() tells whether that worked, problem() why not.
    TemporaryFile();
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return !m_path.empty(); }
    const std::string& problem() const { return m_problem; }
    // The path in UTF-8, as libxlsxwriter takes it on every platform.
    std::string utf8Path() const;

    // What was written to the file since.
    core::Result<std::vector<std::uint8_t>> contents() const;

  private:
    // The platform's way to create a file of a unique name in folder; the reason on failure.
    static core::Result<std::filesystem::path>
    createUniqueFile(const std::filesystem::path& folder);

    std::filesystem::path m_path;
    std::string m_problem;
};

} // namespace orvanto::platform
