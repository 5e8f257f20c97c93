#pragma once
// A frame: an etched border with an optional caption; a click on its free surface.

#include "platform/forms/frame.h"
#include "platform/win32/forms/painted_control.h"

namespace ventrix::win32::ui {

class FramePeer : public PaintedControl {
 public:
  FramePeer(FormWindow& host, forms::Frame& frame, int id);

  bool LiesBelowSiblings() const override { return true; }

 protected:
  void Paint(HDC dc, const RECT& client) override;
  void OnMouseDown() override;

 private:
  forms::Frame& frame_;
};

}  // namespace ventrix::win32::ui
