#include "AtomicReplace.h"
#include "Autostart.h"
#include "ProgramFolders.h"

#include <string_view>
#include <system_error>

namespace orvanto::platform {

namespace {

// The program's path as one argument of an Exec line: quoted when it holds a character the
// desktop entry format reserves, and escaped again as the format's strings are.
std::optional<std::string> execArgument(const std::string& path) {
    if (path.find_first_of("\n\r") != std::string::npos) {
        return std::nullopt;
    }
    constexpr std::string_view kReserved = " \t\"'\\><~|&;$*?#()`";
    std::string argument;
    const bool quote = path.find_first_of(kReserved) != std::string::npos;
    for (const char c : path) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            argument += '\\';
        }
        argument += c == '%' ? std::string("%%") : std::string(1, c);
    }
    if (quote) {
        argument = '"' + argument + '"';
    }
    // The value is a string before it is a command line: its backslashes are doubled.
    std::string escaped;
    for (const char c : argument) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

} // namespace

std::filesystem::path autostartEntry() {
    // $XDG_CONFIG_HOME (or ~/.config) is the folder above the user's configuration folder.
    return userConfigFolder().parent_path() / "autostart" / "orvanto.desktop";
}

std::optional<std::string> enableAutostart(const std::filesystem::path& program, bool minimized) {
    const auto exec = execArgument(program.string());
    if (!exec) {
        return "the program's path cannot be written in a desktop entry: " + program.string();
    }
    const std::filesystem::path entry = autostartEntry();
    std::error_code error;
    std::filesystem::create_directories(entry.parent_path(), error);
    if (error) {
        return entry.parent_path().string() + ": " + error.message();
    }
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Orvanto\n"
                             "Name[zh_CN]=我的课表\n"
                             "Comment=Class reminders and the next class in the tray\n"
                             "Comment[zh_CN]=上课提醒，托盘显示下一节课\n"
                             "Exec=" +
                             *exec + (minimized ? " --minimized" : "") +
                             "\n"
                             "Icon=orvanto\n"
                             "Terminal=false\n"
                             "X-GNOME-Autostart-enabled=true\n";
    return detail::replaceFileOrReason(entry, text);
}

std::optional<std::string> disableAutostart() {
    std::error_code error;
    std::filesystem::remove(autostartEntry(), error);
    if (error) {
        return autostartEntry().string() + ": " + error.message();
    }
    return std::nullopt;
}

} // namespace orvanto::platform
