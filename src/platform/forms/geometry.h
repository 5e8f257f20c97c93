#pragma once
// Layout units, colours and fonts of the forms runtime.

#include <cstdint>
#include <string>

namespace ventrix::forms {

// Positions and sizes are in twips (1/1440 inch); 15 twips are one pixel at 96 dpi.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixelAt96Dpi = 15;

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Builds a rectangle from pixel values at 96 dpi (the settings window is designed in pixels).
constexpr Rect PixelRect(int left, int top, int width, int height) {
  return {left * kTwipsPerPixelAt96Dpi, top * kTwipsPerPixelAt96Dpi, width * kTwipsPerPixelAt96Dpi,
          height * kTwipsPerPixelAt96Dpi};
}

// 0x00BBGGRR, the colour value convention of the forms runtime.
using Color = std::uint32_t;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kGrey128 = 0x808080;
inline constexpr Color kDefaultColor = 0xFFFFFFFF;  // the system's colour for the control kind
// A system colour: the flag with the system's colour index (GetSysColor's), which the backend
// looks up whenever it paints, so it follows the user's scheme.
inline constexpr Color kSystemColorFlag = 0x80000000;
inline constexpr Color kSystemColorIndexMask = 0xFF;
constexpr Color SystemColor(int index) { return kSystemColorFlag | static_cast<Color>(index); }
inline constexpr Color kWindowTextColor = SystemColor(8);    // COLOR_WINDOWTEXT
inline constexpr Color kShadow3dColor = SystemColor(16);     // COLOR_3DSHADOW
inline constexpr Color kHighlight3dColor = SystemColor(20);  // COLOR_3DHILIGHT
inline constexpr Color kHotLightColor = SystemColor(26);     // COLOR_HOTLIGHT, links

struct Font {
  std::string name = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
  bool underline = false;
};

enum class Alignment { kLeft, kCenter, kRight };

}  // namespace ventrix::forms
