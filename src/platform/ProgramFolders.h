// The folders the program and its settings may live in, as the operating system names them: the
// running program's, whether a folder may be written, and the user's configuration folder.
#pragma once

#include <filesystem>

namespace orvanto::platform {

// The folder of the running executable; empty when the system does not say.
std::filesystem::path runningProgramFolder();

// Whether this process may create files in folder (false for a missing folder).
bool isWritableFolder(const std::filesystem::path& folder);

// The user's configuration folder for Orvanto, the one Qt's application config location gives
// for the application "orvanto": $XDG_CONFIG_HOME/orvanto, else $HOME/.config/orvanto on Linux,
// %LOCALAPPDATA%\orvanto on Windows. It may not exist yet.
std::filesystem::path userConfigFolder();

} // namespace orvanto::platform
