#pragma once
// A hyperlink drawn by the program: underlined text in the link colour with a hand cursor. It is
// a tab stop with a focus rectangle; a click, Enter or Space opens the link, and a screen reader
// hears it as a link named by its text.

#include "platform/components/hyperlink.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/painted_control.h"

namespace ventrix::win32::ui {

class HyperlinkPeer : public PaintedControl {
 public:
  HyperlinkPeer(FormWindow& host, Hyperlink& link, int id);

  bool ShowsHandCursor() const override { return true; }
  void OnDpiChanged() override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
  void OnMouseDown() override;
  bool OnOtherMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

 private:
  void ApplyFont();
  // Opens the link. This object may be gone when it returns.
  void Open();

  Hyperlink& link_;
  SharedFont font_;
};

}  // namespace ventrix::win32::ui
