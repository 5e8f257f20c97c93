#pragma once
// A text label with colour, font, tooltip and click / double-click events.

#include <functional>
#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

class Label : public Control {
 public:
  Label(Form& owner, std::string name, Rect rect, std::string caption, Control* container = nullptr)
      : Control(owner, std::move(name), ControlKind::kLabel, rect, container),
        caption_(std::move(caption)) {}

  // "&&" shows one ampersand; a single "&" marks an access key.
  const std::string& Caption() const { return caption_; }
  void set_caption(const std::string& caption) { Set(caption_, caption, Change::kCaption); }
  Color ForeColor() const { return fore_color_; }
  void set_fore_color(Color color) { Set(fore_color_, color, Change::kColor); }
  // The text colour painted: a fixed ForeColor gives way to the window text colour while high
  // contrast is on.
  Color ShownForeColor() const;
  const Font& font() const { return font_; }
  void set_font(const Font& font) {
    font_ = font;
    Changed(Change::kFont);
  }
  const std::string& ToolTipText() const { return tooltip_; }
  void set_tooltip(const std::string& text) { Set(tooltip_, text, Change::kToolTip); }
  Alignment alignment() const { return alignment_; }
  void set_alignment(Alignment alignment) { alignment_ = alignment; }

  std::function<void()> on_click;
  std::function<void()> on_dbl_click;

 private:
  std::string caption_;
  Color fore_color_ = kDefaultColor;
  Font font_;
  std::string tooltip_;
  Alignment alignment_ = Alignment::kLeft;
};

}  // namespace ventrix::forms
