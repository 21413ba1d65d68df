#pragma once
// The two list views of the macro editor: the library tree (folders and macros, depth first, open
// folders showing their children) and the action list of one macro. Rows are 20 design units
// high; FirstRow is the first row shown, SelectedRow the selected one (-1: none).
#include <vector>

#include "macro/macro_library.h"
#include "ui/control_base.h"

namespace gm::win {

class CMacroListBase : public CStateControl {
 public:
  CMacroListBase(CControlHost& host, UINT id, const RECT& rect);
  int FirstRow() const { return firstRow_; }
  void SetFirstRow(int row) { firstRow_ = row < 0 ? 0 : row; }
  int SelectedRow() const { return selectedRow_; }
  void SetSelectedRow(int row) { selectedRow_ = row; }
  int VisibleRows() const { return visibleRows_; }
  virtual int RowCount() const = 0;
  // Scrolls so that the selection (or the end of the list) is in view.
  void EnsureVisible();

 protected:
  // Row under (x, y), or -1 (outside the rows or past the last one).
  int RowAt(int y) const;
  RECT RowRect(int row, int leftInset, int rightInset) const;
  // Background, selection bar and a clip to the control; calls drawRow for each shown row.
  template <typename F>
  void DrawRows(HDC dc, int leftInset, F drawRow);

  int firstRow_ = 0;
  int selectedRow_ = -1;
  int visibleRows_;
};

// The library tree. Pictures: open and closed folder icons. A row click selects its item (the
// tree keeps the selection; nothing selected when the click hits no row). A click on a folder's
// icon or a double click opens or closes the folder: over a library it may change, by the item's
// open flag; over a const library, in this view only (the library stays as it is).
class CEditShowList : public CMacroListBase {
 public:
  CEditShowList(CControlHost& host, UINT id, const RECT& rect, MacroLibrary& library);
  CEditShowList(CControlHost& host, UINT id, const RECT& rect, const MacroLibrary& library);
  bool SetOpenFolderImage(const std::wstring& path) { return LoadInto(normal_, path); }
  bool SetClosedFolderImage(const std::wstring& path) { return LoadInto(hover_, path); }
  // Loads "skins\\foldr_open.png" and "skins\\foldr_close.png".
  bool LoadSkin();
  int RowCount() const override { return library_.VisibleRowCount(openRule_); }
  const MacroItemLocation& Selected() const { return selected_; }
  // The row of an item as this view shows it (-1: hidden or none), and the item of a row.
  int RowOf(const MacroItemLocation& location) const { return library_.RowOfLocation(location, openRule_); }
  MacroItemLocation LocationOf(int row) const { return library_.LocationOfRow(row, openRule_); }

  void Draw(HDC dc, const RECT& update) override;
  bool OnLButtonDown(UINT flags, int x, int y) override;
  bool OnLButtonDblClk(UINT flags, int x, int y) override;
  bool OnRButtonUp(UINT flags, int x, int y) override;

 private:
  int IconWidth() const { return normal_.Width(); }
  void Select(int row);
  // Flips the open flag of the item at `location`: in the library when it may be changed,
  // otherwise in this view.
  void FlipOpenFlag(const MacroItemLocation& location);
  bool IsOpen(const MacroItemLocation& location, const MacroItem& item) const;
  const MacroLibrary& library_;
  MacroLibrary* editable_ = nullptr;
  std::vector<MacroItemLocation> flipped_;  // a read-only view's folders shown opposite to their flag
  MacroLibrary::FolderOpenRule openRule_;   // null: the stored flags

  MacroItemLocation selected_ = MacroItemLocation::None();
};

// The action list of the selected macro. Pictures: release, press and delay icons.
class CImageShowList : public CMacroListBase {
 public:
  CImageShowList(CControlHost& host, UINT id, const RECT& rect);
  // Loads "skins\\macro_up.png", "skins\\macro_down.png" and "skins\\macro_time.png".
  bool LoadSkin();
  // The macro whose actions are shown (not owned; nullptr shows nothing).
  void SetMacro(const MacroKey* macro) { macro_ = macro; }
  int RowCount() const override;
  // Where the first shown row writes its action's text (every row alike, one row lower).
  std::optional<TextPlacement> CaptionPlacement() const override;

  void Draw(HDC dc, const RECT& update) override;
  bool OnLButtonDown(UINT flags, int x, int y) override;
  bool OnLButtonDblClk(UINT flags, int x, int y) override;
  bool OnRButtonUp(UINT flags, int x, int y) override;
  void ReleaseImages() override;

 private:
  const MacroKey* macro_ = nullptr;
  SkinImage upIcon_, downIcon_, timeIcon_;
};

}  // namespace gm::win
