#include "platform/win32/forms/control_factory.h"

#include "platform/win32/forms/button_peer.h"
#include "platform/win32/forms/check_box_peer.h"
#include "platform/win32/forms/combo_box_peer.h"
#include "platform/win32/forms/frame_peer.h"
#include "platform/win32/forms/hyperlink_peer.h"
#include "platform/win32/forms/label_peer.h"
#include "platform/win32/forms/picture_peer.h"
#include "platform/win32/forms/timer_peer.h"

namespace ventrix::win32::ui {

std::unique_ptr<NativeControl> CreateControlPeer(FormWindow& host, forms::Control& control,
                                                 int id) {
  switch (control.Kind()) {
    case forms::ControlKind::kLabel:
      return std::make_unique<LabelPeer>(host, static_cast<forms::Label&>(control), id);
    case forms::ControlKind::kButton:
      return std::make_unique<ButtonPeer>(host, static_cast<forms::CommandButton&>(control), id);
    case forms::ControlKind::kCheckBox:
      return std::make_unique<CheckBoxPeer>(host, static_cast<forms::CheckBox&>(control), id);
    case forms::ControlKind::kComboBox:
      return std::make_unique<ComboBoxPeer>(host, static_cast<forms::ComboBox&>(control), id);
    case forms::ControlKind::kFrame:
      return std::make_unique<FramePeer>(host, static_cast<forms::Frame&>(control), id);
    case forms::ControlKind::kImage:
    case forms::ControlKind::kPicture:
      return std::make_unique<PicturePeer>(host, static_cast<forms::PictureControl&>(control), id);
    case forms::ControlKind::kLine:
      return std::make_unique<LinePeer>(host, static_cast<forms::Line&>(control), id);
    case forms::ControlKind::kTimer:
      return std::make_unique<TimerPeer>(host, static_cast<forms::Timer&>(control), id);
    case forms::ControlKind::kHyperlink:
      return std::make_unique<HyperlinkPeer>(host, static_cast<Hyperlink&>(control), id);
  }
  return nullptr;
}

}  // namespace ventrix::win32::ui
