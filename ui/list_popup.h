#pragma once
// A popup that shows a column of rows (menus and drop-down lists): each row a text over a skin
// picture, hovered rows highlighted, rows with a submenu drawn with the submenu pictures (which
// carry the arrow). It turns pointer input into entry numbers (1-based, top to bottom) and hands
// them to its subclass; the subclass says what the entries are and what choosing one does.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/control_base.h"
#include "ui/wnd_popup.h"

namespace gm::win {

struct ListPopupRow {
  std::wstring text;
  bool submenu = false;  // drawn with the submenu pictures
  bool marked = false;   // drawn with a mark in front of the text (the current item)
};

// Row pictures, relative to the program folder; a missing picture leaves a plain fill.
struct ListPopupPictures {
  std::wstring normal, hover, submenuNormal, submenuHover;
};

class CListPopup : public CWndPopup {
 public:
  // Rows are `rowHeight` design units high.
  CListPopup(const ui::UiContext& context, int kind, ListPopupPictures pictures, int rowHeight);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  const ListPopupRow& Row(int entry) const { return rows_.at(static_cast<std::size_t>(entry - 1)); }
  // The highlighted entry, or 0.
  int HotEntry() const { return hot_; }
  // The entry under window point (x, y), or 0.
  int EntryAt(int x, int y) const;
  // Changes an entry's text or mark and paints again; nothing for an entry out of range.
  void SetRowText(int entry, std::wstring text);
  void SetRowMarked(int entry, bool marked);
  // Where entry `entry` (1..RowCount) writes its text, in client pixels, and with which flags and
  // font (the text ends in an ellipsis where it does not fit).
  TextPlacement RowTextPlacement(int entry) const;
  HFONT RowFont() const { return Font(); }

 protected:
  // The rows, asked for once when the popup is created.
  virtual std::vector<ListPopupRow> MakeRows() = 0;
  // The pointer came to rest on a new entry; a press and releases on an entry (0: none).
  virtual void OnEntryHovered(int entry) {}
  virtual void OnEntryPressed(int entry) {}
  virtual void OnEntryReleased(int entry) {}
  virtual void OnEntryRightReleased(int entry) {}

  const ui::UiContext& Context() const { return context_; }

 private:
  void CreateItems() final;
  void DrawItems(HDC dc, const RECT& rect) final;
  bool HitTest(int x, int y) final;
  bool OnPress(int x, int y) final;
  bool OnRelease(int x, int y) final;
  void OnRightRelease(int x, int y) final;
  const SkinImage& PictureOf(const ListPopupRow& row, bool hot) const;
  // The client rectangle of entry `entry`.
  RECT RowRect(int entry) const;

  const ui::UiContext& context_;
  ListPopupPictures pictureNames_;
  int rowHeight_;
  SkinImage normal_, hover_, submenuNormal_, submenuHover_;
  std::vector<ListPopupRow> rows_;
  int hot_ = 0;
};

}  // namespace gm::win
