#include "assign/assign_popups.h"

#include "assign/popup_placement.h"

namespace gm::win {
namespace {

// The context's language table; an empty one when no language is loaded.
const LanguageTable& TextsOf(const ui::UiContext& context) {
  static const LanguageTable kNoTexts{};
  return context.texts ? *context.texts : kNoTexts;
}

}  // namespace

ListPopupPictures AssignmentMenuPictures() {
  return {L"skins\\menu_nr.png", L"skins\\menu_ov.png", L"skins\\menusub_nr.png", L"skins\\menusub_ov.png"};
}

CFunctionMenuPopup::CFunctionMenuPopup(const ui::UiContext& context, FunctionMenuId menu, ListPopupPictures pictures)
    : CListPopup(context, FunctionMenuOf(menu).kind, std::move(pictures), kMenuRowHeight), menu_(FunctionMenuOf(menu)) {}

std::vector<ListPopupRow> CFunctionMenuPopup::MakeRows() {
  std::vector<ListPopupRow> rows;
  const LanguageTable& texts = TextsOf(Context());
  for (const MenuEntry& e : menu_.entries) rows.push_back({EntryLabel(e, texts), e.action == EntryAction::kSubmenu});
  return rows;
}

void CFunctionMenuPopup::Send(const MenuMessage& m) {
  SendMessageW(owner_, m.message, m.wParam, m.lParam);
}

void CFunctionMenuPopup::OnEntryHovered(int entry) {
  if (const auto m = HoverReaction(menu_, entry, Tag())) Send(*m);
}

void CFunctionMenuPopup::OnEntryPressed(int entry) {
  if (const auto m = PressReaction(menu_, entry)) Send(*m);
}

void CFunctionMenuPopup::OnEntryReleased(int entry) {
  const auto m = ReleaseReaction(menu_, entry, Message(), Tag());
  if (!m) return;
  if (!m->withRecord) {
    Send(*m);
    return;
  }
  const auto record = MenuSelection(menu_, entry, TextsOf(Context()));
  if (!record) return;
  // Sent, not posted: the record lives on this stack until the owner has copied it.
  SendMessageW(owner_, m->message, m->wParam, reinterpret_cast<LPARAM>(&*record));
}

CComboProfilePopup::CComboProfilePopup(const ui::UiContext& context, ListPopupPictures pictures)
    : CListPopup(context, kProfileListKind, std::move(pictures), kMenuRowHeight) {
  for (int i = 0; i < static_cast<int>(names_.size()); ++i) names_[static_cast<std::size_t>(i)] = DefaultProfileEntryName(i);
}

void CComboProfilePopup::SetProfileName(int i, std::wstring name) {
  if (i < 0 || i >= static_cast<int>(names_.size())) return;
  names_[static_cast<std::size_t>(i)] = name;
  SetRowText(i + 2, std::move(name));
}

void CComboProfilePopup::SetCurrentEntry(int entry) {
  current_ = entry;
  for (int e = 2; e <= 6; ++e) SetRowMarked(e, e == entry);
}

std::vector<ListPopupRow> CComboProfilePopup::MakeRows() {
  const std::wstring caption = Context().Text(kProfileListCaptionText);
  std::vector<ListPopupRow> rows{{caption}};
  for (int i = 0; i < static_cast<int>(names_.size()); ++i) {
    rows.push_back({names_[static_cast<std::size_t>(i)], false, current_ == i + 2});
  }
  rows.push_back({Context().Text(kProfileListAddText)});
  return rows;
}

void CComboProfilePopup::Report(int entry, bool right) {
  if (entry < 1 || entry > RowCount()) return;
  if (const auto m = ProfileListReaction(entry, right, Row(entry).text, Message())) {
    SendMessageW(owner_, m->message, m->wParam, m->lParam);
  }
}

void CComboProfilePopup::OnEntryReleased(int entry) { Report(entry, false); }
void CComboProfilePopup::OnEntryRightReleased(int entry) { Report(entry, true); }

}  // namespace gm::win
