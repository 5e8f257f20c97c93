#pragma once
// The user's high-contrast setting, as SystemParametersInfo reports it.

#include "platform/forms/contrast.h"

namespace ventrix::win32 {

class Win32ContrastSetting : public forms::ContrastSetting {
 public:
  bool HighContrastOn() override;
};

}  // namespace ventrix::win32
