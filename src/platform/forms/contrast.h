#pragma once
// High contrast: while the user has it on, the program paints with the system's colours instead
// of its own fixed ones, which may be unreadable on a high-contrast scheme.

namespace ventrix::forms {

class ContrastSetting {
 public:
  virtual ~ContrastSetting() = default;
  // Whether high contrast is on now.
  virtual bool HighContrastOn() = 0;
};

}  // namespace ventrix::forms
