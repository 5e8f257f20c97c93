#pragma once
// A frame that groups controls; its own free surface can be clicked.

#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

class Frame : public Control {
 public:
  Frame(Form& owner, std::string name, Rect rect, std::string caption = {})
      : Control(owner, std::move(name), ControlKind::kFrame, rect), caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  std::function<void()> on_click;

 private:
  std::string caption_;
};

}  // namespace ventrix::forms
