#include "platform/win32/forms/button_peer.h"

#include "platform/win32/forms/form_window.h"

namespace ventrix::win32::ui {

ButtonPeer::ButtonPeer(FormWindow& host, forms::CommandButton& button, int id)
    : NativeControl(host, button, id), button_(button) {
  CreateChild("BUTTON", button.Caption(),
              WS_TABSTOP | (button.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
  UseDialogFont();
}

void ButtonPeer::OnCommand(int code) {
  if (code != BN_CLICKED || !button_.Visible() || !button_.Enabled()) return;
  forms::CommandButton& button = button_;
  host().Raise([&button] {
    if (button.on_click) button.on_click();
  });
}

bool ButtonPeer::AnswersDialogKey(int dialog_id) const {
  if (!button_.Visible() || !button_.Enabled()) return false;
  return (dialog_id == IDOK && button_.IsDefault()) ||
         (dialog_id == IDCANCEL && button_.IsCancel());
}

void ButtonPeer::SyncKind(forms::Change change) {
  if (change == forms::Change::kCaption && hwnd() != nullptr) {
    SetWindowTextA(hwnd(), button_.Caption().c_str());
  }
}

}  // namespace ventrix::win32::ui
