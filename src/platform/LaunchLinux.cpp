#include "Launch.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace orvanto::platform {

namespace {

// How long the opener has to say it cannot open a file, and how often it is asked.
constexpr int kVerdictMilliseconds = 700;
constexpr int kPollMilliseconds = 10;

// The first executable file called name in a folder of PATH, as execvp would find it; empty
// when there is none. Looked up before forking, where the child may do no more than exec.
std::string findProgram(std::string_view name) {
    const char* variable = std::getenv("PATH");
    // execvp's own default when PATH is unset.
    std::string_view folders = variable != nullptr ? variable : "/bin:/usr/bin";
    for (;;) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        // An empty entry is the current folder.
        std::string candidate = folder.empty() ? std::string(".") : std::string(folder);
        candidate.append("/").append(name);
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return {};
        }
        folders.remove_prefix(colon + 1);
    }
}

// Runs program with arguments in a session of its own, as a grandchild: the child between
// exits once the program has run for a moment, so the program is never a zombie of ours
// however long it runs. Whether exec worked, and whether the program failed at once, comes
// back through a pipe. Returns 0 or the errno of the failure.
int startDetached(const std::string& program, std::vector<std::string> arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return errno;
    }
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (middle == 0) {
        // Only async-signal-safe calls from here on: the parent may have other threads.
        const pid_t viewer = ::fork();
        if (viewer == 0) {
            ::setsid();
            ::execv(argv[0], argv.data());
        }
        if (viewer > 0) {
            // xdg-open that finds nothing to open the file with says so within moments;
            // one still running has started a viewer (or is one) and is left to it.
            for (int waited = 0; waited < kVerdictMilliseconds; waited += kPollMilliseconds) {
                int status = 0;
                if (::waitpid(viewer, &status, WNOHANG) == viewer) {
                    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                        const int refused = ENOEXEC;
                        [[maybe_unused]] const ssize_t ignored =
                            ::write(report[1], &refused, sizeof refused);
                    }
                    break;
                }
                const timespec pause{0, kPollMilliseconds * 1000000L};
                ::nanosleep(&pause, nullptr);
            }
            ::_exit(0);
        }
        // fork or exec failed: say why.
        const int error = errno;
        [[maybe_unused]] const ssize_t ignored = ::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    return got == static_cast<ssize_t>(sizeof error) ? (error != 0 ? error : ECHILD) : 0;
}

} // namespace

bool openTextFile(const std::filesystem::path& file) {
    const std::string viewer = findProgram("xdg-open");
    return !viewer.empty() && startDetached(viewer, {file.string()}) == 0;
}

} // namespace orvanto::platform
