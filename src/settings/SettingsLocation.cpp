#include "SettingsLocation.h"

#include "platform/ProgramFolders.h"

#include <system_error>
#include <utility>

namespace orvanto::settings {

SettingsLocation::SettingsLocation(std::filesystem::path programFolder,
                                   std::filesystem::path userFolder)
    : m_programFolder(std::move(programFolder)), m_userFolder(std::move(userFolder)) {}

SettingsLocation SettingsLocation::besideProgram(std::filesystem::path programFolder) {
    return SettingsLocation(std::move(programFolder), {});
}

SettingsLocation SettingsLocation::inUserFolder(std::filesystem::path programFolder,
                                                std::filesystem::path userFolder) {
    if (userFolder.empty()) {
        // No configuration folder to be had: the program's folder is all there is, and a
        // save there fails with the system's reason.
        return besideProgram(std::move(programFolder));
    }
    return SettingsLocation(std::move(programFolder), std::move(userFolder));
}

SettingsLocation SettingsLocation::forProgramIn(const std::filesystem::path& programFolder) {
    if (!programFolder.empty() && platform::isWritableFolder(programFolder)) {
        return besideProgram(programFolder);
    }
    return inUserFolder(programFolder, platform::userConfigFolder());
}

SettingsLocation SettingsLocation::forRunningProgram() {
    return forProgramIn(platform::runningProgramFolder());
}

const std::filesystem::path& SettingsLocation::savedFolder() const {
    return isBesideProgram() ? m_programFolder : m_userFolder;
}

std::filesystem::path SettingsLocation::fileToRead(std::string_view name) const {
    if (!isBesideProgram()) {
        std::filesystem::path own = m_userFolder / name;
        std::error_code error;
        // Anything at the name, even a file that turns out unreadable, is the user's own.
        if (std::filesystem::symlink_status(own, error).type() !=
                std::filesystem::file_type::not_found ||
            m_programFolder.empty()) {
            return own;
        }
    }
    return m_programFolder / name;
}

core::Result<std::filesystem::path> SettingsLocation::prepareSave(std::string_view name) const {
    if (!isBesideProgram()) {
        std::error_code error;
        std::filesystem::create_directories(m_userFolder, error);
        if (error) {
            return core::Failure{core::Status::Io,
                                 "cannot create " + m_userFolder.string() + ": " + error.message()};
        }
    }
    return savedFolder() / name;
}

} // namespace orvanto::settings
