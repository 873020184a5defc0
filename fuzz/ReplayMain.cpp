// Replays every file of a corpus folder through a fuzz target, plus a set of
// generated inputs (empty, random bytes, truncations of each corpus file), so
// the readers are exercised without libFuzzer. The targets that need a file
// write it in a fresh folder of the temporary directory, removed at the end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

static void Run(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

namespace {

// A fresh folder inside TMPDIR that becomes TMPDIR for the replay, so every
// file a target writes lands in it; removed when the replay ends.
class ReplayFolder {
public:
    ReplayFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvisol-replay-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(2);
        }
        path_ = pattern;
        ::setenv("TMPDIR", path_.c_str(), 1);
    }
    ~ReplayFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ReplayFolder(const ReplayFolder&) = delete;
    ReplayFolder& operator=(const ReplayFolder&) = delete;

private:
    std::string path_;
};

}  // namespace

int main(int argc, char** argv) {
    const ReplayFolder scratch;
    std::vector<std::string> inputs{""};
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path p(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(p)) {
            for (auto& e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file()) files.push_back(e.path());
        } else if (std::filesystem::is_regular_file(p)) {
            files.push_back(p);
        }
        for (auto& f : files) {
            std::ifstream in(f, std::ios::binary);
            inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    std::mt19937 rng(12345);
    long runs = 0;
    const std::size_t seeds = inputs.size();
    for (std::size_t k = 0; k < seeds; ++k) {
        const std::string base = inputs[k];
        Run(base);
        ++runs;
        for (std::size_t cut = 0; cut < base.size(); cut += 1 + base.size() / 40) {
            Run(base.substr(0, cut));
            ++runs;
        }
        for (int m = 0; m < 200 && !base.empty(); ++m) {
            std::string mutated = base;
            const int edits = 1 + static_cast<int>(rng() % 8);
            for (int e = 0; e < edits; ++e) {
                const std::size_t at = rng() % mutated.size();
                switch (rng() % 4) {
                    case 0: mutated[at] = static_cast<char>(rng() % 256); break;
                    case 1: mutated.insert(at, 1, "\t\r\n,.-9e0"[rng() % 9]); break;
                    case 2: mutated.erase(at, 1 + rng() % 16); break;
                    default: mutated.insert(at, "99999999999"); break;
                }
                if (mutated.empty()) break;
            }
            Run(mutated);
            ++runs;
        }
    }
    for (int r = 0; r < 500; ++r) {
        std::string bytes(rng() % 512, '\0');
        for (auto& c : bytes) c = static_cast<char>(rng() % 256);
        Run(bytes);
        ++runs;
    }
    std::printf("replayed %ld inputs\n", runs);
    return 0;
}
