#include "settings/text_file.h"

#include <cstdint>
#include <cstring>
#include <system_error>

#include "settings/platform_file.h"
#include "settings/paths.h"
#include "settings/utf.h"

namespace gm {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Writes one UTF-16 code unit, low byte first, and returns the position after it.
char* PutUnit(char* out, char32_t unit) {
  out[0] = static_cast<char>(unit & 0xFF);
  out[1] = static_cast<char>((unit >> 8) & 0xFF);
  return out + 2;
}

// Decodes UTF-16LE `bytes` (an odd last byte ignored) into `out`, replacing its text and reusing
// its storage: every line of every file read goes through here, so neither a per-line allocation
// nor a call per character is affordable. Where wchar_t is 32 bits a high surrogate followed by a
// low one becomes one character; an unpaired surrogate stays as it is.
void DecodeInto(std::string_view bytes, std::wstring& out) {
  const size_t end = bytes.size() & ~size_t{1};
  out.resize(end / 2);
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  auto unitAt = [in](size_t at) { return static_cast<char32_t>(in[at] | (in[at + 1] << 8)); };
  wchar_t* const first = out.data();
  wchar_t* next = first;
  size_t i = 0;
  // Runs of eight units are widened in local arrays, copied in and out whole, without a test per
  // unit, only noting whether one of them is a surrogate (the unit, masked, minus 0xD800 is zero).
  // A run that holds one (rare: characters outside the basic plane) leaves the rest of the text
  // to the exact loop below.
  constexpr size_t kRunUnits = 8;
  for (; i + 2 * kRunUnits <= end; i += 2 * kRunUnits) {
    unsigned char run[2 * kRunUnits];
    std::memcpy(run, in + i, sizeof run);
    wchar_t wide[kRunUnits];
    std::uint32_t surrogates = 0;
    for (size_t k = 0; k < kRunUnits; ++k) {
      const auto unit = static_cast<char32_t>(run[2 * k] | (run[2 * k + 1] << 8));
      wide[k] = static_cast<wchar_t>(unit);
      surrogates |= (((unit & 0xF800) ^ 0xD800) - 1) >> 31;
    }
    if (surrogates != 0) break;
    std::memcpy(next, wide, sizeof wide);
    next += kRunUnits;
  }
  for (; i < end; i += 2) {
    char32_t unit = unitAt(i);
    if constexpr (sizeof(wchar_t) > 2) {
      if ((unit & 0xFC00) == 0xD800 && i + 2 < end && (unitAt(i + 2) & 0xFC00) == 0xDC00) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00);
        i += 2;
      }
    }
    *next++ = static_cast<wchar_t>(unit);
  }
  out.resize(static_cast<size_t>(next - first));
}

bool ReadAll(const std::filesystem::path& path, std::string& out) {
  std::FILE* f = OpenNativeFile(path, "rb");
  if (!f) return false;
  // Sized from the file's length and read with one call (a macro library runs to megabytes);
  // the loop after it still takes whatever the file holds beyond that length.
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    std::rewind(f);
    if (size > 0) {
      out.resize(static_cast<size_t>(size));
      out.resize(std::fread(out.data(), 1, out.size(), f));
    }
  }
  char buffer[16384];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

}  // namespace

std::string EncodeUtf16Le(std::wstring_view text) {
  // Sized once for the worst case (two units per character) and written through a pointer:
  // appending per byte dominated writing a large macro library.
  std::string out(text.size() * 4, '\0');
  char* const first = out.data();
  char* next = first;
  for (wchar_t c : text) {
    char32_t cp = static_cast<char32_t>(c);
    if constexpr (sizeof(wchar_t) == 2) {
      next = PutUnit(next, cp);
    } else {
      if (cp > 0x10FFFF) cp = kReplacement;
      if (cp >= 0x10000) {
        cp -= 0x10000;
        next = PutUnit(next, 0xD800 + (cp >> 10));
        next = PutUnit(next, 0xDC00 + (cp & 0x3FF));
      } else {
        next = PutUnit(next, cp);
      }
    }
  }
  out.resize(static_cast<size_t>(next - first));
  return out;
}

std::wstring DecodeUtf16Le(std::string_view bytes) {
  std::wstring out;
  DecodeInto(bytes, out);
  return out;
}

std::wstring SingleLine(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) {
    if (c == L'\n') c = L' ';
  }
  return out;
}

CStdioFileEx::~CStdioFileEx() { Discard(); }

void CStdioFileEx::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
  }
  content_.clear();
  position_ = 0;
  open_ = false;
}

bool CStdioFileEx::Open(std::wstring_view path, unsigned flags) {
  Discard();
  const bool writing = (flags & (kFileModeWrite | kFileModeCreate)) != 0;
  const std::filesystem::path native = NativePath(path);
  wide_ = (flags & kFileWide) != 0;
  if (writing) {
    target_ = native;
    temporary_ = native;
    temporary_ += ".gmtmp";
    file_ = OpenNativeFile(temporary_, "wb");
    if (!file_) return false;
    failed_ = false;
    empty_ = true;
    open_ = true;
    return true;
  }
  if (!ReadAll(native, content_)) {
    content_.clear();
    return false;
  }
  return StartReading(flags);
}

bool CStdioFileEx::OpenBytes(std::string bytes, unsigned flags) {
  Discard();
  if ((flags & (kFileModeWrite | kFileModeCreate)) != 0) return false;
  wide_ = (flags & kFileWide) != 0;
  content_ = std::move(bytes);
  return StartReading(flags);
}

bool CStdioFileEx::StartReading(unsigned flags) {
  // A narrow text-mode reader switches to wide mode when the file starts with a byte-order mark.
  const bool textRead = (flags & kFileTypeText) != 0;
  if (!wide_ && textRead && content_.size() >= 2 && content_.compare(0, 2, "\xFF\xFE") == 0) wide_ = true;
  // The byte-order mark is skipped when present; a file without one is read from its first byte.
  position_ = 0;
  if (wide_ && content_.size() >= 2 && content_.compare(0, 2, "\xFF\xFE") == 0) position_ = 2;
  open_ = true;
  return true;
}

bool CStdioFileEx::ReadString(std::wstring& text) {
  text.clear();
  if (!open_ || file_) return false;
  const std::string_view rest = std::string_view(content_).substr(position_);
  if (wide_) {
    // The line runs up to and including the next line feed unit (0A 00) or the end of the file.
    const size_t end = rest.size() & ~size_t{1};
    size_t i = end;
    // memchr finds each 0A byte; only one at an even offset followed by 00 ends the line.
    for (size_t from = 0; from < end;) {
      const void* hit = std::memchr(rest.data() + from, '\n', end - from);
      if (!hit) break;
      const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - rest.data());
      if (at % 2 == 0 && at + 1 < end && rest[at + 1] == '\0') {
        i = at + 2;
        break;
      }
      from = at + 1;
    }
    position_ += i;
    if (position_ + 1 == content_.size()) position_ = content_.size();  // an odd last byte is dropped
    DecodeInto(rest.substr(0, i), text);
    if (text.size() >= 2 && text.back() == L'\n') text.pop_back();
  } else {
    size_t lf = rest.find('\n');
    const size_t taken = lf == std::string_view::npos ? rest.size() : lf + 1;
    position_ += taken;
    std::string_view line = rest.substr(0, taken);
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    text = FromUtf8(line);
  }
  return !text.empty();
}

bool CStdioFileEx::WriteString(std::wstring_view text) {
  if (!file_) return false;
  std::string bytes;
  if (wide_) {
    if (empty_) bytes = "\xFF\xFE";
    bytes += EncodeUtf16Le(text);
  } else {
    bytes = ToUtf8(text);
  }
  empty_ = false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  return !failed_;
}

bool CStdioFileEx::WriteLine(std::wstring_view text) {
  std::wstring line = SingleLine(text);
  line += L'\n';
  return WriteString(line);
}

bool CStdioFileEx::Close() {
  if (!file_) {
    Discard();
    return true;
  }
  bool ok = !failed_ && FlushToDisk(file_);
  ok = (std::fclose(file_) == 0) && ok;
  file_ = nullptr;
  if (ok) ok = ReplaceFileAtomically(temporary_, target_);
  if (!ok) {
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
  }
  Discard();
  return ok;
}

}  // namespace gm
