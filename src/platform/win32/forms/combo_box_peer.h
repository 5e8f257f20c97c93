#pragma once
// An editable drop-down list: the user's pick selects the entry, typing changes the text only.

#include <string>

#include "platform/forms/combo_box.h"
#include "platform/win32/forms/native_control.h"

namespace ventrix::win32::ui {

// The longest text the field accepts and reports.
inline constexpr int kMaxComboTextLength = 260;

class ComboBoxPeer : public NativeControl {
 public:
  ComboBoxPeer(FormWindow& host, forms::ComboBox& combo, int id);

  void OnCommand(int code) override;

 protected:
  void SyncKind(forms::Change change) override;
  int ExtraNativeHeight() const override;

 private:
  void FillList();
  void ShowSelection();
  void ShowText();
  std::string NativeText() const;

  forms::ComboBox& combo_;
  bool syncing_ = false;  // notifications caused by our own updates are not the user's
};

}  // namespace ventrix::win32::ui
