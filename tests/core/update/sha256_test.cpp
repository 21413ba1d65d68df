#include "update/sha256.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/temp_folder.h"

namespace gm {
namespace {

// The standard test vectors.
TEST(Sha256, StandardVectors) {
  const struct {
    const char* name;
    std::string message;
    const char* digest;
  } cases[] = {
      {"empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"448 bits", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"one million a", std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : cases) EXPECT_EQ(DigestHex(Sha256Of(c.message)), c.digest) << c.name;
}

// Fed in pieces of any size (across block boundaries and the padding's edge at 55/56/64 bytes),
// the digest is the one of the whole.
TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
  std::string message;
  for (int i = 0; i < 1000; ++i) message += static_cast<char>(i * 37 + 11);
  for (std::size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
    const std::string whole = message.substr(0, length);
    const Sha256Digest expected = Sha256Of(whole);
    for (std::size_t piece : {1u, 3u, 63u, 64u, 65u}) {
      Sha256 hash;
      for (std::size_t at = 0; at < whole.size(); at += piece) {
        const std::string part = whole.substr(at, piece);
        hash.Update(std::span(reinterpret_cast<const std::uint8_t*>(part.data()), part.size()));
      }
      EXPECT_EQ(hash.Finish(), expected) << "length " << length << " in pieces of " << piece;
    }
  }
}

TEST(Sha256, FileDigestAndMissingFile) {
  test::TempFolder dir;
  dir.WriteBytes("setup.exe", std::string(200000, 'a'));
  const auto digest = Sha256OfFile(dir.Program(L"setup.exe"));
  ASSERT_TRUE(digest);
  EXPECT_EQ(*digest, Sha256Of(std::string(200000, 'a')));
  EXPECT_FALSE(Sha256OfFile(dir.Program(L"missing.exe")));
}

}  // namespace
}  // namespace gm
