#include "ui/resource_dib.h"

#include <string>

#include "ui/file_resources.h"
#include "ui/module_resource.h"

namespace gm::win {

ProgramFileView::ProgramFileView() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return;
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  file_.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file_ || !GetFileSizeEx(file_.Get(), &size) || size.QuadPart <= 0) return;
  mapping_.Reset(CreateFileMappingW(file_.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping_) return;
  view_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_READ, 0, 0, 0));
  if (view_) size_ = static_cast<std::size_t>(size.QuadPart);
}

ProgramFileView::~ProgramFileView() = default;

namespace {

// The picture a packed DIB of `size` bytes describes, if it can be drawn in place.
std::optional<ResourceDib> DibFromBytes(const BYTE* bytes, size_t size) {
  if (!bytes || size < sizeof(BITMAPINFOHEADER)) return std::nullopt;
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
  // Rows stored top-down (negative height) are left to the system's decoder: drawing them in place
  // does not give the decoder's picture everywhere.
  if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biSize > size || header->biWidth <= 0 ||
      header->biHeight <= 0 || header->biPlanes != 1)
    return std::nullopt;
  const WORD depth = header->biBitCount;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) return std::nullopt;
  // The colour table: the palette of a picture of up to 8 bits per pixel, or the three colour
  // masks that follow a plain 40-byte header with bit fields.
  size_t table = 0;
  if (header->biCompression == BI_RGB) {
    if (depth <= 8) table = (header->biClrUsed ? header->biClrUsed : 1u << depth) * sizeof(RGBQUAD);
  } else if (header->biCompression == BI_BITFIELDS) {
    if (depth != 16 && depth != 32) return std::nullopt;
    if (header->biSize == sizeof(BITMAPINFOHEADER)) table = 3 * sizeof(DWORD);
  } else {
    return std::nullopt;  // run-length or embedded formats are left to the system's decoder
  }
  const size_t rows = static_cast<size_t>(header->biHeight);
  const size_t stride = ((static_cast<size_t>(header->biWidth) * depth + 31) / 32) * 4;
  const size_t offset = header->biSize + table;
  if (offset > size || rows > (size - offset) / stride) return std::nullopt;
  ResourceDib dib;
  dib.info = reinterpret_cast<const BITMAPINFO*>(bytes);
  dib.bits = bytes + offset;
  dib.width = static_cast<int>(header->biWidth);
  dib.height = static_cast<int>(rows);
  return dib;
}

}  // namespace

std::optional<ResourceDib> FindResourceDib(HMODULE module, int id) {
  const auto bytes = ui::ModuleResourceBytes(module, MAKEINTRESOURCEW(2), id);  // RT_BITMAP
  return DibFromBytes(bytes.data(), bytes.size());
}

std::optional<ResourceDib> FindResourceDib(const ProgramFileView& file, int id) {
  if (id <= 0 || id > 0xFFFF) return std::nullopt;
  const auto bytes = ui::FindFileResource(file.Bytes(), 2, static_cast<std::uint16_t>(id));  // RT_BITMAP
  if (!bytes) return std::nullopt;
  return DibFromBytes(bytes->data(), bytes->size());
}

bool DrawResourceDib(HDC dc, int x, int y, const ResourceDib& dib) {
  if (!dib.info) return false;
  return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(dib.width), static_cast<DWORD>(dib.height), 0, 0, 0,
                           static_cast<UINT>(dib.height), dib.bits, dib.info, DIB_RGB_COLORS) != 0;
}

}  // namespace gm::win
