#include "platform/win32/forms/check_box_peer.h"

#include "platform/win32/forms/form_window.h"

namespace ventrix::win32::ui {

CheckBoxPeer::CheckBoxPeer(FormWindow& host, forms::CheckBox& box, int id)
    : NativeControl(host, box, id), box_(box) {
  // BS_3STATE (not the automatic kind): three states, changed only by the program.
  CreateChild("BUTTON", box.Caption(), WS_TABSTOP | BS_3STATE);
  UseDialogFont();
  ShowValue();
}

void CheckBoxPeer::OnCommand(int code) {
  if (code != BN_CLICKED || !box_.Visible() || !box_.Enabled()) return;
  forms::CheckBox& box = box_;
  host().Raise([&box] { box.UserClick(); });
}

void CheckBoxPeer::SyncKind(forms::Change change) {
  if (change == forms::Change::kValue) ShowValue();
}

void CheckBoxPeer::ShowValue() {
  if (hwnd() == nullptr) return;
  WPARAM state = BST_UNCHECKED;
  if (box_.Value() == forms::kChecked) state = BST_CHECKED;
  if (box_.Value() == forms::kGrayed) state = BST_INDETERMINATE;
  SendMessageA(hwnd(), BM_SETCHECK, state, 0);
}

}  // namespace ventrix::win32::ui
