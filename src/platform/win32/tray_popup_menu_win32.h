#pragma once
// The tray icon's popup menu: its rows, the native menu built from them with their pictures,
// and the modal pick at the cursor.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "platform/components/tray_icon.h"
#include "platform/win32/handles_win32.h"

namespace ventrix::win32 {

// Rows beyond this are ignored: it keeps every command id small and the menu on one screen.
inline constexpr std::size_t kMaxTrayMenuItems = 64;
inline constexpr const char* kTraySeparatorCaption = "-";

class TrayPopupMenu {
 public:
  // The pictures start at the size for the system DPI.
  explicit TrayPopupMenu(HINSTANCE instance);
  TrayPopupMenu(const TrayPopupMenu&) = delete;
  TrayPopupMenu& operator=(const TrayPopupMenu&) = delete;

  // Appends a row; the native menu is rebuilt on the next Track.
  void Add(TrayMenuItem item);
  // Pops the menu up for `owner` at `at` (screen coordinates), or at the cursor without one,
  // and waits; the picked row, or nothing (also when asked again while the menu is already
  // open). The pictures come at the size for the DPI of the monitor the menu opens on.
  std::optional<TrayMenuItem> Track(HWND owner, std::optional<POINT> at = std::nullopt);
  // Whether the last Track ended with Esc rather than a pick or a click elsewhere.
  bool escaped() const { return escaped_; }
  // Forgets the pictures (their background has the menu colour of the time they were loaded);
  // the next Track loads them again.
  void DropPictures();

  const std::vector<TrayMenuItem>& items() const { return items_; }
  // The native menu as last built (nullptr before the first Track); builds it when asked to.
  HMENU native() const { return menu_.get(); }
  bool Build();
  // The pictures' size from now on (one of kMenuPictureSizes); the menu is rebuilt with them
  // when it changes.
  void set_picture_size(int size);
  int picture_size() const { return picture_size_; }
  // True while the menu is open (inside Track).
  bool tracking() const { return tracking_; }

 private:
  HBITMAP Picture(int resource_id);
  void AppendRow(HMENU menu, UINT command, const TrayMenuItem& item);

  HINSTANCE instance_;
  std::vector<TrayMenuItem> items_;
  int picture_size_;
  // Bitmaps by resource id, at picture_size_; declared before the menu so they outlive it.
  std::vector<std::pair<int, BitmapHandle>> pictures_;
  MenuHandle menu_;
  bool stale_ = true;
  bool tracking_ = false;
  // The colours changed while the menu was open: its pictures go once it closes.
  bool pictures_stale_ = false;
  bool escaped_ = false;
};

}  // namespace ventrix::win32
