// Replays the committed corpus of every fuzz target: fuzz_replay CORPUS_FOLDER (one sub-folder per
// target). Any crash or disagreement aborts.
#include "fuzz_targets.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: fuzz_replay CORPUS_FOLDER\n", stderr);
        return 2;
    }
    const std::map<std::string, int (*)(const std::uint8_t*, std::size_t)> targets{
        {"mask", &FuzzMask}, {"content", &FuzzContent}, {"options", &FuzzOptions}, {"pattern", &FuzzPattern}, {"locate", &FuzzLocate}};
    int replayed = 0;
    for (const auto& [name, target] : targets) {
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / name;
        if (!std::filesystem::is_directory(folder)) {
            std::fprintf(stderr, "no corpus for %s\n", name.c_str());
            return 1;
        }
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
