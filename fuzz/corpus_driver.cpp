// Runs a fuzz target once over every file of the folders (or files) given
// on the command line, so a corpus is a regression test without libFuzzer.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace fs = std::filesystem;

static void runFile(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    size_t n = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path p(argv[i]);
        if (fs::is_directory(p)) {
            std::vector<fs::path> files;
            for (const auto& e : fs::recursive_directory_iterator(p))
                if (e.is_regular_file())
                    files.push_back(e.path());
            std::sort(files.begin(), files.end());
            for (const auto& f : files) {
                runFile(f);
                ++n;
            }
        } else if (fs::is_regular_file(p)) {
            runFile(p);
            ++n;
        }
    }
    std::printf("%zu inputs run\n", n);
    return n == 0 ? 1 : 0;
}
