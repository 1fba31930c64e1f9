// The timed loops the benches share: one reader on bytes in memory, the viewer's start-up
// (open the file, find m1..m6, compose week 3), and a whole orvanto-cli process.
#pragma once

#include "service/Timetable.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace orvanto::bench {

template <class Reader>
void timeReader(benchmark::State& state, const std::vector<std::uint8_t>& bytes, Reader read) {
    for (auto _ : state) {
        auto cells = read(bytes);
        if (!cells) {
            state.SkipWithError(cells.failure().detail.c_str());
            return;
        }
        benchmark::DoNotOptimize(cells);
    }
}

inline void timeStartUp(benchmark::State& state, const char* path) {
    for (auto _ : state) {
        const auto loaded = service::loadTimetable(path);
        if (!loaded) {
            state.SkipWithError(loaded.failure().detail.c_str());
            return;
        }
        auto grid = service::composeWeek(loaded.value(), 3);
        benchmark::DoNotOptimize(grid);
    }
}

// Runs the program argv[0] with its output thrown away, once per iteration; a failed start or a
// non-zero exit stops the benchmark with an error.
inline void timeProcess(benchmark::State& state, const char* const* argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 1, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
            state.SkipWithError("the program cannot be started");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the program failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

} // namespace orvanto::bench
