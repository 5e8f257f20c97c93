#pragma once
// A command button: push button, default (Enter) and cancel (Esc) roles.

#include "platform/forms/command_button.h"
#include "platform/win32/forms/native_control.h"

namespace ventrix::win32::ui {

class ButtonPeer : public NativeControl {
 public:
  ButtonPeer(FormWindow& host, forms::CommandButton& button, int id);

  void OnCommand(int code) override;
  bool AnswersDialogKey(int dialog_id) const override;

 protected:
  void SyncKind(forms::Change change) override;

 private:
  forms::CommandButton& button_;
};

}  // namespace ventrix::win32::ui
