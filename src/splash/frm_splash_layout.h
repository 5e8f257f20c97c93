#pragma once
// The splash screen's design: sizes and positions in twips (inside the frame), fonts and timer.

#include "platform/forms/geometry.h"

namespace ventrix::splash_layout {

inline constexpr int kClientWidth = 5145;
inline constexpr int kClientHeight = 1950;
inline constexpr forms::Rect kFrame1Rect{0, 0, 5145, 1935};
inline constexpr forms::Rect kProductNameRect{720, 360, 2775, 330};
inline constexpr forms::Rect kPlatformRect{240, 840, 4695, 255};
// Wide enough for "Version 3.36" in bold Arial; the design's 660 twips cut it to "Version".
inline constexpr forms::Rect kVersionRect{240, 1080, 1935, 210};
inline constexpr forms::Rect kCopyrightRect{240, 1320, 1935, 255};
inline constexpr forms::Rect kCompanyRect{2280, 1320, 1695, 255};
inline constexpr forms::Rect kWebAddressRect{240, 1560, 4095, 255};
inline constexpr forms::Rect kLogoRect{120, 240, 495, 465};

inline constexpr const char* kFontName = "Arial";
inline constexpr double kProductNamePoints = 14.25;
inline constexpr double kDetailPoints = 8.25;

inline constexpr int kTimer1IntervalMs = 2000;

}  // namespace ventrix::splash_layout
