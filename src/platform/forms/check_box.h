#pragma once
// A check box with the values 0 (unchecked), 1 (checked) and 2 (greyed).

#include <cstdint>
#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

inline constexpr std::int16_t kUnchecked = 0;
inline constexpr std::int16_t kChecked = 1;
inline constexpr std::int16_t kGrayed = 2;

class CheckBox : public Control {
 public:
  CheckBox(Form& owner, std::string name, Rect rect, std::string caption)
      : Control(owner, std::move(name), ControlKind::kCheckBox, rect),
        caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  std::int16_t Value() const { return value_; }
  // Only 0, 1 and 2 can be shown; a different value runs the click handler, the same runs nothing.
  // Returns false (and changes nothing) for a value the box cannot show.
  bool set_value(std::int16_t value);
  // A user's click: unchecked or greyed becomes checked, checked becomes unchecked.
  void UserClick() { set_value(value_ == kChecked ? kUnchecked : kChecked); }

  std::function<void()> on_click;

 private:
  std::string caption_;
  std::int16_t value_ = kUnchecked;
};

}  // namespace ventrix::forms
