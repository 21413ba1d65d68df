#include "macro/manager_popups.h"

#include "assign/assign_popups.h"
#include "assign/popup_placement.h"
#include "settings/language_indexes.h"

namespace gm::win {
namespace {

std::vector<CMacroMenuPopup::Entry> InsertEntries() {
  const int texts[] = {kTextLeftClick,      kTextRightClick,      kTextMiddleClick,  kTextInsertDelay,    kTextInsertKeyStroke,
                       kTextInsertMoveLeft, kTextInsertMoveRight, kTextInsertMoveUp, kTextInsertMoveDown};
  std::vector<CMacroMenuPopup::Entry> entries;
  for (int i = 0; i < static_cast<int>(std::size(texts)); ++i) entries.push_back({i, texts[i]});
  return entries;
}

std::vector<CMacroMenuPopup::Entry> TreeEntries(const std::vector<int>& shown) {
  std::vector<CMacroMenuPopup::Entry> entries;
  for (int entry : shown) entries.push_back({entry - 1, kTextMenuNewMacro + entry - 1});
  return entries;
}

std::vector<CMacroMenuPopup::Entry> MoveEntries() {
  return {{0, kTextMoveToTop}, {1, kTextMoveActionUp}, {2, kTextMoveActionDown}, {3, kTextMoveToBottom}};
}

}  // namespace

CMacroMenuPopup::CMacroMenuPopup(const ui::UiContext& context, int kind, std::vector<Entry> entries)
    : CListPopup(context, kind, AssignmentMenuPictures(), kMenuRowHeight), entries_(std::move(entries)) {}

std::vector<ListPopupRow> CMacroMenuPopup::MakeRows() {
  std::vector<ListPopupRow> rows;
  for (const Entry& e : entries_) rows.push_back({Context().Text(e.text)});
  return rows;
}

void CMacroMenuPopup::OnEntryReleased(int entry) {
  if (entry < 1 || entry > static_cast<int>(entries_.size())) return;
  SendMessageW(owner_, Message(), Tag(), entries_[static_cast<size_t>(entry - 1)].code);
}

CComboActionInsertPopup::CComboActionInsertPopup(const ui::UiContext& context)
    : CMacroMenuPopup(context, kInsertActionPopupKind, InsertEntries()) {}

CMacroListPopup::CMacroListPopup(const ui::UiContext& context, const std::vector<int>& shown)
    : CMacroMenuPopup(context, kTreeMenuPopupKind, TreeEntries(shown)) {}

CActionListPopup::CActionListPopup(const ui::UiContext& context)
    : CMacroMenuPopup(context, kActionMovePopupKind, MoveEntries()) {}

}  // namespace gm::win
