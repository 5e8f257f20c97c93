#pragma once
// Menu pictures: a bitmap resource whose background takes the menu's colour, 16x16 or larger
// for a menu shown at a higher DPI.

#include <windows.h>

#include <array>

#include "platform/win32/handles_win32.h"

namespace ventrix::win32 {

inline constexpr int kMenuPictureSize = 16;
// The sizes a picture comes in: the small-icon sizes at 96, 120, 144 and 192 dpi. The one of
// size kMenuPictureSizes[n] is the bitmap numbered resource_id + n x kMenuPictureIdStep.
inline constexpr std::array<int, 4> kMenuPictureSizes{kMenuPictureSize, 20, 24, 32};
inline constexpr int kMenuPictureIdStep = 100;

// The picture size for a menu shown at `dpi`: the small-icon size there, or the largest of
// kMenuPictureSizes below it (16 below 96 dpi, 32 above 192).
int MenuPictureSizeForDpi(int dpi);

// Loads bitmap `resource_id` of `instance` at `size`, one of kMenuPictureSizes (the 16x16
// bitmap when the program has no larger one); in a palette bitmap, the palette entry of the
// top-left pixel (the background) becomes the menu colour, so the picture has no box around
// it while its other colours stay as drawn. Empty when the resource is missing.
BitmapHandle LoadMenuPicture(HINSTANCE instance, int resource_id, int size = kMenuPictureSize);

}  // namespace ventrix::win32
