#include "platform/win32/forms/icons.h"

#include <cstdint>

namespace ventrix::win32::ui {

namespace {

HANDLE LoadIconImage(HINSTANCE instance, int id, int width, int height, UINT flags) {
  if (id <= 0 || id > kMaxResourceId) return nullptr;
  return LoadImageA(instance, MAKEINTRESOURCEA(static_cast<std::uint16_t>(id)), IMAGE_ICON, width,
                    height, flags);
}

}  // namespace

IconHandle LoadIconResource(HINSTANCE instance, int id, int width, int height) {
  const UINT flags = (width == 0 && height == 0) ? LR_DEFAULTSIZE : LR_DEFAULTCOLOR;
  return IconHandle(static_cast<HICON>(LoadIconImage(instance, id, width, height, flags)));
}

HICON LoadSharedIcon(HINSTANCE instance, int id, int width, int height) {
  return static_cast<HICON>(LoadIconImage(instance, id, width, height, LR_SHARED));
}

}  // namespace ventrix::win32::ui
