#pragma once
// The HTTP seam over wininet: InternetOpenW once per source, InternetOpenUrlW per address (always
// from the server, never from the cache), InternetReadFile for the body.
#include <windows.h>
#include <wininet.h>

#include "settings/unique_handle.h"
#include "update/http_source.h"

namespace gm::win {

// An HINTERNET closed with InternetCloseHandle.
struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { InternetCloseHandle(h); }
};
using InternetHandle = UniqueHandle<InternetHandleTraits>;

// The system's text of a wininet (or system) error; for an extended error, the server's response
// text. Empty when there is none.
std::wstring InternetErrorText(DWORD code);

class WinInetSource : public HttpSource {
 public:
  // The agent name the requests carry.
  static constexpr const wchar_t* kAgent = L"Gaming Mouse/2.1.6";
  // INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE.
  static constexpr DWORD kOpenUrlFlags = 0x84000000;

  // `accessType` is the system's preconfigured access (proxy settings included) for the program;
  // tests use INTERNET_OPEN_TYPE_DIRECT so they never go through a proxy.
  explicit WinInetSource(DWORD accessType = INTERNET_OPEN_TYPE_PRECONFIG);

  HttpOpenResult Open(std::wstring_view url) override;

 private:
  InternetHandle session_;
  HttpError sessionError_;
};

}  // namespace gm::win
