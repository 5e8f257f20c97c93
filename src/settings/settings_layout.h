#pragma once
// The settings window's design: client size and control rectangles (pixels at 96 dpi).

#include "platform/forms/geometry.h"

namespace ventrix::settings_layout {

inline constexpr int kClientWidthPx = 309;
inline constexpr int kClientHeightPx = 163;

inline constexpr forms::Rect kCmdsave = forms::PixelRect(112, 128, 81, 25);
inline constexpr forms::Rect kCmdmain = forms::PixelRect(32, 128, 81, 25);
inline constexpr forms::Rect kLabel4 = forms::PixelRect(80, 96, 169, 17);
inline constexpr forms::Rect kCmddefault = forms::PixelRect(192, 128, 81, 25);
inline constexpr forms::Rect kCheck1 = forms::PixelRect(16, 40, 105, 13);
inline constexpr forms::Rect kLabel1 = forms::PixelRect(16, 16, 113, 17);
inline constexpr forms::Rect kCheck2 = forms::PixelRect(16, 56, 105, 13);
inline constexpr forms::Rect kCombo1 = forms::PixelRect(144, 16, 81, 21);
inline constexpr forms::Rect kCheck3 = forms::PixelRect(16, 72, 137, 13);
inline constexpr forms::Rect kCheck4 = forms::PixelRect(144, 40, 145, 25);

inline constexpr double kStatusFontPoints = 9.75;
inline constexpr double kCaptionFontPoints = 8.25;
inline constexpr const char* kFontName = "MS Sans Serif";

// Label4's status text is cleared on every tick.
inline constexpr int kStatusTimerMs = 5000;

}  // namespace ventrix::settings_layout
