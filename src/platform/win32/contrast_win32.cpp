#include "platform/win32/contrast_win32.h"

#include <windows.h>

namespace ventrix::win32 {

// https://learn.microsoft.com/windows/win32/winauto/high-contrast-parameter
bool Win32ContrastSetting::HighContrastOn() {
  HIGHCONTRASTA contrast{};
  contrast.cbSize = sizeof(contrast);
  if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) return false;
  return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace ventrix::win32
