#include "platform/win32/forms/units.h"

#include <windows.h>

#include <cmath>
#include <cstdint>

#include "platform/forms/geometry.h"
#include "platform/win32/dpi_win32.h"

namespace ventrix::win32::ui {

int SystemDpi() { return win32::SystemDpi(); }

int TwipsToPixels(int twips, int dpi) {
  const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
  const std::int64_t half = forms::kTwipsPerInch / 2;
  const std::int64_t rounded =
      scaled >= 0 ? (scaled + half) / forms::kTwipsPerInch : (scaled - half) / forms::kTwipsPerInch;
  return static_cast<int>(rounded);
}

int FontHeightForPoints(double points, int dpi) {
  return -static_cast<int>(std::lround(points * dpi / kPointsPerInch));
}

}  // namespace ventrix::win32::ui
