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

// The system colour of the background that a text in `text` (a forms colour whose default is
// the button text) is painted on. Each of the system's text colours is defined against its own
// background: the window text and the link's hot-light colour against the window, the button
// text against the button face. The built-in high-contrast themes give window and button face
// one colour, a user's own theme may not. A fixed colour keeps the button face, as designed.
inline int PartnerBackground(forms::Color text) {
  const bool system = text != forms::kDefaultColor && (text & forms::kSystemColorFlag) != 0;
  const int index = static_cast<int>(text & forms::kSystemColorIndexMask);
  return system && (index == COLOR_WINDOWTEXT || index == COLOR_HOTLIGHT) ? COLOR_WINDOW
                                                                          : COLOR_BTNFACE;
}

}  // namespace ventrix::win32::ui
