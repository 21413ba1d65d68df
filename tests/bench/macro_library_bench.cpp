// Loading and saving a large macro library (2,000 macros of 250 actions in nested folders), and
// what the empty library and single lookups cost. The load is set against a plain UTF-16 decode of
// the same file's bytes: reading the file and turning it into wide text is the least a load does,
// so the ratio of the two is what the library's own parsing costs.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "macro/library_file.h"
#include "settings/paths.h"
#include "settings/utf.h"

namespace {

std::atomic<long long> g_allocatedBytes{0};

}  // namespace

void* operator new(std::size_t size) {
  g_allocatedBytes += static_cast<long long>(size);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using gm::MacroItemLocation;

void FillLarge(gm::MacroLibrary& lib) {
  int made = 0;
  for (int f0 = 0; f0 < 10; ++f0) {
    MacroItemLocation top = MacroItemLocation::None();
    lib.CreateFolder(L"Folder " + std::to_wstring(f0), top);
    for (int f1 = 0; f1 < 5; ++f1) {
      MacroItemLocation mid = top;
      lib.CreateFolder(L"Sub " + std::to_wstring(f1), mid);
      for (int m = 0; m < 40; ++m, ++made) {
        MacroItemLocation at = m < 4 ? top : mid;
        lib.CreateMacro(L"Macro " + std::to_wstring(made), at);
        gm::MacroKey& key = *lib.ItemAt(at)->Macro;
        for (int a = 0; a < gm::kMacroActionCapacity; ++a)
          key.InsertAction(a, gm::MacroAction{static_cast<std::uint32_t>(made * 7919u + a * 104729u)});
      }
    }
  }
}

std::wstring TempFile(const char* name) {
  return gm::FromUtf8((std::filesystem::temp_directory_path() / name).string());
}

void BM_SaveLargeLibrary(benchmark::State& state) {
  gm::MacroLibrary lib;
  FillLarge(lib);
  const std::wstring path = TempFile("gm_macro_bench_save.mlf");
  for (auto _ : state) {
    if (!gm::WriteLibraryFile(path, lib, MacroItemLocation::None())) state.SkipWithError("write failed");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(gm::NativePath(path)));
  std::filesystem::remove(gm::NativePath(path));
}
BENCHMARK(BM_SaveLargeLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadLargeLibrary(benchmark::State& state) {
  const std::wstring path = TempFile("gm_macro_bench_load.mlf");
  {
    gm::MacroLibrary lib;
    FillLarge(lib);
    gm::WriteLibraryFile(path, lib, MacroItemLocation::None());
  }
  gm::MacroLibrary back;
  for (auto _ : state) {
    if (!gm::ReadLibraryFile(path, back)) state.SkipWithError("read failed");
  }
  std::filesystem::remove(gm::NativePath(path));
}
BENCHMARK(BM_LoadLargeLibrary)->Unit(benchmark::kMillisecond);

// The baseline of the load above: the same file read into memory with one read and decoded from
// UTF-16LE into one wide text sized once (surrogate pairs joined where wchar_t is 32-bit), nothing
// parsed.
std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::wstring DecodeUtf16Le(const std::string& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t out = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = static_cast<char32_t>(b[i] | b[i + 1] << 8);
    if constexpr (sizeof(wchar_t) == 4) {
      if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
        const auto low = static_cast<char32_t>(b[i + 2] | b[i + 3] << 8);
        if (low >= 0xDC00 && low < 0xE000) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          i += 2;
        }
      }
    }
    text[out++] = static_cast<wchar_t>(c);
  }
  text.resize(out);
  return text;
}

void BM_DecodeLargeLibraryBytes(benchmark::State& state) {
  const std::wstring path = TempFile("gm_macro_bench_decode.mlf");
  {
    gm::MacroLibrary lib;
    FillLarge(lib);
    gm::WriteLibraryFile(path, lib, MacroItemLocation::None());
  }
  std::size_t characters = 0;
  for (auto _ : state) {
    const std::wstring text = DecodeUtf16Le(ReadWholeFile(gm::NativePath(path)));
    characters = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["characters"] = static_cast<double>(characters);
  std::filesystem::remove(gm::NativePath(path));
}
BENCHMARK(BM_DecodeLargeLibraryBytes)->Unit(benchmark::kMillisecond);

// Heap bytes of an empty library, and of one that has been probed at its deepest slot.
void BM_EmptyLibraryMemory(benchmark::State& state) {
  long long emptyBytes = 0, probedBytes = 0;
  for (auto _ : state) {
    const long long before = g_allocatedBytes;
    auto* lib = new gm::MacroLibrary;
    emptyBytes = g_allocatedBytes - before;
    benchmark::DoNotOptimize(lib->ItemAt(MacroItemLocation::Level2(59, 59, 59)));
    probedBytes = g_allocatedBytes - before;
    delete lib;
  }
  state.counters["empty_bytes"] = static_cast<double>(emptyBytes);
  state.counters["probed_bytes"] = static_cast<double>(probedBytes);
}
BENCHMARK(BM_EmptyLibraryMemory);

void BM_FindMacroInLargeLibrary(benchmark::State& state) {
  gm::MacroLibrary lib;
  FillLarge(lib);
  for (auto _ : state) benchmark::DoNotOptimize(lib.FindMacro(2000));
}
BENCHMARK(BM_FindMacroInLargeLibrary)->Unit(benchmark::kMicrosecond);

}  // namespace
