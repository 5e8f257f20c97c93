#include "platform/win32/tray_menu_picture_win32.h"

#include <array>
#include <memory>
#include <type_traits>

#include "platform/win32/dpi_win32.h"

namespace ventrix::win32 {
namespace {

constexpr WORD kMaxPaletteDepth = 8;
constexpr unsigned kBitsPerByte = 8;
constexpr unsigned kRowAlignment = 4;
constexpr std::size_t kMaxPaletteEntries = 256;
constexpr int kMaxResourceId = 0xFFFF;

struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// The palette index of the top-left pixel of a bottom-up or top-down palette DIB.
UINT TopLeftIndex(const DIBSECTION& dib) {
  const BITMAP& bitmap = dib.dsBm;
  const auto depth = static_cast<unsigned>(bitmap.bmBitsPixel);
  const unsigned stride = (bitmap.bmWidth * depth + kRowAlignment * kBitsPerByte - 1) /
                          (kRowAlignment * kBitsPerByte) * kRowAlignment;
  const auto* bits = static_cast<const BYTE*>(bitmap.bmBits);
  const bool bottom_up = dib.dsBmih.biHeight > 0;
  const BYTE first = bits[bottom_up ? stride * (bitmap.bmHeight - 1) : 0];
  return (first >> (kBitsPerByte - depth)) & ((1u << depth) - 1);
}

void PaintBackgroundAsMenu(HBITMAP bitmap) {
  DIBSECTION dib{};
  if (GetObjectA(bitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBits == nullptr ||
      dib.dsBm.bmBitsPixel == 0 || dib.dsBm.bmBitsPixel > kMaxPaletteDepth ||
      dib.dsBm.bmWidth <= 0 || dib.dsBm.bmHeight <= 0)
    return;
  MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return;
  const HGDIOBJ previous = SelectObject(dc.get(), bitmap);
  const UINT index = TopLeftIndex(dib);
  std::array<RGBQUAD, kMaxPaletteEntries> table{};
  if (GetDIBColorTable(dc.get(), index, 1, table.data()) == 1) {
    const COLORREF menu = GetSysColor(COLOR_MENU);
    table[0] = RGBQUAD{GetBValue(menu), GetGValue(menu), GetRValue(menu), 0};
    SetDIBColorTable(dc.get(), index, 1, table.data());
  }
  SelectObject(dc.get(), previous);
}

BitmapHandle LoadBitmapResource(HINSTANCE instance, int resource_id, int size) {
  if (resource_id <= 0 || resource_id > kMaxResourceId) return nullptr;
  return BitmapHandle(static_cast<HBITMAP>(LoadImageA(
      instance, MAKEINTRESOURCEA(resource_id), IMAGE_BITMAP, size, size, LR_CREATEDIBSECTION)));
}

}  // namespace

int MenuPictureSizeForDpi(int dpi) {
  const int wanted = ScaleForDpi(kMenuPictureSize, dpi);
  int size = kMenuPictureSize;
  for (int candidate : kMenuPictureSizes) {
    if (candidate <= wanted) size = candidate;
  }
  return size;
}

BitmapHandle LoadMenuPicture(HINSTANCE instance, int resource_id, int size) {
  BitmapHandle bitmap;
  for (std::size_t step = 1; step < kMenuPictureSizes.size(); ++step) {
    if (kMenuPictureSizes[step] != size || resource_id <= 0) continue;
    const int larger_id = resource_id + static_cast<int>(step) * kMenuPictureIdStep;
    bitmap = LoadBitmapResource(instance, larger_id, size);
  }
  if (!bitmap) bitmap = LoadBitmapResource(instance, resource_id, kMenuPictureSize);
  if (bitmap) PaintBackgroundAsMenu(bitmap.get());
  return bitmap;
}

}  // namespace ventrix::win32
