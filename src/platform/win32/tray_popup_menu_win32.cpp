#include "platform/win32/tray_popup_menu_win32.h"

#include "platform/win32/dpi_win32.h"
#include "platform/win32/tray_menu_picture_win32.h"

namespace ventrix::win32 {
namespace {

// Command ids are row index + 1: TrackPopupMenu answers 0 for "nothing picked".
constexpr UINT kFirstCommand = 1;
constexpr UINT kTrackFlags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;

}  // namespace

TrayPopupMenu::TrayPopupMenu(HINSTANCE instance)
    : instance_(instance), picture_size_(MenuPictureSizeForDpi(SystemDpi())) {}

void TrayPopupMenu::set_picture_size(int size) {
  if (size == picture_size_) return;
  DropPictures();
  picture_size_ = size;
}

void TrayPopupMenu::DropPictures() {
  // The pictures go with the menu that shows them; one on screen keeps them until it closes.
  pictures_stale_ = tracking_;
  if (tracking_) return;
  menu_.reset();
  pictures_.clear();
  stale_ = true;
}

void TrayPopupMenu::Add(TrayMenuItem item) {
  if (items_.size() >= kMaxTrayMenuItems) return;
  items_.push_back(std::move(item));
  stale_ = true;
}

HBITMAP TrayPopupMenu::Picture(int resource_id) {
  if (resource_id == kNoPicture) return nullptr;
  for (const auto& [id, bitmap] : pictures_)
    if (id == resource_id) return bitmap.get();
  BitmapHandle bitmap = LoadMenuPicture(instance_, resource_id, picture_size_);
  if (!bitmap) return nullptr;
  HBITMAP raw = bitmap.get();
  pictures_.emplace_back(resource_id, std::move(bitmap));
  return raw;
}

void TrayPopupMenu::AppendRow(HMENU menu, UINT command, const TrayMenuItem& item) {
  if (item.caption == kTraySeparatorCaption) {
    AppendMenuA(menu, MF_SEPARATOR, command, nullptr);
    return;
  }
  if (!AppendMenuA(menu, MF_STRING, command, item.caption.c_str())) return;
  HBITMAP picture = Picture(item.picture);
  if (picture == nullptr) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_BITMAP;
  info.hbmpItem = picture;
  // Systems before Windows 98 and 2000 have no item pictures: use the check-mark bitmaps.
  if (!SetMenuItemInfoA(menu, command, FALSE, &info))
    SetMenuItemBitmaps(menu, command, MF_BYCOMMAND, picture, picture);
}

bool TrayPopupMenu::Build() {
  if (!stale_ && menu_) return true;
  menu_.reset();
  MenuHandle menu(CreatePopupMenu());
  if (!menu) return false;
  UINT command = kFirstCommand;
  for (const TrayMenuItem& item : items_) AppendRow(menu.get(), command++, item);
  menu_ = std::move(menu);
  stale_ = false;
  return true;
}

std::optional<TrayMenuItem> TrayPopupMenu::Track(HWND owner, std::optional<POINT> at) {
  escaped_ = false;
  if (tracking_ || items_.empty()) return std::nullopt;
  POINT cursor{};
  if (at) {
    cursor = *at;
  } else {
    GetCursorPos(&cursor);
  }
  // A per-monitor aware menu is drawn at the DPI of the monitor it opens on.
  set_picture_size(MenuPictureSizeForDpi(MonitorDpiAt(cursor)));
  if (!Build()) return std::nullopt;
  // The owner must be in the foreground, or the menu would not close when the user clicks
  // elsewhere; the posted WM_NULL lets a second popup open properly right after this one.
  SetForegroundWindow(owner);
  tracking_ = true;
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(menu_.get(), kTrackFlags, cursor.x, cursor.y, 0, owner, nullptr));
  tracking_ = false;
  if (pictures_stale_) DropPictures();
  // The menu closes on the Esc key's press; its release is still to come.
  escaped_ = command == 0 && GetKeyState(VK_ESCAPE) < 0;
  PostMessageA(owner, WM_NULL, 0, 0);
  if (command < kFirstCommand || command - kFirstCommand >= items_.size()) return std::nullopt;
  return items_[command - kFirstCommand];
}

}  // namespace ventrix::win32
