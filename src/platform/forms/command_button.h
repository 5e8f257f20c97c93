#pragma once
// A push button.

#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

class CommandButton : public Control {
 public:
  CommandButton(Form& owner, std::string name, Rect rect, std::string caption)
      : Control(owner, std::move(name), ControlKind::kButton, rect), caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  void set_caption(const std::string& caption) { Set(caption_, caption, Change::kCaption); }
  // The default button answers Enter; the cancel button answers Esc.
  bool IsDefault() const { return default_; }
  void set_default(bool value) { default_ = value; }
  bool IsCancel() const { return cancel_; }
  void set_cancel(bool value) { cancel_ = value; }

  std::function<void()> on_click;

 private:
  std::string caption_;
  bool default_ = false;
  bool cancel_ = false;
};

}  // namespace ventrix::forms
