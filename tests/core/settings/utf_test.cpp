#include "settings/utf.h"

#include <gtest/gtest.h>

TEST(Utf8, RoundTripsEveryPlane) {
  const std::wstring text = L"Maus \u00fc \u4e2d\u6587 \U0001F5B1 end";
  const std::string utf8 = gm::ToUtf8(text);
  EXPECT_EQ(utf8, "Maus \xc3\xbc \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x96\xb1 end");
  EXPECT_EQ(gm::FromUtf8(utf8), text);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  const struct {
    std::string in;
    std::wstring out;
  } cases[] = {
      {"a\x80" "b", L"a\uFFFDb"},          // stray continuation byte
      {"\xc3", L"\uFFFD"},                 // truncated two-byte sequence
      {"\xe4\xb8", L"\uFFFD\uFFFD"},       // truncated three-byte sequence
      {"\xc0\xaf", L"\uFFFD\uFFFD"},       // overlong encoding of '/'
      {"\xed\xa0\x80", L"\uFFFD"},         // encoded surrogate
      {"\xff", L"\uFFFD"},
  };
  for (const auto& c : cases) EXPECT_EQ(gm::FromUtf8(c.in), c.out) << c.in;
}
