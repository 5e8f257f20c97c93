#pragma once
// Menu pictures: a 16x16 bitmap resource whose background takes the menu's colour.

#include <windows.h>

#include "platform/win32/handles_win32.h"

namespace ventrix::win32 {

inline constexpr int kMenuPictureSize = 16;

// Loads bitmap `resource_id` of `instance`; in a palette bitmap, the palette entry of the
// top-left pixel (the background) becomes the menu colour, so the picture has no box around
// it while its other colours stay as drawn. Empty when the resource is missing.
BitmapHandle LoadMenuPicture(HINSTANCE instance, int resource_id);

}  // namespace ventrix::win32
