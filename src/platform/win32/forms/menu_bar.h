#pragma once
// The menu bar of a form: one popup per menu array. Native menus cannot hide an item, so each
// popup is rebuilt from its array with the invisible items left out.

#include <windows.h>

#include "platform/forms/form.h"
#include "platform/forms/menu.h"

namespace ventrix::win32::ui {

class MenuArrayPeer : public forms::MenuPeer {
 public:
  // popup belongs to the menu bar, which belongs to window: neither is owned here.
  MenuArrayPeer(HWND window, HMENU popup, forms::MenuArray& menu, int array_index)
      : window_(window), popup_(popup), menu_(menu), array_index_(array_index) {}

  void Sync() override;

 private:
  HWND window_;
  HMENU popup_;
  forms::MenuArray& menu_;
  int array_index_;
};

// Gives window the form's menu bar and attaches a peer to each menu array; no bar when the
// form has no menus. Arrays and items beyond the identifier ranges are left out.
void BuildMenuBar(HWND window, forms::Form& form);

}  // namespace ventrix::win32::ui
