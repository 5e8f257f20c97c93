#pragma once
// Image (picture stretched to the control) and picture box (picture at its natural size).

#include <string>

#include "platform/forms/control.h"

namespace ventrix::forms {

inline constexpr int kNoPictureResource = 0;

class PictureControl : public Control {
 public:
  PictureControl(Form& owner, std::string name, ControlKind kind, Rect rect,
                 Control* container = nullptr)
      : Control(owner, std::move(name), kind, rect, container) {}

  // An icon resource id of the program, or kNoPictureResource.
  int Picture() const { return picture_; }
  void set_picture(int icon_id) { Set(picture_, icon_id, Change::kPicture); }
  bool Stretch() const { return Kind() == ControlKind::kImage; }

 private:
  int picture_ = kNoPictureResource;
};

class Image : public PictureControl {
 public:
  Image(Form& owner, std::string name, Rect rect, Control* container = nullptr)
      : PictureControl(owner, std::move(name), ControlKind::kImage, rect, container) {}
};

class PictureBox : public PictureControl {
 public:
  PictureBox(Form& owner, std::string name, Rect rect)
      : PictureControl(owner, std::move(name), ControlKind::kPicture, rect) {}
};

}  // namespace ventrix::forms
