// Runs work in a child process held to the bounds every read of untrusted input keeps: 64 MB
// more address space than the child starts with and, when asked, seconds of CPU time. Going
// over ends the child, which the caller sees as an exit code or a signal.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <new>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANTO_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ORVANTO_UNDER_ASAN 1
#endif

namespace orvanto::bounds {

inline constexpr long kBoundBytes = 64L << 20;
// The child's exit when its work could not get memory, and when it could not be bounded.
inline constexpr int kChildOutOfMemory = 12;
inline constexpr int kChildUnbounded = 11;

inline long addressSpaceInUse() {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) {
            pages = 0;
        }
        std::fclose(statm);
    }
    return pages * sysconf(_SC_PAGESIZE);
}

// Returns the child's exit code, or -signal when it was killed: an allocation it could not get
// ends in abort from GLib or std::terminate, spent CPU time in SIGXCPU. cpuSeconds 0: no CPU
// limit. A child still running after wallSeconds (blocked, not computing) gets SIGALRM.
template <class Work>
int inBoundedChild(Work work, unsigned cpuSeconds = 0, unsigned wallSeconds = 60) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const auto bound = static_cast<rlim_t>(addressSpaceInUse() + kBoundBytes);
        const rlimit memory{bound, bound};
        if (setrlimit(RLIMIT_AS, &memory) != 0) {
            _exit(kChildUnbounded);
        }
        if (cpuSeconds > 0) {
            const rlimit cpu{cpuSeconds, cpuSeconds + 1};
            if (setrlimit(RLIMIT_CPU, &cpu) != 0) {
                _exit(kChildUnbounded);
            }
        }
        alarm(wallSeconds);
        try {
            _exit(work());
        } catch (const std::bad_alloc&) {
            _exit(kChildOutOfMemory);
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace orvanto::bounds
