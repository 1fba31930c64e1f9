// Starting the viewer when the user logs in: an XDG autostart entry on Linux
// ($XDG_CONFIG_HOME/autostart/orvanto.desktop), the user's Run key on Windows.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orvanto::platform {

// Makes the program start at login, with --minimized when asked; the reason (English) when
// it cannot be written.
[[nodiscard]] std::optional<std::string> enableAutostart(const std::filesystem::path& program,
                                                         bool minimized);
// Removes what enableAutostart made; nothing there is no failure.
[[nodiscard]] std::optional<std::string> disableAutostart();
// Where the entry lives (Linux: the .desktop file; Windows: the Run key's value name).
std::filesystem::path autostartEntry();

} // namespace orvanto::platform
