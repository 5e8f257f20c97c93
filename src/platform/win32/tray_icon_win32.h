#pragma once
// The notification-area icon on Win32: Shell_NotifyIconA for an icon owned by a hidden
// top-level window, with balloons, a popup menu with pictures and mouse notifications.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/components/tray_icon.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/tray_notify_data_win32.h"
#include "platform/win32/tray_popup_menu_win32.h"
#include "platform/win32/window_procedure.h"

namespace ventrix::win32 {

inline constexpr const char* kTrayOwnerClassName = "VentrixTrayIconOwner";

class Win32TrayIcon : public TrayIcon, public TrayMenuRoot {
 public:
  // Creates the owner window and, when the design says visible, adds the icon at once.
  Win32TrayIcon(HINSTANCE instance, const TrayIconDesign& design);
  ~Win32TrayIcon() override;
  Win32TrayIcon(const Win32TrayIcon&) = delete;
  Win32TrayIcon& operator=(const Win32TrayIcon&) = delete;

  const std::string& balloontitle() const override { return content_.balloon_title; }
  void set_balloontitle(const std::string& title) override { content_.balloon_title = title; }
  const std::string& balloontext() const override { return content_.balloon_text; }
  void set_balloontext(const std::string& text) override { content_.balloon_text = text; }
  void ShowBalloon() override;

  TrayMenuRoot& TrayMenu() override { return *this; }
  void AddItem(const std::string& caption, int picture, const std::string& key) override;
  std::optional<TrayMenuItem> ShowMenu() override;

  // Native state, for tests: the owner window, the popup menu (built on demand), whether the
  // icon is in the notification area and whether the shell accepted the last request.
  HWND owner_window() const { return window_.get(); }
  HMENU popup_menu() { return menu_.Build() ? menu_.native() : nullptr; }
  bool added() const { return added_; }
  bool last_request_accepted() const { return last_request_accepted_; }
  // The last request made of the shell (NIM_ADD, NIM_MODIFY, NIM_SETFOCUS...).
  DWORD last_request() const { return last_request_; }
  // The notification version the shell accepted after the last add: 4 (Vista and later), 3
  // (Windows 2000 and XP) or 0 for the original messages.
  UINT notify_version() const { return notify_version_; }

 private:
  friend class WindowProcedure<Win32TrayIcon>;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // One notification of the shell: the mouse or keyboard message, and with version 4 the point
  // it happened at (the icon's corner when it came from the keyboard).
  void RaiseNotification(UINT notification, WPARAM point);
  bool Request(DWORD message, UINT flags);
  // Adds the icon once (or refreshes one the shell still holds), then asks for the newest
  // notification version the shell accepts.
  void Add();
  void AskForNewestVersion();
  // True for the second NIN_KEYSELECT of one key press (Windows can send it twice).
  bool RepeatsKeySelect();
  // Adds it, and while the shell refuses, tries again on a timer a bounded number of times.
  void AddUntilTaken();
  void TryAdd();
  // Removes the icon and stops any retries.
  void Remove();
  // Changes the icon; one the shell lost is added again first.
  bool Modify(UINT flags);
  // Shows the icon at the size for `dpi`.
  void ChangeIconDpi(int dpi);

  HINSTANCE instance_;
  TrayIconDesign design_;
  TrayNotifyContent content_;
  UINT taskbar_created_ = 0;
  bool added_ = false;
  int add_retries_left_ = 0;
  bool last_request_accepted_ = false;
  DWORD last_request_ = NIM_ADD;
  // Set by a double click: the release that follows it is not a click.
  bool release_ends_double_click_ = false;
  UINT notify_version_ = 0;
  // When the last NIN_KEYSELECT acted on arrived (tick count), once one has.
  std::optional<DWORD> last_key_select_;
  // Where the shell asked for the menu (WM_CONTEXTMENU with version 4); the next ShowMenu opens
  // it there instead of at the cursor.
  std::optional<POINT> menu_anchor_;
  IconHandle icon_;
  TrayPopupMenu menu_;
  // Last, so the window goes before the icon and menu it shows.
  OwnedWindow window_;
};

class Win32TrayIconFactory : public TrayIconFactory {
 public:
  explicit Win32TrayIconFactory(HINSTANCE instance);
  // The icon has its own owner window; `host` is not needed for it.
  std::unique_ptr<TrayIcon> Create(const TrayIconDesign& design, WindowHandle host) override;

 private:
  HINSTANCE instance_;
};

}  // namespace ventrix::win32
