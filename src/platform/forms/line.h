#pragma once
// A straight line drawn on the form.

#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

class Line : public Control {
 public:
  // x1/y1 to x2/y2 in twips; the control's rect is their bounding box. `contrast_color` is the
  // system colour that takes the place of `color` while high contrast is on.
  Line(Form& owner, std::string name, int x1, int y1, int x2, int y2, Color color,
       Color contrast_color = kWindowTextColor)
      : Control(owner, std::move(name), ControlKind::kLine, {x1, y1, x2 - x1, y2 - y1}),
        color_(color),
        contrast_color_(contrast_color) {}

  Color BorderColor() const { return color_; }
  // The colour painted (BorderColor, or its system colour under high contrast).
  Color ShownColor() const;

 private:
  Color color_;
  Color contrast_color_;
};

}  // namespace ventrix::forms
