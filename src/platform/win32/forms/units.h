#pragma once
// Twips and points to device pixels at the system's dots per inch.

namespace ventrix::win32::ui {

inline constexpr int kDefaultDpi = 96;
inline constexpr int kPointsPerInch = 72;

// The system's logical dots per inch (LOGPIXELSY of the screen), 96 when it cannot be read.
int SystemDpi();
// px = twips x dpi / 1440, rounded to the nearest pixel (halves away from zero).
int TwipsToPixels(int twips, int dpi);
// The character height of a font of the given point size, as a negative LOGFONT height.
int FontHeightForPoints(double points, int dpi);

}  // namespace ventrix::win32::ui
