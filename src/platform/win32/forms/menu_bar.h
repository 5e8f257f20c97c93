#pragma once
// The menu bar of a form: one popup per menu array. Native menus cannot hide an item, so each
// popup is rebuilt from its array with the invisible items left out. A handler often changes
// several items in a row (start-up sets captions and visibility one by one), so while one runs
// the rebuild waits until it has returned and then happens once.

#include <windows.h>

#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/menu.h"
#include "platform/forms/runtime.h"

namespace ventrix::win32::ui {

class MenuArrayPeer;

// The popups changed by the running handler, rebuilt when it has returned.
class PendingMenus {
 public:
  PendingMenus() = default;
  PendingMenus(const PendingMenus&) = delete;
  PendingMenus& operator=(const PendingMenus&) = delete;

  void Add(MenuArrayPeer& peer);
  void Remove(MenuArrayPeer& peer);
  void RebuildAll();

 private:
  std::vector<MenuArrayPeer*> peers_;  // not owned; each removes itself when it goes
};

class MenuArrayPeer : public forms::MenuPeer {
 public:
  // popup belongs to the menu bar, which belongs to window: neither is owned here.
  MenuArrayPeer(HWND window, HMENU popup, forms::MenuArray& menu, int array_index,
                const forms::Runtime& runtime, PendingMenus& pending)
      : window_(window),
        popup_(popup),
        menu_(menu),
        array_index_(array_index),
        runtime_(runtime),
        pending_(pending) {}
  ~MenuArrayPeer() override;
  MenuArrayPeer(const MenuArrayPeer&) = delete;
  MenuArrayPeer& operator=(const MenuArrayPeer&) = delete;

  // Rebuilds now, or once the running handler has returned.
  void Sync() override;
  // Refills the popup from the array; the menu bar is redrawn only while the window shows.
  void Rebuild();

  // How many times the popup was refilled (for tests).
  int rebuilds() const { return rebuilds_; }

 private:
  HWND window_;
  HMENU popup_;
  forms::MenuArray& menu_;
  int array_index_;
  const forms::Runtime& runtime_;
  PendingMenus& pending_;
  bool pending_rebuild_ = false;
  int rebuilds_ = 0;
};

// Gives window the form's menu bar and attaches a peer to each menu array; no bar when the
// form has no menus. Arrays and items beyond the identifier ranges are left out.
void BuildMenuBar(HWND window, forms::Form& form, PendingMenus& pending);

}  // namespace ventrix::win32::ui
