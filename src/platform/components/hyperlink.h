#pragma once
// A hyperlink: an underlined label with a hand cursor that opens its address through the shell.

#include <string>

#include "platform/forms/control.h"
#include "platform/shell.h"

namespace ventrix {

// Blue (0x00BBGGRR); the system's link colour (hot light) takes its place under high contrast.
inline constexpr forms::Color kLinkColor = 0xFF0000;

class Hyperlink : public forms::Control {
 public:
  Hyperlink(forms::Form& owner, std::string name, forms::Rect rect, std::string caption,
            Shell& shell);

  const std::string& Caption() const { return caption_; }
  const forms::Font& font() const { return font_; }
  // The text colour painted.
  forms::Color ShownColor() const;
  const std::string& LinkAddress() const { return link_address_; }
  void set_LinkAddress(const std::string& address) { link_address_ = address; }

  // Opens LinkAddress through the shell when it is an http, https or mailto address;
  // returns whether it was handed to the shell.
  bool Click();

 private:
  std::string caption_;
  forms::Font font_;
  std::string link_address_;
  Shell& shell_;
};

// True for http://, https:// and mailto: addresses (scheme compared without case).
bool IsOpenableLink(const std::string& address);

}  // namespace ventrix
