// Runs a fuzz target without libFuzzer (a compiler without it, the sanitizer builds of the suite):
// every file of the corpus folders given, then inputs made from them by random changes until the time
// given with -max_total_time=SECONDS is up. A crash or a sanitizer report fails the run.
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void mutate(std::vector<uint8_t>& input, const std::vector<std::vector<uint8_t>>& corpus, std::mt19937& rng) {
    static const char* const Tokens[] = {"@@@\n", "[", "]", "=", "\r\n", "\n", "pocet", "pocetBudiku", "pocetMezicasu",
                                         "info", "data", "-1", "2147483647", "99999999999", "1e308", "\xef\xbb\xbf",
                                         "\xff\xfe", "\x00", ",", "E-5", "pocetUpozorneni", "nastaveni4", "Dny"};
    const auto it = [&](size_t i) {
        return input.begin() + static_cast<std::ptrdiff_t>(std::min(i, input.size()));
    };
    const int changes = 1 + static_cast<int>(rng() % 8);
    for (int c = 0; c < changes; ++c) {
        const size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
        const size_t in = input.empty() ? 0 : at % input.size(); // a byte of the input
        switch (rng() % 6) {
        case 0: // flip a byte
            if (!input.empty()) {
                input[in] ^= static_cast<uint8_t>(1u << (rng() % 8));
            }
            break;
        case 1: // drop a run
            if (!input.empty()) {
                input.erase(it(in), it(in + 1 + rng() % 16));
            }
            break;
        case 2: { // a token the formats care about
            const char* token = Tokens[rng() % std::size(Tokens)];
            input.insert(it(at), token, token + (token[0] ? std::strlen(token) : 1));
            break;
        }
        case 3: // a random byte
            input.insert(it(at), static_cast<uint8_t>(rng()));
            break;
        case 4: // a piece of another input
            if (!corpus.empty()) {
                const auto& other = corpus[rng() % corpus.size()];
                if (!other.empty()) {
                    const size_t from = rng() % other.size();
                    const size_t length = std::min(other.size() - from, static_cast<size_t>(1 + rng() % 64));
                    input.insert(it(at), other.begin() + static_cast<std::ptrdiff_t>(from),
                                 other.begin() + static_cast<std::ptrdiff_t>(from + length));
                }
            }
            break;
        default: // repeat a run
            if (!input.empty() && input.size() < 1'000'000) {
                const std::vector<uint8_t> run(it(in), it(in + 32));
                for (int i = 0; i < 1 + static_cast<int>(rng() % 4); ++i) {
                    input.insert(it(in), run.begin(), run.end());
                }
            }
            break;
        }
    }
}

// The input being run, written to "crash-input" in the current folder when the run aborts or crashes,
// so that it can be run again on its own.
const std::vector<uint8_t>* current = nullptr;
char crashFile[256] = "crash-input"; // crash-input-TARGET: targets run side by side in one folder

extern "C" void saveCurrentInput(int signal) {
    if (current) {
        const int fd = ::open(crashFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            (void)!::write(fd, current->data(), current->size());
            ::close(fd);
            static const char Saved[] = "the failing input is in ./";
            (void)!::write(2, Saved, sizeof Saved - 1);
            (void)!::write(2, crashFile, std::strlen(crashFile));
            (void)!::write(2, "\n", 1);
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

int main(int argc, char** argv) {
    const std::string name = std::filesystem::path(argv[0]).filename().string();
    std::snprintf(crashFile, sizeof crashFile, "crash-input-%s", name.c_str());
    for (const int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL}) {
        std::signal(signal, saveCurrentInput);
    }
    double seconds = 0;
    unsigned seed = 1;
    std::vector<std::vector<uint8_t>> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("-max_total_time=", 0) == 0) {
            seconds = std::atof(arg.c_str() + 16);
        } else if (arg.rfind("-seed=", 0) == 0) {
            seed = static_cast<unsigned>(std::strtoul(arg.c_str() + 6, nullptr, 10));
        } else if (arg[0] != '-' && std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file()) {
                    corpus.push_back(readFile(entry.path()));
                }
            }
        } else if (arg[0] != '-') {
            corpus.push_back(readFile(arg));
        }
    }
    for (const auto& input : corpus) {
        current = &input;
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    // The same inputs at every run (-seed=N for others): the suite checks what was checked before,
    // and finding new inputs is the coverage-guided `make fuzz`'s work.
    std::mt19937 rng(seed);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = static_cast<long>(corpus.size());
    while (std::chrono::steady_clock::now() < end) {
        std::vector<uint8_t> input = corpus.empty() ? std::vector<uint8_t>{} : corpus[rng() % corpus.size()];
        mutate(input, corpus, rng);
        current = &input;
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++runs;
    }
    std::printf("%ld runs, no crash\n", runs);
    return 0;
}
