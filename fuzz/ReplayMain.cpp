// Replays fuzz inputs through a target's entry point without libFuzzer, so the committed
// corpora and sample workbooks run under ctest in every build (and under the sanitizers).
// Arguments are files or directories (read one level deep); a crash fails the test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replayFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    // A fresh heap copy of exactly the input's size, as libFuzzer passes it, so a read
    // past the end is caught by the sanitizers.
    std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    exact.shrink_to_fit();
    // Named before it runs: a crash report then says which input caused it.
    std::printf("replay: %s\n", file.c_str());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(exact.data(), exact.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::error_code ec;
        if (std::filesystem::is_directory(arg, ec)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
            std::sort(files.begin(), files.end());
            for (const auto& file : files) {
                ok = replayFile(file) && ok;
                ++replayed;
            }
        } else if (std::filesystem::is_regular_file(arg, ec)) {
            ok = replayFile(arg) && ok;
            ++replayed;
        } else {
            std::fprintf(stderr, "replay: no such file or directory: %s\n", argv[i]);
            ok = false;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    if (replayed == 0) {
        std::fprintf(stderr, "replay: nothing to replay\n");
        return 1;
    }
    return ok ? 0 : 1;
}
