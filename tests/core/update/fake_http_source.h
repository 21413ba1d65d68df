#pragma once
// A scripted HttpSource for the update tests: each address answers with a status, an optional
// announced length, a body handed out in chunks of a chosen size, and optionally a break-off
// after some bytes.
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "update/http_source.h"

namespace gmtest {

struct FakeResponse {
  int status = 200;
  std::string body;
  std::optional<std::uint64_t> contentLength;  // announced length
  std::size_t chunk = 4096;                    // most bytes per read
  std::size_t failAfter = std::string::npos;   // the read after this many bytes fails
  bool openFails = false;
  std::uint32_t errorCode = 12029;
  std::wstring errorText = L"A connection with the server could not be established";
};

class FakeHttpSource : public gm::HttpSource {
 public:
  std::map<std::wstring, FakeResponse> responses;
  std::vector<std::wstring> opened;  // every address asked for, in order

  gm::HttpOpenResult Open(std::wstring_view url) override {
    opened.emplace_back(url);
    gm::HttpOpenResult result;
    auto it = responses.find(std::wstring(url));
    if (it == responses.end() || it->second.openFails) {
      const FakeResponse fallback;
      const FakeResponse& r = it == responses.end() ? fallback : it->second;
      result.error = {r.errorCode, r.errorText};
      return result;
    }
    result.status = it->second.status;
    result.contentLength = it->second.contentLength;
    result.stream = std::make_unique<Stream>(it->second);
    return result;
  }

 private:
  class Stream : public gm::HttpStream {
   public:
    explicit Stream(const FakeResponse& r) : r_(r) {}
    gm::HttpReadResult Read(std::uint8_t* buffer, std::size_t capacity) override {
      gm::HttpReadResult result;
      if (position_ >= r_.failAfter) {
        result.ok = false;
        result.error = {12030, L"The connection with the server was terminated abnormally"};
        return result;
      }
      std::size_t n = std::min({capacity, r_.chunk, r_.body.size() - position_});
      if (r_.failAfter != std::string::npos) n = std::min(n, r_.failAfter - position_);
      std::memcpy(buffer, r_.body.data() + position_, n);
      position_ += n;
      result.bytes = n;
      return result;
    }

   private:
    FakeResponse r_;
    std::size_t position_ = 0;
  };
};

}  // namespace gmtest
