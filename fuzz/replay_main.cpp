// Replays the kept inputs of a fuzz target without libFuzzer: every file in
// the folders named on the command line goes through the target once, in
// name order. A target stops the program on a failed check, so the test of
// a replay fails where the fuzzer once found a fault.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::error_code error;
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    if (error) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.message().c_str());
      return 1;
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
      std::ifstream in(input, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!in.eof() && in.fail()) {
        std::fprintf(stderr, "%s: cannot be read\n", input.string().c_str());
        return 1;
      }
      std::printf("%s\n", input.filename().string().c_str());
      std::fflush(stdout);
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs of %s replayed\n", inputs.size(), argv[i]);
  }
  return 0;
}
