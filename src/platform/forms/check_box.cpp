#include "platform/forms/check_box.h"

namespace ventrix::forms {

bool CheckBox::set_value(std::int16_t value) {
  if (value != kUnchecked && value != kChecked && value != kGrayed) return false;
  if (value == value_) return true;
  value_ = value;
  Changed(Change::kValue);
  if (on_click) on_click();
  return true;
}

}  // namespace ventrix::forms
