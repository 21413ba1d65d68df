#pragma once
// A fresh folder under the system's temporary folder for one test, removed afterwards; `Program`
// gives a file's program path (backslashes, as the program stores paths) inside it.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "settings/utf.h"

namespace gm::test {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("gm_settings_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Program path of a file in the folder; with an empty name, the folder with a trailing backslash.
  std::wstring Program(const std::wstring& name = L"") const {
    std::wstring p = FromUtf8(path_.string());
    for (wchar_t& c : p) {
      if (c == L'/') c = L'\\';
    }
    return p + L"\\" + name;
  }

  std::string ReadBytes(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << bytes;
  }

 private:
  std::filesystem::path path_;
};

// UTF-16LE bytes of an ASCII/Latin-1 text, for hand-written expectations.
inline std::string Le(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

inline const std::string kBom = "\xFF\xFE";

}  // namespace gm::test
