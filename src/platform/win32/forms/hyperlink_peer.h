#pragma once
// A hyperlink as a STATIC control: underlined blue text, hand cursor, a click opens the link.

#include "platform/components/hyperlink.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/native_control.h"

namespace ventrix::win32::ui {

inline constexpr COLORREF kLinkColor = RGB(0, 0, 255);

class HyperlinkPeer : public NativeControl {
 public:
  HyperlinkPeer(FormWindow& host, Hyperlink& link, int id);

  void OnCommand(int code) override;
  HBRUSH OnCtlColor(HDC dc) override;
  bool ShowsHandCursor() const override { return true; }
  void OnDpiChanged() override;

 private:
  void ApplyFont();

  Hyperlink& link_;
  SharedFont font_;
};

}  // namespace ventrix::win32::ui
