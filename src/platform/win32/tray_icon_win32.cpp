#include "platform/win32/tray_icon_win32.h"

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
  if (!window_) return last_request_accepted_ = false;
  NOTIFYICONDATAA data = MakeNotifyData(window_.get(), flags, content_);
  last_request_accepted_ = Shell_NotifyIconA(message, &data) != FALSE;
  return last_request_accepted_;
}

void Win32TrayIcon::Add() {
  // After a task bar restart the icon is gone and is added again; if it survived, refresh it.
  added_ = Request(NIM_ADD, kAddFlags) || Request(NIM_MODIFY, kAddFlags);
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

std::optional<TrayMenuItem> Win32TrayIcon::ShowMenu() { return menu_.Track(window_.get()); }

LRESULT Win32TrayIcon::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    // The mouse message is the low word of lParam in every notification version.
    RaiseMouseEvent(LOWORD(lparam));
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

void Win32TrayIcon::RaiseMouseEvent(UINT mouse_message) {
  // While the popup menu is open its pick is still being waited for: a click on the icon then
  // only closes the menu and must not start another handler inside the running one.
  if (menu_.tracking()) return;
  // Handlers are copied first: one may end the program and destroy this object, so nothing
  // here touches a member after the call.
  // A left click waits for the double-click time: a double click (down, up, double click, up)
  // reports only the double click, and its second release nothing.
  switch (mouse_message) {
    case WM_LBUTTONUP:
      if (std::exchange(release_ends_double_click_, false)) break;
      SetTimer(window_.get(), kLeftClickTimerId, GetDoubleClickTime(), nullptr);
      break;
    case WM_RBUTTONUP:
      Raise(std::function(on_click), kMouseRight);
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
