#include "platform/win32/forms/menu_bar.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/win32/forms/handles.h"
#include "platform/win32/forms/ids.h"

namespace ventrix::win32::ui {

void PendingMenus::Add(MenuArrayPeer& peer) { peers_.push_back(&peer); }

void PendingMenus::Remove(MenuArrayPeer& peer) { std::erase(peers_, &peer); }

void PendingMenus::RebuildAll() {
  // Rebuilding never adds to the list; it is taken first all the same.
  const std::vector<MenuArrayPeer*> peers = std::move(peers_);
  peers_.clear();
  for (MenuArrayPeer* peer : peers) peer->Rebuild();
}

MenuArrayPeer::~MenuArrayPeer() {
  if (pending_rebuild_) pending_.Remove(*this);
}

void MenuArrayPeer::Sync() {
  if (!runtime_.Dispatching()) {
    Rebuild();
    return;
  }
  if (pending_rebuild_) return;
  pending_rebuild_ = true;
  pending_.Add(*this);
}

void MenuArrayPeer::Rebuild() {
  if (pending_rebuild_) {
    pending_rebuild_ = false;
    pending_.Remove(*this);
  }
  ++rebuilds_;
  while (GetMenuItemCount(popup_) > 0) {
    if (!DeleteMenu(popup_, 0, MF_BYPOSITION)) break;
  }
  for (std::int16_t index = 0; index < menu_.Count(); ++index) {
    const forms::MenuItem& item = menu_[index];
    const std::optional<int> id = MenuCommandId(array_index_, index);
    if (!id) break;
    if (!item.Visible()) continue;
    if (item.IsSeparator()) {
      AppendMenuA(popup_, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(popup_, MF_STRING | (item.Enabled() ? MF_ENABLED : MF_GRAYED),
                  static_cast<UINT_PTR>(*id), item.Caption().c_str());
    }
  }
  // A hidden window's bar is drawn afresh when it shows.
  if (IsWindowVisible(window_)) DrawMenuBar(window_);
}

MenuBar::MenuBar(forms::Form& form, PendingMenus& pending) : form_(form) {
  if (form.Menus().empty()) return;
  bar_.reset(CreateMenu());
  if (!bar_) return;
  int array_index = 0;
  for (forms::MenuArray* menu : form.Menus()) {
    if (array_index >= kMaxMenuArrays) break;
    MenuHandle popup(CreatePopupMenu());
    if (!popup ||
        !AppendMenuA(bar_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.get()),
                     menu->TopCaption().c_str())) {
      break;
    }
    auto peer = std::make_unique<MenuArrayPeer>(popup.release(), *menu, array_index, form.runtime(),
                                                pending);  // bar owns popup
    peer->Rebuild();
    peers_.push_back(peer.get());
    menu->AttachPeer(std::move(peer));
    ++array_index;
  }
}

MenuBar::~MenuBar() {
  if (!bar_) return;
  for (forms::MenuArray* menu : form_.Menus()) menu->DetachPeer();  // their popups go with bar
  // A window that failed while being created may have destroyed the bar with itself.
  if (!IsMenu(bar_.get())) (void)bar_.release();
}

void MenuBar::HandTo(HWND window) {
  if (!bar_ || GetMenu(window) != bar_.get()) return;
  (void)bar_.release();  // the window destroys its menu bar
  for (MenuArrayPeer* peer : peers_) peer->set_window(window);
}

}  // namespace ventrix::win32::ui
