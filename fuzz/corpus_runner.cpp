// The main of a fuzz target where libFuzzer is not at hand: it runs every file of the folders it is
// given through the target, so that the seed corpus and every input that once found a fault are a
// test of the normal run. A folder that does not exist holds nothing; a run that meets no file at
// all fails, since it would prove nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    std::size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (!fs::is_directory(argv[i], error))
            continue;
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(argv[i])) {
            if (entry.is_regular_file())
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::ifstream stream(file, std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
            // An allocation of exactly the input's size, as libFuzzer gives, so that overreads show.
            std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[bytes.size()]);
            std::copy(bytes.begin(), bytes.end(), data.get());
            std::printf("%s\n", file.string().c_str());
            std::fflush(stdout);
            LLVMFuzzerTestOneInput(data.get(), bytes.size());
            ++inputs;
        }
    }
    std::printf("%zu inputs, every property held\n", inputs);
    return inputs > 0 ? 0 : 1;
}
