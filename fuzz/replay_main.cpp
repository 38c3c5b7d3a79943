// Runs a fuzz target's entry point over saved inputs, so that the corpus is
// replayed in the normal builds (and under ASan/UBSan) without libFuzzer.
//
//   fuzz_<target> PATH...   each PATH a file or a directory of files
//
// Prints "replayed N inputs" and exits 0. A failed check or a sanitizer
// report aborts the process; a missing path or no input at all exits 1.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace fs = std::filesystem;

namespace {

bool replayFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    // A buffer of exactly the input's size, so that ASan sees any read past its end.
    const std::unique_ptr<uint8_t[]> data(new uint8_t[std::max<size_t>(bytes.size(), 1)]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char **argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        std::error_code error;
        if (fs::is_directory(path, error)) {
            for (const fs::directory_entry &entry : fs::recursive_directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else if (fs::is_regular_file(path, error)) {
            files.push_back(path);
        } else {
            std::fprintf(stderr, "no such file or directory: %s\n", argv[i]);
            return 1;
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path &file : files) {
        std::fprintf(stderr, "%s\n", file.c_str());
        if (!replayFile(file)) return 1;
    }
    if (files.empty()) {
        std::fprintf(stderr, "no inputs given\n");
        return 1;
    }
    std::printf("replayed %zu inputs\n", files.size());
    return 0;
}
