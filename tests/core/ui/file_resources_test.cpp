#include "ui/file_resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A small 64-bit program file laid out by hand: one section, ".rsrc", stored at file offset 0x200
// and loaded at 0x1000, holding a resource tree with a named type (skipped), an icon type and a
// bitmap type with pictures 7 and 9; picture 9's data, "hello", ends the file.
class ProgramFile {
 public:
  static constexpr std::size_t kSection = 0x200;
  static constexpr std::uint32_t kSectionRva = 0x1000;

  explicit ProgramFile(std::uint16_t magic = 0x20B) : bytes_(kSection + 0xA5, 0) {
    const std::size_t optionalSize = magic == 0x20B ? 240 : 224, directories = magic == 0x20B ? 112 : 96;
    Put16(0, 0x5A4D);
    Put32(0x3C, 0x40);
    Put32(0x40, 0x00004550);
    Put16(0x44, magic == 0x20B ? 0x8664 : 0x014C);
    Put16(0x46, 1);  // one section
    Put16(0x54, static_cast<std::uint16_t>(optionalSize));
    const std::size_t optional = 0x58;
    Put16(optional, magic);
    Put32(optional + directories - 4, 16);
    Put32(optional + directories + 16, kSectionRva);  // the resource directory
    Put32(optional + directories + 20, 0xA5);
    const std::size_t table = optional + optionalSize;
    const char name[] = ".rsrc";
    for (int i = 0; i < 5; ++i) bytes_[table + i] = static_cast<std::uint8_t>(name[i]);
    Put32(table + 8, 0xA5);
    Put32(table + 12, kSectionRva);
    Put32(table + 16, 0x200);
    Put32(table + 20, kSection);

    // Offsets from the section's start. The root: one named type, then types 3 and 2.
    Directory(0x00, 1, 2);
    Entry(0x10, 0x80000000u | 0x98, 0x80000000u | 0x30);
    Entry(0x18, 3, 0x80000000u | 0x30);
    Entry(0x20, 2, 0x80000000u | 0x40);
    Directory(0x30, 0, 0);  // empty: the named type, type 3 and picture 7's languages
    Directory(0x40, 0, 2);  // type 2: pictures 7 and 9
    Entry(0x50, 7, 0x80000000u | 0x30);
    Entry(0x58, 9, 0x80000000u | 0x60);
    Directory(0x60, 0, 1);  // picture 9 in one language, its data entry at 0x80
    Entry(0x70, 0x409, 0x80);
    Put32(kSection + 0x80, kSectionRva + 0xA0);
    Put32(kSection + 0x84, 5);
    const char hello[] = "hello";
    for (int i = 0; i < 5; ++i) bytes_[kSection + 0xA0 + i] = static_cast<std::uint8_t>(hello[i]);
  }

  std::vector<std::uint8_t> bytes_;

  void Put16(std::size_t at, std::uint16_t v) {
    bytes_[at] = static_cast<std::uint8_t>(v);
    bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  void Put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }

 private:
  void Directory(std::size_t rel, std::uint16_t named, std::uint16_t numbered) {
    Put16(kSection + rel + 12, named);
    Put16(kSection + rel + 14, numbered);
  }
  void Entry(std::size_t rel, std::uint32_t name, std::uint32_t target) {
    Put32(kSection + rel, name);
    Put32(kSection + rel + 4, target);
  }
};

std::string Found(const std::vector<std::uint8_t>& file, std::uint16_t type, std::uint16_t id) {
  const auto found = gm::ui::FindFileResource(file, type, id);
  return found ? std::string(found->begin(), found->end()) : std::string("(none)");
}

TEST(FileResources, FindsAResourceByTypeAndNumberInBothKindsOfProgramFile) {
  for (std::uint16_t magic : {std::uint16_t{0x20B}, std::uint16_t{0x10B}}) {
    const ProgramFile file(magic);
    EXPECT_EQ(Found(file.bytes_, 2, 9), "hello") << std::hex << magic;
    EXPECT_EQ(Found(file.bytes_, 2, 7), "(none)") << "no language at all";
    EXPECT_EQ(Found(file.bytes_, 2, 8), "(none)");
    EXPECT_EQ(Found(file.bytes_, 3, 9), "(none)");
    EXPECT_EQ(Found(file.bytes_, 5, 9), "(none)");
  }
}

// Every shorter file ends before the data (which ends the file), or cuts a header or directory:
// none of them gives anything, and none is read past its end (the sanitizers watch).
TEST(FileResources, ATruncatedFileGivesNothing) {
  const ProgramFile file;
  for (std::size_t n = 0; n < file.bytes_.size(); ++n) {
    const std::vector<std::uint8_t> cut(file.bytes_.begin(), file.bytes_.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_EQ(Found(cut, 2, 9), "(none)") << n;
  }
}

TEST(FileResources, DamagedHeadersAndDirectoriesGiveNothing) {
  constexpr std::size_t S = ProgramFile::kSection;
  const struct {
    const char* what;
    std::size_t at;
    std::uint32_t value;
  } cases[] = {
      {"not MZ", 0, 0x5A4E},
      {"PE header past the end", 0x3C, 0xFFFFFFF0u},
      {"no PE signature", 0x40, 0x00004551},
      {"unknown optional header", 0x58, 0x0107},
      {"fewer than three data directories", 0x58 + 108, 2},
      {"no resource directory", 0x58 + 112 + 16, 0},
      {"resource directory outside every section", 0x58 + 112 + 16, 0x5000},
      {"a directory past the end", S + 0x24, 0x80000000u | 0x7FFFFFF0u},
      {"data where a directory belongs", S + 0x24, 0x40},
      {"a directory where data belongs", S + 0x74, 0x80000000u | 0x60},
      {"data entry past the end", S + 0x74, 0x7FFFFFF0u},
      {"data longer than the file", S + 0x84, 6},
      {"data of a huge size", S + 0x84, 0xFFFFFFFFu},
      {"data outside every section", S + 0x80, 0x9000},
  };
  for (const auto& c : cases) {
    ProgramFile file;
    if (c.at == 0 || c.at == 0x58)
      file.Put16(c.at, static_cast<std::uint16_t>(c.value));
    else
      file.Put32(c.at, c.value);
    EXPECT_EQ(Found(file.bytes_, 2, 9), "(none)") << c.what;
  }
  // A directory that claims more entries than the file holds is searched only as far as the file.
  ProgramFile huge;
  huge.Put16(S + 0x40 + 14, 0xFFFF);
  EXPECT_EQ(Found(huge.bytes_, 2, 9), "hello");
  EXPECT_EQ(Found(huge.bytes_, 2, 11), "(none)");
}

}  // namespace
