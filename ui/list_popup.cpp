#include "ui/list_popup.h"

namespace gm::win {
namespace {

constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kMarkColour = RGB(255, 160, 0);
// Plain fills for rows whose picture is missing.
constexpr COLORREF kRowFill = RGB(40, 44, 52);
constexpr COLORREF kHotRowFill = RGB(0, 96, 160);
// Left margin of the text and size of the current-item mark, in design units.
constexpr int kTextMargin = 10;
constexpr int kMarkSize = 5;

void LoadPicture(const ui::UiContext& context, const std::wstring& name, SkinImage& image) {
  if (!name.empty()) image.LoadShared(context, name);
}

}  // namespace

CListPopup::CListPopup(const ui::UiContext& context, int kind, ListPopupPictures pictures, int rowHeight)
    : CWndPopup(context, kind), context_(context), pictureNames_(std::move(pictures)), rowHeight_(rowHeight) {}

int CListPopup::EntryAt(int x, int y) const {
  const int height = context_.Px(rowHeight_);
  if (height <= 0 || x < 0 || y < 0 || x >= rect_.right - rect_.left) return 0;
  const int row = y / height;
  return row < RowCount() ? row + 1 : 0;
}

void CListPopup::SetRowText(int entry, std::wstring text) {
  if (entry < 1 || entry > RowCount()) return;
  rows_[static_cast<std::size_t>(entry - 1)].text = std::move(text);
  Render();
}

void CListPopup::SetRowMarked(int entry, bool marked) {
  if (entry < 1 || entry > RowCount()) return;
  rows_[static_cast<std::size_t>(entry - 1)].marked = marked;
  Render();
}

void CListPopup::CreateItems() {
  LoadPicture(context_, pictureNames_.normal, normal_);
  LoadPicture(context_, pictureNames_.hover, hover_);
  LoadPicture(context_, pictureNames_.submenuNormal, submenuNormal_);
  LoadPicture(context_, pictureNames_.submenuHover, submenuHover_);
  rows_ = MakeRows();
  hot_ = 0;
}

const SkinImage& CListPopup::PictureOf(const ListPopupRow& row, bool hot) const {
  if (row.submenu) return hot ? submenuHover_ : submenuNormal_;
  return hot ? hover_ : normal_;
}

RECT CListPopup::RowRect(int entry) const {
  const int height = context_.Px(rowHeight_);
  return {0, (entry - 1) * height, rect_.right - rect_.left, entry * height};
}

TextPlacement CListPopup::RowTextPlacement(int entry) const {
  const ListPopupRow& row = Row(entry);
  const RECT r = RowRect(entry);
  const int margin = context_.Px(kTextMargin);
  // A submenu row keeps the arrow at its right end clear of the text; a marked row starts after
  // its mark.
  RECT text{r.left + margin, r.top, r.right - (row.submenu ? 2 * margin : margin), r.bottom};
  if (row.marked) text.left += context_.Px(kMarkSize) + margin / 2;
  return {text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS};
}

void CListPopup::DrawItems(HDC dc, const RECT& rect) {
  const int margin = context_.Px(kTextMargin);
  const int mark = context_.Px(kMarkSize);
  for (int entry = 1; entry <= RowCount(); ++entry) {
    const ListPopupRow& row = Row(entry);
    RECT r = RowRect(entry);
    OffsetRect(&r, rect.left, rect.top);
    r.right = rect.right;
    const bool hot = entry == hot_;
    const SkinImage& picture = PictureOf(row, hot);
    if (picture) {
      // GDI+ finishes the picture before GDI writes the text over it (a drawing object that
      // outlived the text would paint the picture over it).
      SkinGraphics graphics(dc);
      graphics.Draw(picture, r);
    } else {
      FillSolid(dc, r, hot ? kHotRowFill : kRowFill);
      // Without its picture a submenu row still shows where it leads.
      if (row.submenu) DrawControlText(dc, Font(), kTextColour, L">", {r.left, r.top, r.right - margin, r.bottom},
                                       DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    TextPlacement text = RowTextPlacement(entry);
    OffsetRect(&text.box, rect.left, rect.top);
    if (row.marked) {
      const int top = (r.top + r.bottom - mark) / 2;
      const int left = text.box.left - mark - margin / 2;
      FillSolid(dc, {left, top, left + mark, top + mark}, kMarkColour);
    }
    DrawControlText(dc, Font(), kTextColour, row.text, text.box, text.flags);
  }
}

bool CListPopup::HitTest(int x, int y) {
  const int entry = EntryAt(x, y);
  if (entry == hot_) return false;
  hot_ = entry;
  if (entry) OnEntryHovered(entry);
  return true;
}

bool CListPopup::OnPress(int x, int y) {
  OnEntryPressed(EntryAt(x, y));
  return false;
}

bool CListPopup::OnRelease(int x, int y) {
  // The owner may close the popup while it handles the choice: nothing is drawn afterwards.
  OnEntryReleased(EntryAt(x, y));
  return false;
}

void CListPopup::OnRightRelease(int x, int y) { OnEntryRightReleased(EntryAt(x, y)); }

}  // namespace gm::win
