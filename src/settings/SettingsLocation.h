// Where path.ini and term.ini are read and saved: beside the program when its folder is
// writable (a portable copy, as it always was), otherwise in the user's configuration folder.
#pragma once

#include "core/Failure.h"

#include <filesystem>
#include <string_view>

namespace orvanto::settings {

class SettingsLocation {
  public:
    // Everything beside the program.
    static SettingsLocation besideProgram(std::filesystem::path programFolder);
    // A program that cannot write beside itself: the user's own file is read first, then one
    // beside the program (left there by whoever installed it); saving goes to the user's folder.
    static SettingsLocation inUserFolder(std::filesystem::path programFolder,
                                         std::filesystem::path userFolder);
    // The rule for a program in programFolder: beside it when that folder is writable, otherwise
    // the user's configuration folder of this system.
    static SettingsLocation forProgramIn(const std::filesystem::path& programFolder);
    // forProgramIn the folder of the running executable.
    static SettingsLocation forRunningProgram();

    bool isBesideProgram() const { return m_userFolder.empty(); }
    // The user's configuration folder; empty when the settings live beside the program.
    const std::filesystem::path& userFolder() const { return m_userFolder; }
    // The folder a save goes to.
    const std::filesystem::path& savedFolder() const;

    // The file of that name to read; it may not exist.
    std::filesystem::path fileToRead(std::string_view name) const;
    // The file of that name a save replaces, with its folder created when it is the user's
    // configuration folder (never the program's). The failure's description is the reason.
    [[nodiscard]] core::Result<std::filesystem::path> prepareSave(std::string_view name) const;

  private:
    SettingsLocation(std::filesystem::path programFolder, std::filesystem::path userFolder);

    std::filesystem::path m_programFolder;
    std::filesystem::path m_userFolder;
};

} // namespace orvanto::settings
