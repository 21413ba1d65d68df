// Replays kept fuzz inputs through a target without libFuzzer, so a g++ build can run every
// corpus as an ordinary test. Each argument is a file or a folder (every regular file in it, in
// name order). A fault in the target aborts the process, which fails the test; otherwise the
// driver prints how many inputs ran and how fast.
//   <target>_replay [-repeat=N] PATH...
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const fs::path& path) {
  std::vector<fs::path> files;
  if (fs::is_directory(path)) {
    for (const auto& entry : fs::directory_iterator(path))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
  } else if (fs::is_regular_file(path)) {
    files.push_back(path);
  }
  return files;
}

bool ReadAll(const fs::path& file, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  long repeat = 1;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("-repeat=", 0) == 0) {
      repeat = std::max(1L, std::strtol(arg.c_str() + 8, nullptr, 10));
      continue;
    }
    const auto found = InputsOf(arg);
    if (found.empty()) {
      std::fprintf(stderr, "replay: no input at %s\n", arg.c_str());
      return 2;
    }
    inputs.insert(inputs.end(), found.begin(), found.end());
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: %s [-repeat=N] FILE-OR-FOLDER...\n", argv[0]);
    return 2;
  }

  std::vector<std::vector<std::uint8_t>> data(inputs.size());
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (!ReadAll(inputs[i], data[i])) {
      std::fprintf(stderr, "replay: cannot read %s\n", inputs[i].c_str());
      return 2;
    }
  }
  const auto start = std::chrono::steady_clock::now();
  long runs = 0;
  for (long r = 0; r < repeat; ++r) {
    for (const auto& bytes : data) {
      // A copy of exactly the input's size, as libFuzzer hands it: a read past the end is caught.
      // (new[] of zero bytes still gives a valid pointer, like libFuzzer's empty input.)
      std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size()]);
      std::copy(bytes.begin(), bytes.end(), copy.get());
      LLVMFuzzerTestOneInput(copy.get(), bytes.size());
      ++runs;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("replay: %zu inputs, %ld runs in %.3f s (%.0f exec/s)\n", inputs.size(), runs, seconds,
              seconds > 0 ? runs / seconds : 0.0);
  return 0;
}
