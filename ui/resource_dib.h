#pragma once
// A bitmap resource of a loaded module read in place: the packed device-independent bitmap the
// module's image holds (header, colour table, pixels). Nothing is copied: the module owns the
// memory, which lives as long as the module is loaded, and the system may drop its pages and read
// them again from the program file. A window that shows such a picture at its own size draws it
// from here instead of keeping a decoded copy.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "ui/win_handle.h"

namespace gm::win {

struct ResourceDib {
  const BITMAPINFO* info = nullptr;  // header and colour table
  const void* bits = nullptr;        // the pixel rows, as the header describes them
  int width = 0;
  int height = 0;                    // rows, stored bottom-up
};

// Bitmap resource `id` of `module`; none when there is no such resource or its header is not one
// that can be drawn directly (an uncompressed or bit-field DIB stored bottom-up whose pixels lie
// within the resource).
std::optional<ResourceDib> FindResourceDib(HMODULE module, int id);

// A read-only view of the program file as stored on disk, for reading a large resource once: the
// pages read through it leave the process with the view, where those read through the loaded
// program would stay resident for as long as it runs. Empty when the file cannot be mapped. The
// view, the mapping and the file are each owned by their handle.
class ProgramFileView {
 public:
  ProgramFileView();
  ~ProgramFileView();
  ProgramFileView(const ProgramFileView&) = delete;
  ProgramFileView& operator=(const ProgramFileView&) = delete;
  std::span<const std::uint8_t> Bytes() const { return {static_cast<const std::uint8_t*>(view_.Get()), size_}; }

 private:
  ScopedHandle file_;
  ScopedHandle mapping_;  // closed before the file
  ScopedMappedView view_;  // unmapped before the mapping is closed
  std::size_t size_ = 0;
};

// Bitmap resource `id` as `file` stores it; none as above.
std::optional<ResourceDib> FindResourceDib(const ProgramFileView& file, int id);

// Draws the whole picture 1:1 with its top left corner at (x, y); false when nothing was drawn.
bool DrawResourceDib(HDC dc, int x, int y, const ResourceDib& dib);

}  // namespace gm::win
