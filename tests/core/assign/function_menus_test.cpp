#include "assign/function_menus.h"

#include <gtest/gtest.h>

#include "ui/program_messages.h"

namespace gm {
namespace {

// Every text named after its index, so a name shows which text it came from.
LanguageTable NumberedTexts() {
  LanguageTable texts;
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = L"t" + std::to_wstring(i);
  return texts;
}

constexpr std::uintptr_t kTag = 2015;

TEST(FunctionMenus, FinalChoicesGiveTheirNameAndCode) {
  const LanguageTable texts = NumberedTexts();
  struct Case {
    FunctionMenuId menu;
    int entry;
    SelectionRecord expected;
  };
  const Case cases[] = {
      {FunctionMenuId::kMain, 1, {L"t20", {0x10, 0x01, 0x00}}},
      {FunctionMenuId::kMain, 4, {L"t23", {0x10, 0x10, 0x00}}},  // fifth button before fourth
      {FunctionMenuId::kMain, 5, {L"t24", {0x10, 0x08, 0x00}}},
      {FunctionMenuId::kMain, 8, {L"t27", {0x30, 0x32, 0x03}}},
      {FunctionMenuId::kMain, 14, {L"t33", {0x60, 0x04, 0x00}}},
      {FunctionMenuId::kMain, 17, {L"t34", {0x00, 0x00, 0x00}}},
      {FunctionMenuId::kDpi, 1, {L"t40", {0x40, 0x02, 0x00}}},
      {FunctionMenuId::kDpi, 3, {L"t42", {0x40, 0x01, 0x00}}},
      {FunctionMenuId::kMultimedia, 1, {L"t45", {0x80, 0x83, 0x01}}},
      {FunctionMenuId::kMultimedia, 9, {L"t53", {0x80, 0x8A, 0x01}}},
      {FunctionMenuId::kMultimedia, 10, {L"t54", {0x80, 0x92, 0x01}}},
      {FunctionMenuId::kOffice, 8, {L"t67", {0x70, 0x08, 0x08}}},
      {FunctionMenuId::kOffice, 9, {L"t68", {0x70, 0x01, 0x1D}}},
      {FunctionMenuId::kWindows, 1, {L"t75", {0x80, 0x94, 0x01}}},
      {FunctionMenuId::kWindows, 2, {L"t76", {0x70, 0x04, 0x3D}}},
      {FunctionMenuId::kWindows, 6, {L"t80", {0x70, 0x08, 0x52}}},
      {FunctionMenuId::kDpiLock, 1, {L"t36-200", {0x50, 0x01, 0x00}}},
      {FunctionMenuId::kDpiLock, 6, {L"t36-700", {0x50, 0x06, 0x00}}},
      {FunctionMenuId::kDpiLock, 11, {L"t36-1200", {0x50, 0x0B, 0x00}}},
      {FunctionMenuId::kProfileContext, 1, {L"t90", {0, 0, 0}}},
      {FunctionMenuId::kProfileContext, 4, {L"t93", {3, 0, 0}}},
  };
  for (const auto& c : cases) {
    const auto record = MenuSelection(FunctionMenuOf(c.menu), c.entry, texts);
    ASSERT_TRUE(record) << static_cast<int>(c.menu) << " entry " << c.entry;
    EXPECT_EQ(*record, c.expected) << static_cast<int>(c.menu) << " entry " << c.entry;
  }
}

TEST(FunctionMenus, SizesKindsAndLabels) {
  const LanguageTable texts = NumberedTexts();
  struct Case {
    FunctionMenuId menu;
    int kind;
    std::size_t entries;
    std::wstring lastLabel;
  };
  const Case cases[] = {
      {FunctionMenuId::kMain, 0, 17, L"t34"},      {FunctionMenuId::kDpi, 2, 3, L"t42"},
      {FunctionMenuId::kMultimedia, 3, 10, L"t54"}, {FunctionMenuId::kOffice, 12, 9, L"t68"},
      {FunctionMenuId::kWindows, 11, 6, L"t80"},    {FunctionMenuId::kDpiLock, 10, 11, L"1200"},
      {FunctionMenuId::kProfileContext, 13, 4, L"t93"},
  };
  for (const auto& c : cases) {
    const FunctionMenu& menu = FunctionMenuOf(c.menu);
    EXPECT_EQ(menu.kind, c.kind);
    ASSERT_EQ(menu.entries.size(), c.entries);
    EXPECT_EQ(EntryLabel(menu.entries.back(), texts), c.lastLabel);
  }
}

TEST(FunctionMenus, MainMenuSubmenuAndDialogEntriesStoreNothing) {
  const LanguageTable texts = NumberedTexts();
  const FunctionMenu& main = FunctionMenuOf(FunctionMenuId::kMain);
  for (int entry : {6, 7, 9, 10, 11, 12, 13, 15, 16}) EXPECT_FALSE(MenuSelection(main, entry, texts)) << entry;
  EXPECT_FALSE(MenuSelection(main, 0, texts));
  EXPECT_FALSE(MenuSelection(main, 18, texts));
  // Releasing on a submenu entry (multimedia) sends nothing at all.
  EXPECT_FALSE(ReleaseReaction(main, 11, msg::kAssignmentChosen, kTag));
  EXPECT_FALSE(ReleaseReaction(main, 6, msg::kAssignmentChosen, kTag));
}

TEST(FunctionMenus, MainMenuReactions) {
  const FunctionMenu& main = FunctionMenuOf(FunctionMenuId::kMain);
  struct Hover {
    int entry;
    unsigned message;
  };
  const Hover hovers[] = {{1, msg::kMenuEntryRested},     {6, msg::kOpenDpiMenu},     {7, msg::kMenuEntryRested},
                          {11, msg::kOpenMultimediaMenu}, {12, msg::kOpenOfficeMenu}, {13, msg::kOpenWindowsMenu},
                          {15, msg::kOpenDpiLockMenu},    {17, msg::kMenuEntryRested}};
  for (const auto& h : hovers) {
    EXPECT_EQ(HoverReaction(main, h.entry, kTag), (MenuMessage{h.message, kTag, h.entry, false})) << h.entry;
  }
  EXPECT_FALSE(HoverReaction(main, 0, kTag));

  for (int entry = 1; entry <= 17; ++entry) {
    const auto press = PressReaction(main, entry);
    if (entry <= 4) {
      EXPECT_EQ(press, (MenuMessage{msg::kAssignmentChosen, 0, 0, false}));
    } else {
      EXPECT_FALSE(press) << entry;
    }
  }

  struct Release {
    int entry;
    MenuMessage expected;
  };
  const Release releases[] = {
      {7, {msg::kAskFireKeyDialog, kTag, 0, false}},     {9, {msg::kAskMacroSelectDialog, kTag, 0, false}},
      {10, {msg::kAskShortcutDialog, kTag, 0, false}},   {16, {msg::kAskQuickLaunchDialog, kTag, 0, false}},
      {1, {msg::kAssignmentChosen, kTag, 0, true}},      {17, {msg::kAssignmentChosen, kTag, 0, true}},
  };
  for (const auto& r : releases) EXPECT_EQ(ReleaseReaction(main, r.entry, msg::kAssignmentChosen, kTag), r.expected);
}

TEST(FunctionMenus, SubmenusReportOnlyTheirChoice) {
  const FunctionMenu& lock = FunctionMenuOf(FunctionMenuId::kDpiLock);
  EXPECT_FALSE(HoverReaction(lock, 3, kTag));
  EXPECT_FALSE(PressReaction(lock, 1));
  EXPECT_EQ(ReleaseReaction(lock, 6, msg::kDpiLockChosen, kTag), (MenuMessage{msg::kDpiLockChosen, kTag, 0, true}));
  EXPECT_FALSE(ReleaseReaction(lock, 12, msg::kDpiLockChosen, kTag));
}

TEST(FunctionMenus, ProfileListClicks) {
  constexpr unsigned m = msg::kProfileListEvent;
  struct Case {
    int entry;
    bool right;
    std::wstring text;
    std::optional<MenuMessage> expected;
  };
  const Case cases[] = {
      {1, false, L"Profiles", std::nullopt},            // the caption
      {2, false, L"Game", MenuMessage{m, 2, 2, false}},
      {6, false, L"Work", MenuMessage{m, 2, 6, false}},
      {7, false, L"New", MenuMessage{m, 2, 7, false}},
      {4, false, L"", std::nullopt},                    // a hidden profile's empty row
      {8, false, L"x", std::nullopt},
      {1, true, L"Profiles", std::nullopt},
      {2, true, L"Game", MenuMessage{m, 11, 2, false}},
      {6, true, L"", MenuMessage{m, 11, 6, false}},
      {7, true, L"New", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProfileListReaction(c.entry, c.right, c.text, m), c.expected) << c.entry << (c.right ? " right" : "");
  }
  EXPECT_EQ(DefaultProfileEntryName(0), L"defaultProfile1");
  EXPECT_EQ(DefaultProfileEntryName(4), L"defaultProfile5");
}

}  // namespace
}  // namespace gm
