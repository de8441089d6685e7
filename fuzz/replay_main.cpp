// Without libFuzzer, the target runs over a fixed set of seeds and a bounded
// number of pseudo-random inputs derived from them, so the properties are
// checked in every test run. A second argument names a folder of seed files
// (the fuzzer's corpus) that are run and mutated as well.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size);

int main(int argc, char** argv) {
    std::vector<std::string> seeds = {
        "",
        "a\r\nb\r\nc\r\n",
        std::string("a\rb\nc\0d", 7),
        "\x82\xa0\x82\xa2\r\n? The boy.\r\n\xa0\xff\x82",
        "[\x96\xe2\x91\xe8\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc]\r\nPFileName=x\r\n",
        "[\x96\xe2\x91\xe8\x94\xd4\x8d\x86]\nPProblemNum = 0x1F\n;c\n[x\nk\n",
        " [ a ] \r\n k = \"v\" \r\n=\r\n[]\r\n",
    };
    // The seed corpus of the real fuzzer, when its folder is given.
    if (argc > 2) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[2])) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
        }
    }
    std::mt19937 rng(12345);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3000;
    int runs = 0;
    for (const auto& s : seeds) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
        ++runs;
    }
    for (int i = 0; i < rounds; ++i) {
        std::string s = seeds[rng() % seeds.size()];
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            const auto pos = s.empty() ? 0 : rng() % (s.size() + 1);
            switch (rng() % 3) {
            case 0:
                s.insert(s.begin() + static_cast<long>(pos), static_cast<char>(rng() & 0xFF));
                break;
            case 1:
                if (!s.empty() && pos < s.size()) s.erase(pos, 1);
                break;
            default:
                if (pos < s.size()) s[pos] = static_cast<char>(rng() & 0xFF);
                break;
            }
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
        ++runs;
    }
    std::printf("%d inputs checked\n", runs);
    return 0;
}
