#pragma once
// The seam between the update logic and the network: open an address, read its body chunk by
// chunk, close it (by destroying the stream). The Windows program implements it over wininet
// (update/win32/wininet_source.h); tests substitute a scripted source.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace gm {

// A failure of the network layer: its error number and the system's text for it (may be empty).
struct HttpError {
  std::uint32_t code = 0;
  std::wstring text;
};

struct HttpReadResult {
  bool ok = true;         // false: the transfer broke off; `error` says why
  std::size_t bytes = 0;  // bytes placed in the buffer; 0 with ok = the end of the body
  HttpError error;
};

class HttpStream {
 public:
  virtual ~HttpStream() = default;
  // Reads up to `capacity` bytes of the body into `buffer`.
  virtual HttpReadResult Read(std::uint8_t* buffer, std::size_t capacity) = 0;
};

struct HttpOpenResult {
  std::unique_ptr<HttpStream> stream;  // empty when the address could not be opened
  // The server's status code; 0 when the scheme has none (the transfer is then judged by its
  // body alone).
  int status = 0;
  // The body's length when the server announced one.
  std::optional<std::uint64_t> contentLength;
  HttpError error;  // why opening failed
};

class HttpSource {
 public:
  virtual ~HttpSource() = default;
  // Opens `url` for reading, always from the server (never from a cache).
  virtual HttpOpenResult Open(std::wstring_view url) = 0;
};

}  // namespace gm
