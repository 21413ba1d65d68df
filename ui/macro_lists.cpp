#include "ui/macro_lists.h"

#include <algorithm>

#include "ui/list_rows.h"

namespace gm::win {
namespace {

constexpr COLORREF kListBackground = 0x4B4B4B;
constexpr COLORREF kSelectionBar = 0xDEA035;
// Names are shown as typed: an '&' is not a mnemonic prefix.
constexpr UINT kRowTextFlags = DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
// An action's text starts this many design units right of the list's edge, after its icon.
constexpr int kActionTextInset = 17;
// Design units of the font the action list writes its steps in.
constexpr int kActionFontHeight = 14;


}  // namespace

CMacroListBase::CMacroListBase(CControlHost& host, UINT id, const RECT& rect)
    : CStateControl(host, id, rect), visibleRows_(ui::VisibleRowCount(rect.bottom - rect.top, host.Context().displayScale)) {}

void CMacroListBase::EnsureVisible() {
  firstRow_ = ui::EnsureVisibleFirstRow(firstRow_, selectedRow_, RowCount(), visibleRows_);
}

int CMacroListBase::RowAt(int y) const { return ui::RowAt(rect_.top, y, Context().displayScale, firstRow_, RowCount()); }

RECT CMacroListBase::RowRect(int row, int leftInset, int rightInset) const {
  const int top = rect_.top + static_cast<int>((row - firstRow_) * 20 * Context().displayScale);
  return {rect_.left + leftInset, top, rect_.right - rightInset, top + Context().Px(20)};
}

template <typename F>
void CMacroListBase::DrawRows(HDC dc, int leftInset, F drawRow) {
  FillSolid(dc, rect_, kListBackground);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect_.left, rect_.top, rect_.right, rect_.bottom);
  const int count = RowCount();
  for (int row = std::max(0, firstRow_); row < count && row - firstRow_ < visibleRows_; ++row) {
    const RECT r = RowRect(row, leftInset, Context().Px(2));
    if (row == selectedRow_) FillSolid(dc, r, kSelectionBar);
    drawRow(row, r);
  }
  RestoreDC(dc, saved);
}

CEditShowList::CEditShowList(CControlHost& host, UINT id, const RECT& rect, MacroLibrary& library)
    : CMacroListBase(host, id, rect), library_(library), editable_(&library) {}

CEditShowList::CEditShowList(CControlHost& host, UINT id, const RECT& rect, const MacroLibrary& library)
    : CMacroListBase(host, id, rect), library_(library) {
  openRule_ = [this](const MacroItemLocation& at, const MacroItem& item) { return IsOpen(at, item); };
}

bool CEditShowList::IsOpen(const MacroItemLocation& location, const MacroItem& item) const {
  const bool flipped = std::find(flipped_.begin(), flipped_.end(), location) != flipped_.end();
  return (item.MacroItemFolderIsOpen != 0) != flipped;
}

void CEditShowList::FlipOpenFlag(const MacroItemLocation& location) {
  if (editable_) {
    if (MacroItem* item = editable_->ItemAt(location)) item->MacroItemFolderIsOpen = item->MacroItemFolderIsOpen ? 0 : 1;
    return;
  }
  const auto at = std::find(flipped_.begin(), flipped_.end(), location);
  if (at != flipped_.end()) {
    flipped_.erase(at);
  } else if (library_.ItemAt(location)) {
    flipped_.push_back(location);
  }
}

bool CEditShowList::LoadSkin() {
  const bool open = SetOpenFolderImage(L"skins\\foldr_open.png");
  return SetClosedFolderImage(L"skins\\foldr_close.png") && open;
}

void CEditShowList::Draw(HDC dc, const RECT&) {
  const double s = Context().displayScale;
  DrawRows(dc, Context().Px(2), [&](int row, const RECT& r) {
    const MacroItemLocation location = LocationOf(row);
    const MacroItem* item = library_.ItemAt(location);
    if (!item) return;
    const int step = static_cast<int>((IconWidth() + 3) * s);
    RECT text = r;
    text.left += step * std::max(0, location.stage);
    if (item->IsFolder()) {
      const SkinImage& icon = IsOpen(location, *item) ? normal_ : hover_;
      SkinGraphics g(dc);
      g.Draw(icon, {text.left, r.top + Context().Px(1), text.left + static_cast<int>(icon.Width() * s),
                    r.top + Context().Px(1) + static_cast<int>(icon.Height() * s)});
      text.left += step;
    }
    DrawControlText(dc, Font(), kTextWhite, item->MacroItemName, text, kRowTextFlags);
  });
}

void CEditShowList::Select(int row) {
  selectedRow_ = row;
  selected_ = row >= 0 ? LocationOf(row) : MacroItemLocation::None();
}

bool CEditShowList::OnLButtonDown(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 2;
  const int row = RowAt(y);
  Select(row);
  const MacroItem* item = row >= 0 ? library_.ItemAt(selected_) : nullptr;
  if (item && item->IsFolder() &&
      x - rect_.left < static_cast<int>(IconWidth() * Context().displayScale * (selected_.stage + 1))) {
    FlipOpenFlag(selected_);
  }
  return true;
}

bool CEditShowList::OnLButtonDblClk(UINT, int x, int y) {
  if (disabled_) return false;
  if (!Contains(x, y)) return SetState(0);
  state_ = 1;
  const int row = RowAt(y);
  if (row >= 0) {
    selectedRow_ = row;
    FlipOpenFlag(LocationOf(row));
    Notify(kEventDoubleClick);
  }
  return true;
}

bool CEditShowList::OnRButtonUp(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 1;
  Select(RowAt(y));
  POINT at{x, y};
  NotifyAt(kEventRightClick, at);
  return true;
}

CImageShowList::CImageShowList(CControlHost& host, UINT id, const RECT& rect) : CMacroListBase(host, id, rect) {
  // The steps are written a size smaller than the interface font, so that the longest ("Move Right
  // 127") fits the list's narrow column.
  SetFont(host.Context().Px(kActionFontHeight), host.Context().EffectiveFont().name);
}

bool CImageShowList::LoadSkin() {
  const bool up = LoadInto(upIcon_, L"skins\\macro_up.png");
  const bool down = LoadInto(downIcon_, L"skins\\macro_down.png");
  return LoadInto(timeIcon_, L"skins\\macro_time.png") && up && down;
}

int CImageShowList::RowCount() const {
  if (!macro_) return 0;
  return static_cast<int>(std::min<uint32_t>(macro_->MacroActionNum, kMacroActionCapacity));
}

std::optional<TextPlacement> CImageShowList::CaptionPlacement() const {
  return TextPlacement{RowRect(firstRow_, Context().Px(kActionTextInset), Context().Px(2)), kRowTextFlags};
}

void CImageShowList::Draw(HDC dc, const RECT&) {
  const double s = Context().displayScale;
  DrawRows(dc, Context().Px(kActionTextInset), [&](int row, const RECT& r) {
    const MacroAction action = macro_->Actions[static_cast<size_t>(row)];
    const SkinImage& icon = action.IsDelay() ? timeIcon_ : action.IsRelease() ? upIcon_ : downIcon_;
    const int left = r.left - Context().Px(15), top = r.top + Context().Px(3);
    {
      SkinGraphics g(dc);
      g.Draw(icon, {left, top, left + static_cast<int>(icon.Width() * s), top + static_cast<int>(icon.Height() * s)});
    }
    DrawControlText(dc, Font(), kTextWhite, ActionText(action), r, kRowTextFlags);
  });
}

bool CImageShowList::OnLButtonDown(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 2;
  const int row = RowAt(y);
  if (row >= 0) selectedRow_ = row;
  return true;
}

bool CImageShowList::OnLButtonDblClk(UINT, int x, int y) {
  if (disabled_) return false;
  if (!Contains(x, y)) return SetState(0);
  state_ = 1;
  Notify(kEventDoubleClick);
  return true;
}

bool CImageShowList::OnRButtonUp(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 1;
  const int row = RowAt(y);
  if (row >= 0) {
    selectedRow_ = row;
    POINT at{x, y};
    NotifyAt(kEventRightClick, at);
  }
  return true;
}

void CImageShowList::ReleaseImages() {
  CMacroListBase::ReleaseImages();
  upIcon_.Reset();
  downIcon_.Reset();
  timeIcon_.Reset();
}

}  // namespace gm::win
