#pragma once
// A label as a STATIC control: caption with access keys, colour, font, tooltip, clicks.

#include "platform/forms/label.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/native_control.h"

namespace ventrix::win32::ui {

class LabelPeer : public NativeControl {
 public:
  LabelPeer(FormWindow& host, forms::Label& label, int id);

  void OnCommand(int code) override;
  HBRUSH OnCtlColor(HDC dc) override;
  void OnDpiChanged() override;

 protected:
  void SyncKind(forms::Change change) override;

 private:
  void ApplyFont();

  forms::Label& label_;
  SharedFont font_;
};

// The text and background colours of a label on the form's face; kDefaultColor is the
// system's button text colour, and a system colour is looked up.
HBRUSH PaintLabelColors(HDC dc, forms::Color text);

}  // namespace ventrix::win32::ui
