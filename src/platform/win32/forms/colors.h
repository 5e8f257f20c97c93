#pragma once
// The forms runtime's colour values as GDI colours.

#include <windows.h>

#include "platform/forms/geometry.h"

namespace ventrix::win32::ui {

// A fixed colour as it is; a system colour (forms::SystemColor) looked up now, so it follows the
// user's scheme; the default colour as the system colour `default_index`.
inline COLORREF ToColorRef(forms::Color color, int default_index) {
  constexpr COLORREF kRgbMask = 0x00FFFFFF;
  if (color == forms::kDefaultColor) return GetSysColor(default_index);
  if ((color & forms::kSystemColorFlag) != 0) {
    return GetSysColor(static_cast<int>(color & forms::kSystemColorIndexMask));
  }
  return color & kRgbMask;
}

}  // namespace ventrix::win32::ui
