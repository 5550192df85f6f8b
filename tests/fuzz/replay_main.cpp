// Stands in for libFuzzer's main in the ordinary builds: feeds every file of the given corpus
// folders to the fuzz target once, in name order, so the corpora run as regression tests with
// any compiler. A target reports a broken rule by aborting.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    std::vector<std::filesystem::path> inputs;
    for (const char* folder : arguments.subspan(1)) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
        if (error) {
            std::fprintf(stderr, "cannot list %s: %s\n", folder, error.message().c_str());
            return 1;
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "no corpus files to replay\n");
        return 1;
    }
    std::ranges::sort(inputs);
    for (const auto& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                      std::istreambuf_iterator<char>()};
        if (!file.good() && !file.eof()) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 1;
        }
        std::fprintf(stderr, "%s\n", path.filename().c_str());
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    std::printf("replayed %zu corpus files\n", inputs.size());
    return 0;
}
