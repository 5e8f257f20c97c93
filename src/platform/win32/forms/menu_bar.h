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
#include "platform/win32/forms/handles.h"

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
  // popup belongs to the menu bar, which belongs to the window: neither is owned here.
  MenuArrayPeer(HMENU popup, forms::MenuArray& menu, int array_index, const forms::Runtime& runtime,
                PendingMenus& pending)
      : popup_(popup),
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

  // The window whose bar holds the popup, once it exists.
  void set_window(HWND window) { window_ = window; }

  // How many times the popup was refilled (for tests).
  int rebuilds() const { return rebuilds_; }

 private:
  HWND window_ = nullptr;
  HMENU popup_;
  forms::MenuArray& menu_;
  int array_index_;
  const forms::Runtime& runtime_;
  PendingMenus& pending_;
  bool pending_rebuild_ = false;
  int rebuilds_ = 0;
};

// The menu bar of a form, made before its window so that the window is created with it and
// sized for it from the start (a bar given to an existing window changes its frame, and the
// window must then be resized for it). Each menu array gets a peer; arrays and items beyond
// the identifier ranges are left out. No bar when the form has no menus.
class MenuBar {
 public:
  MenuBar(forms::Form& form, PendingMenus& pending);
  // Unless handed to a window: the peers are detached and the bar destroyed.
  ~MenuBar();
  MenuBar(const MenuBar&) = delete;
  MenuBar& operator=(const MenuBar&) = delete;

  HMENU get() const { return bar_.get(); }
  // The window was created with the bar and now owns it.
  void HandTo(HWND window);

 private:
  forms::Form& form_;
  MenuHandle bar_;
  std::vector<MenuArrayPeer*> peers_;  // owned by their arrays
};

}  // namespace ventrix::win32::ui
