#pragma once
// Image (icon stretched to the control) and picture box (icon at its natural size).

#include "platform/forms/picture.h"
#include "platform/win32/forms/handles.h"
#include "platform/win32/forms/painted_control.h"

namespace ventrix::win32::ui {

class PicturePeer : public PaintedControl {
 public:
  PicturePeer(FormWindow& host, forms::PictureControl& picture, int id);
  void OnDpiChanged() override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
  void SyncKind(forms::Change change) override;

 private:
  void LoadPicture();

  forms::PictureControl& picture_;
  IconHandle icon_;
};

}  // namespace ventrix::win32::ui
