// Replacing a file's contents so that a failed write leaves the old contents intact: a unique
// temporary file beside it, flushed to disk and renamed over it.
#pragma once

#include "core/Failure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvanto::platform {

// Writes bytes to a temporary file beside file, flushes it to disk and renames it over file,
// keeping the replaced file's permissions; the process umask is never changed. A symbolic link
// is followed (its target is replaced, the link stays); a FIFO or a device is written directly;
// a directory is refused. On failure file is untouched and the failure (Status::Io) carries
// the reason in English, for diagnostics.
[[nodiscard]] core::Result<void> replaceFile(const std::filesystem::path& file,
                                             std::string_view bytes);

namespace detail {
// The system's own replacement, one per platform: the reason when it fails.
std::optional<std::string> replaceFileOrReason(const std::filesystem::path& file,
                                               std::string_view bytes);
} // namespace detail

} // namespace orvanto::platform
