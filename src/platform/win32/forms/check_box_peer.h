#pragma once
// A check box whose state the control object owns: the native box never toggles itself; a
// user's click goes to CheckBox::UserClick and the new value comes back through Sync.

#include "platform/forms/check_box.h"
#include "platform/win32/forms/native_control.h"

namespace ventrix::win32::ui {

class CheckBoxPeer : public NativeControl {
 public:
  CheckBoxPeer(FormWindow& host, forms::CheckBox& box, int id);

  void OnCommand(int code) override;

 protected:
  void SyncKind(forms::Change change) override;

 private:
  void ShowValue();

  forms::CheckBox& box_;
};

}  // namespace ventrix::win32::ui
