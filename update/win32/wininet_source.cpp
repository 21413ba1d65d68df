#include "update/win32/wininet_source.h"

#include <string>
#include <vector>

namespace gm::win {
namespace {

constexpr DWORD_PTR kContext = 1;

HttpError LastError() {
  const DWORD code = GetLastError();
  return HttpError{code, InternetErrorText(code)};
}

// A numeric header of the response, or no value when the server sent none.
std::optional<std::uint64_t> QueryNumber(HINTERNET request, DWORD info) {
  wchar_t text[32] = {};
  DWORD size = sizeof(text);
  if (!HttpQueryInfoW(request, info, text, &size, nullptr)) return std::nullopt;
  std::uint64_t value = 0;
  bool any = false;
  for (const wchar_t* p = text; *p >= L'0' && *p <= L'9'; ++p) {
    if (value > (UINT64_MAX - 9) / 10) return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(*p - L'0');
    any = true;
  }
  return any ? std::optional<std::uint64_t>(value) : std::nullopt;
}

class WinInetStream : public HttpStream {
 public:
  explicit WinInetStream(InternetHandle request) : request_(std::move(request)) {}

  HttpReadResult Read(std::uint8_t* buffer, std::size_t capacity) override {
    HttpReadResult result;
    DWORD read = 0;
    const DWORD want = capacity > 0x10000 ? 0x10000 : static_cast<DWORD>(capacity);
    if (!InternetReadFile(request_.Get(), buffer, want, &read)) {
      result.ok = false;
      result.error = LastError();
      return result;
    }
    result.bytes = read;
    return result;
  }

 private:
  InternetHandle request_;
};

}  // namespace

std::wstring InternetErrorText(DWORD code) {
  constexpr DWORD kMaxChars = 1024;
  std::vector<wchar_t> text(kMaxChars + 1, L'\0');
  if (code == ERROR_INTERNET_EXTENDED_ERROR) {
    DWORD detail = 0;
    DWORD length = kMaxChars;
    if (InternetGetLastResponseInfoW(&detail, text.data(), &length)) {
      return std::wstring(text.data(), length < kMaxChars ? length : kMaxChars);
    }
  }
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                GetModuleHandleW(L"wininet.dll"), code, 0, text.data(), kMaxChars,
                                nullptr);
  while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r')) --length;
  return std::wstring(text.data(), length);
}

WinInetSource::WinInetSource(DWORD accessType)
    : session_(InternetOpenW(kAgent, accessType, nullptr, nullptr, 0)) {
  if (!session_) sessionError_ = LastError();
}

HttpOpenResult WinInetSource::Open(std::wstring_view url) {
  HttpOpenResult result;
  if (!session_) {
    result.error = sessionError_;
    return result;
  }
  const std::wstring address(url);
  InternetHandle request(
      InternetOpenUrlW(session_.Get(), address.c_str(), nullptr, 0, kOpenUrlFlags, kContext));
  if (!request) {
    result.error = LastError();
    return result;
  }
  // Addresses without a status line (ftp, file) report none; their body is judged alone.
  if (auto status = QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE)) {
    result.status = static_cast<int>(*status);
  }
  result.contentLength = QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH);
  result.stream = std::make_unique<WinInetStream>(std::move(request));
  return result;
}

}  // namespace gm::win
