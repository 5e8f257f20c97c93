#include "platform/forms/control.h"

#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/runtime.h"

namespace ventrix::forms {

Control::Control(Form& owner, std::string name, ControlKind kind, Rect rect, Control* container)
    : owner_(owner), name_(std::move(name)), kind_(kind), rect_(rect), container_(container) {
  owner_.Register(this);
}

void Control::Changed(Change change) {
  SyncPeer(change);
  owner_.NoteChange();
}

Rect Control::FormRect() const {
  Rect rect = rect_;
  for (const Control* parent = container_; parent != nullptr; parent = parent->container_) {
    rect.left += parent->rect_.left;
    rect.top += parent->rect_.top;
  }
  return rect;
}

Color Label::ShownForeColor() const {
  return Owner().runtime().Shown(fore_color_, kWindowTextColor);
}

Color Line::ShownColor() const { return Owner().runtime().Shown(color_, contrast_color_); }

}  // namespace ventrix::forms
