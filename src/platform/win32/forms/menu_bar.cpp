#include "platform/win32/forms/menu_bar.h"

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/win32/forms/handles.h"
#include "platform/win32/forms/ids.h"

namespace ventrix::win32::ui {

void MenuArrayPeer::Sync() {
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
  DrawMenuBar(window_);
}

void BuildMenuBar(HWND window, forms::Form& form) {
  if (form.Menus().empty()) return;
  MenuHandle bar(CreateMenu());
  if (!bar) return;
  int array_index = 0;
  for (forms::MenuArray* menu : form.Menus()) {
    if (array_index >= kMaxMenuArrays) break;
    MenuHandle popup(CreatePopupMenu());
    if (!popup ||
        !AppendMenuA(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.get()),
                     menu->TopCaption().c_str())) {
      break;
    }
    auto peer =
        std::make_unique<MenuArrayPeer>(window, popup.release(), *menu, array_index);  // bar owns
    peer->Sync();
    menu->AttachPeer(std::move(peer));
    ++array_index;
  }
  if (SetMenu(window, bar.get())) {
    (void)bar.release();  // the window destroys its menu bar
    return;
  }
  for (forms::MenuArray* menu : form.Menus()) menu->DetachPeer();  // their popups go with bar
}

}  // namespace ventrix::win32::ui
