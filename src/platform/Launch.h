// Starting the desktop's own programs for the user: the text viewer on a file.
#pragma once

#include <filesystem>

namespace orvanto::platform {

// Starts the system's text viewer on file (xdg-open on Linux, Notepad on Windows) without a
// shell in between and without waiting for the viewer; false when the viewer could not be
// started or, on Linux, when xdg-open failed within a moment (it found no program for the
// file). A missing file is the viewer's business, not ours.
[[nodiscard]] bool openTextFile(const std::filesystem::path& file);

} // namespace orvanto::platform
