#pragma once
// A straight line drawn on the form.

#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

class Line : public Control {
 public:
  // x1/y1 to x2/y2 in twips; the control's rect is their bounding box.
  Line(Form& owner, std::string name, int x1, int y1, int x2, int y2, Color color)
      : Control(owner, std::move(name), ControlKind::kLine, {x1, y1, x2 - x1, y2 - y1}),
        color_(color) {}

  Color BorderColor() const { return color_; }

 private:
  Color color_;
};

}  // namespace ventrix::forms
