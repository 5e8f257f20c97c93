#include "platform/win32/forms/icons.h"

#include <cstdint>

namespace ventrix::win32::ui {

namespace {
// Resource numbers are 16-bit (MAKEINTRESOURCE).
constexpr int kMaxResourceId = 0xFFFF;
}  // namespace

IconHandle LoadIconResource(HINSTANCE instance, int id, int width, int height) {
  if (id <= 0 || id > kMaxResourceId) return {};
  const UINT flags = (width == 0 && height == 0) ? LR_DEFAULTSIZE : LR_DEFAULTCOLOR;
  HANDLE image = LoadImageA(instance, MAKEINTRESOURCEA(static_cast<std::uint16_t>(id)), IMAGE_ICON,
                            width, height, flags);
  return IconHandle(static_cast<HICON>(image));
}

}  // namespace ventrix::win32::ui
