#include "platform/win32/tray_icon_win32.h"

#include <windowsx.h>

#include <array>
#include <functional>
#include <utility>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/message_filter_win32.h"

namespace ventrix::win32 {
namespace {

constexpr UINT kAddFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
constexpr std::int16_t kDoubleClickArgument = 0;
// The owner window's timer that reports a left click once no double click can follow it.
constexpr UINT_PTR kLeftClickTimerId = 1;
// The owner window's timer that tries again to add an icon the shell refused: at log-on the
// notification area may not take icons yet. A bounded series; "TaskbarCreated" starts another.
constexpr UINT_PTR kAddRetryTimerId = 2;
constexpr UINT kAddRetryMs = 2000;
constexpr int kMaxAddRetries = 30;
constexpr int kSmallIconSize = 16;  // at kBaseDpi
// Asked for in this order after every add; a shell that accepts none sends the original messages.
constexpr std::array<UINT, 2> kNotifyVersions{kNotifyIconVersion4, NOTIFYICON_VERSION};

// Explorer broadcasts this to top-level windows when it (re)creates the task bar.
UINT TaskbarCreatedMessage() { return RegisterWindowMessageA("TaskbarCreated"); }

// The notification area shows small icons at the DPI of the task bar: 16 pixels at 96 dpi, 20
// at 120, 24 at 144, 32 at 192.
HICON LoadSmallIcon(HINSTANCE instance, int resource_id, int dpi) {
  if (resource_id == 0) return nullptr;
  const int size = ScaleForDpi(kSmallIconSize, dpi);
  return static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(resource_id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Runs a notification handler; nothing it throws may unwind into the window procedure.
void Raise(const std::function<void(std::int16_t)>& handler, std::int16_t argument) {
  if (!handler) return;
  try {
    handler(argument);
  } catch (...) {
  }
}

}  // namespace

Win32TrayIcon::Win32TrayIcon(HINSTANCE instance, const TrayIconDesign& design)
    : instance_(instance),
      design_(design),
      taskbar_created_(TaskbarCreatedMessage()),
      // The system DPI: that of the primary monitor, where the task bar starts out.
      icon_(LoadSmallIcon(instance, design.icon, SystemDpi())),
      menu_(instance) {
  content_.icon = icon_.get();
  content_.tooltip = design.tooltip;
  content_.balloon_title = design.balloontitle;
  content_.balloon_icon = design.balloonicon;
  // The shell reports double clicks on the icon only to owners whose class asks for them.
  RegisterHiddenWindowClass<Win32TrayIcon>(instance, kTrayOwnerClassName, CS_DBLCLKS);
  // Top-level (not message-only) so that it hears the task bar's broadcast; never shown.
  window_.reset(CreateWindowExA(0, kTrayOwnerClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, this));
  // An elevated program still hears that the task bar came back.
  LetThroughFromLowerIntegrity(window_.get(), {taskbar_created_});
  if (design_.visible) AddUntilTaken();
}

Win32TrayIcon::~Win32TrayIcon() {
  if (window_) KillTimer(window_.get(), kLeftClickTimerId);
  Remove();
  window_.reset();
}

bool Win32TrayIcon::Request(DWORD message, UINT flags) {
  last_request_ = message;
  if (!window_) return last_request_accepted_ = false;
  NOTIFYICONDATAA data = MakeNotifyData(window_.get(), flags, content_);
  last_request_accepted_ = Shell_NotifyIconA(message, &data) != FALSE;
  return last_request_accepted_;
}

void Win32TrayIcon::Add() {
  // After a task bar restart the icon is gone and is added again; if it survived, refresh it.
  content_.show_tip = false;
  added_ = Request(NIM_ADD, kAddFlags) || Request(NIM_MODIFY, kAddFlags);
  if (added_) AskForNewestVersion();
}

// https://learn.microsoft.com/windows/win32/api/shellapi/nf-shellapi-shell_notifyicona
// Version 3 and later report Enter and Space on the icon (NIN_KEYSELECT) and ask for the menu
// with WM_CONTEXTMENU, so the icon can be used from the keyboard.
void Win32TrayIcon::AskForNewestVersion() {
  notify_version_ = 0;
  for (UINT version : kNotifyVersions) {
    NOTIFYICONDATAA data = MakeNotifyData(window_.get(), 0, content_);
    data.uVersion = version;
    if (Shell_NotifyIconA(NIM_SETVERSION, &data) == FALSE) continue;
    notify_version_ = version;
    break;
  }
  if (notify_version_ != kNotifyIconVersion4) return;
  // Version 4 hides the standard tooltip unless every request asks for it.
  content_.show_tip = true;
  Request(NIM_MODIFY, NIF_TIP);
}

void Win32TrayIcon::AddUntilTaken() {
  add_retries_left_ = kMaxAddRetries;
  TryAdd();
}

void Win32TrayIcon::TryAdd() {
  Add();
  if (!window_) return;
  if (!added_ && add_retries_left_ > 0) {
    --add_retries_left_;
    SetTimer(window_.get(), kAddRetryTimerId, kAddRetryMs, nullptr);
  } else {
    KillTimer(window_.get(), kAddRetryTimerId);
  }
}

void Win32TrayIcon::Remove() {
  if (window_) KillTimer(window_.get(), kAddRetryTimerId);
  if (added_) Request(NIM_DELETE, 0);
  added_ = false;
}

bool Win32TrayIcon::Modify(UINT flags) {
  if (Request(NIM_MODIFY, flags)) return true;
  if (!design_.visible) return false;
  // The shell lost the icon (a restart it did not announce, or an add it took back): add it
  // again, then make the change.
  added_ = false;
  AddUntilTaken();
  return added_ && Request(NIM_MODIFY, flags);
}

void Win32TrayIcon::ChangeIconDpi(int dpi) {
  if (dpi < kMinDpi || dpi > kMaxDpi) return;
  IconHandle icon(LoadSmallIcon(instance_, design_.icon, dpi));
  if (!icon) return;
  content_.icon = icon.get();
  if (added_) Modify(NIF_ICON);
  icon_ = std::move(icon);  // the shell has its own copy of the new one
}

void Win32TrayIcon::ShowBalloon() { Modify(NIF_INFO); }

void Win32TrayIcon::AddItem(const std::string& caption, int picture, const std::string& key) {
  menu_.Add(TrayMenuItem{caption, picture, key});
}

std::optional<TrayMenuItem> Win32TrayIcon::ShowMenu() {
  std::optional<TrayMenuItem> picked =
      menu_.Track(window_.get(), std::exchange(menu_anchor_, std::nullopt));
  // Dismissed with Esc: the keyboard focus goes back to the icon, where the user left it.
  if (!picked && menu_.escaped() && added_ && notify_version_ != 0) Request(NIM_SETFOCUS, 0);
  return picked;
}

LRESULT Win32TrayIcon::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    // The notification is the low word of lParam in every version; with version 4 wParam
    // holds the point.
    RaiseNotification(LOWORD(lparam), wparam);
    return 0;
  }
  if (message == WM_SYSCOLORCHANGE) {
    // The pictures' background takes the menu colour, which may have changed (high contrast).
    menu_.DropPictures();
    return 0;
  }
  if (message == WM_TIMER && wparam == kLeftClickTimerId) {
    KillTimer(window, kLeftClickTimerId);
    // Handlers are copied first: one may end the program and destroy this object.
    if (!menu_.tracking()) Raise(std::function(on_click), kMouseLeft);
    return 0;
  }
  if (message == WM_TIMER && wparam == kAddRetryTimerId) {
    TryAdd();
    return 0;
  }
  if (message == WM_ENDSESSION) {
    // The process may end at any moment after this returns: no icon may stay behind.
    if (wparam != FALSE) Remove();
    return 0;
  }
  if (message == kWmDpiChanged) {
    // The owner window follows the DPI of its monitor, the primary one, when that changes.
    ChangeIconDpi(HIWORD(wparam));
    return 0;
  }
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    if (design_.visible) AddUntilTaken();
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool Win32TrayIcon::RepeatsKeySelect() {
  // The shell sends its notifications from its own process: the arrival is what counts.
  const DWORD now = GetTickCount();
  const bool repeat = last_key_select_ && now - *last_key_select_ < GetDoubleClickTime();
  if (!repeat) last_key_select_ = now;
  return repeat;
}

void Win32TrayIcon::RaiseNotification(UINT notification, WPARAM point) {
  // While the popup menu is open its pick is still being waited for: a click on the icon then
  // only closes the menu and must not start another handler inside the running one.
  if (menu_.tracking()) return;
  // Handlers are copied first: one may end the program and destroy this object, so nothing
  // here touches a member after the call.
  // A left click waits for the double-click time: a double click (down, up, double click, up)
  // reports only the double click, and its second release nothing.
  // From version 3 on, a right click (or Shift+F10, or the Apps key) asks for the menu with
  // WM_CONTEXTMENU after WM_RBUTTONUP: only that one opens it. Enter or Space (NIN_KEYSELECT)
  // runs the icon's default, the double click.
  switch (notification) {
    case WM_LBUTTONUP:
      if (std::exchange(release_ends_double_click_, false)) break;
      SetTimer(window_.get(), kLeftClickTimerId, GetDoubleClickTime(), nullptr);
      break;
    case WM_RBUTTONUP:
      if (notify_version_ != 0) break;
      menu_anchor_.reset();
      Raise(std::function(on_click), kMouseRight);
      break;
    case WM_CONTEXTMENU:
      if (notify_version_ == 0) break;
      menu_anchor_.reset();
      if (notify_version_ == kNotifyIconVersion4)
        menu_anchor_ = POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
      Raise(std::function(on_click), kMouseRight);
      break;
    case NIN_KEYSELECT:
      if (notify_version_ == 0 || RepeatsKeySelect()) break;
      Raise(std::function(on_dbl_click), kDoubleClickArgument);
      break;
    case WM_LBUTTONDBLCLK:
      KillTimer(window_.get(), kLeftClickTimerId);
      release_ends_double_click_ = true;
      Raise(std::function(on_dbl_click), kDoubleClickArgument);
      break;
    default:
      break;
  }
}

Win32TrayIconFactory::Win32TrayIconFactory(HINSTANCE instance) : instance_(instance) {}

std::unique_ptr<TrayIcon> Win32TrayIconFactory::Create(const TrayIconDesign& design,
                                                       WindowHandle /*host*/) {
  return std::make_unique<Win32TrayIcon>(instance_, design);
}

}  // namespace ventrix::win32
