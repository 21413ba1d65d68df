#pragma once
// CStdioFileEx: the line-oriented text file every settings, language, macro and update file goes
// through.
//
// Wide mode (the only mode the program's files use): UTF-16 little-endian code units after a
// byte-order mark FF FE, lines ending with a single line feed. Nothing converts line ends: a
// carriage return written by another program stays part of the line text. The UTF-16 codec is
// explicit, so the same bytes come out where wchar_t is 16 bits (Windows) and where it is 32 bits
// (surrogate pairs are combined on reading and split on writing).
//
// Narrow mode (files opened without kFileWide, kept for completeness): lines are UTF-8 bytes; a
// trailing line feed or carriage-return/line-feed pair is removed on reading.
//
// Writing is atomic: Open(..., kOpenForWriting) writes into a temporary file beside the target and
// only Close() moves it over the target after flushing it to disk. An object destroyed without a
// successful Close() removes its temporary file and leaves the target as it was.
//
// Paths are program paths (backslash separators), opened through NativePath().
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace gm {

// Open flags. kFileWide is this class's own flag; the others keep the framework's values.
inline constexpr unsigned kFileModeRead = 0x0000;
inline constexpr unsigned kFileModeWrite = 0x0001;
inline constexpr unsigned kFileModeReadWrite = 0x0002;
inline constexpr unsigned kFileModeCreate = 0x1000;
inline constexpr unsigned kFileTypeText = 0x4000;
inline constexpr unsigned kFileTypeBinary = 0x8000;
inline constexpr unsigned kFileWide = 0x100000;

// The two combinations the program uses.
inline constexpr unsigned kOpenForReading = 0x100002;  // an existing file, wide
inline constexpr unsigned kOpenForWriting = 0x101001;  // create or replace, wide

class CStdioFileEx {
 public:
  CStdioFileEx() = default;
  ~CStdioFileEx();
  CStdioFileEx(const CStdioFileEx&) = delete;
  CStdioFileEx& operator=(const CStdioFileEx&) = delete;

  // Opens `path`. With kFileModeWrite or kFileModeCreate the file is (re)written from empty;
  // otherwise it is read and must exist. Reading needs only read access, so a read-only file can
  // be read. Returns whether the file is open. A file already open is closed first.
  bool Open(std::wstring_view path, unsigned flags);

  // Reads from `bytes` as if they were the content of a file opened with `flags` (a reading
  // combination): for readers fed from memory.
  bool OpenBytes(std::string bytes, unsigned flags);

  // Reads the next line into `text`. Wide mode: the line's trailing line feed is removed unless
  // the line is nothing but that line feed (an empty line reads as L"\n"). At the end of the file
  // `text` is empty. Returns whether `text` is non-empty. A byte-order mark at the start of the
  // file is skipped; a file without one loses nothing.
  bool ReadString(std::wstring& text);

  // Appends `text` exactly as given (the caller includes the line feed); the byte-order mark is
  // written first when the file is still empty. Returns false when the file is not open for
  // writing or the write failed.
  bool WriteString(std::wstring_view text);

  // Appends `text` as one line: any line feed inside it becomes a space, so a value can never
  // split into two lines and shift the fields after it; then a line feed.
  bool WriteLine(std::wstring_view text);

  // Ends the file. After writing, the new content replaces the target only when every write, the
  // flush to disk and the replacement succeeded; returns that. After reading, returns true.
  bool Close();

  bool IsOpen() const { return open_; }
  bool IsWide() const { return wide_; }

 private:
  void Discard();
  bool StartReading(unsigned flags);

  bool open_ = false;
  bool wide_ = false;
  // Reading: the whole file is loaded at Open (settings files are small) and read from memory.
  std::string content_;
  size_t position_ = 0;
  // Writing: the temporary file and the file it will replace.
  std::FILE* file_ = nullptr;
  bool failed_ = false;   // a write failed; Close() will not commit
  bool empty_ = true;     // nothing written yet (the byte-order mark is still due)
  std::filesystem::path target_;
  std::filesystem::path temporary_;
};

// The text with every line feed replaced by a space (what WriteLine stores).
std::wstring SingleLine(std::wstring_view text);

// Encodes wide text as UTF-16LE bytes (no byte-order mark) and decodes such bytes back. Decoding
// combines surrogate pairs where wchar_t is 32 bits and keeps unpaired surrogates as they are, so
// any code-unit sequence survives a round trip; an odd trailing byte is ignored.
std::string EncodeUtf16Le(std::wstring_view text);
std::wstring DecodeUtf16Le(std::string_view bytes);

}  // namespace gm
