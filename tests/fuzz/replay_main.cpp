// Runs a fuzz harness over every file of its seed folder with the normal compiler, so that a
// harness that stops building or a seed that breaks a rule fails the ordinary test run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<std::filesystem::path> seeds(std::filesystem::directory_iterator(argv[1]), {});
    std::sort(seeds.begin(), seeds.end());
    for (const auto& seed : seeds) {
        std::ifstream in(seed, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        // A failed rule aborts inside the harness; the seed's name is printed first to find it.
        std::printf("%s\n", seed.filename().c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu seeds replayed\n", seeds.size());
    return seeds.empty() ? 1 : 0; // a folder without seeds checks nothing
}
