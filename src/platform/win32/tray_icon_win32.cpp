#include "platform/win32/tray_icon_win32.h"

#include <functional>
#include <utility>

namespace ventrix::win32 {
namespace {

constexpr UINT kAddFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
constexpr std::int16_t kDoubleClickArgument = 0;

// Explorer broadcasts this to top-level windows when it (re)creates the task bar.
UINT TaskbarCreatedMessage() { return RegisterWindowMessageA("TaskbarCreated"); }

void RegisterOwnerClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  // The shell reports double clicks on the icon only to owners whose class asks for them.
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = kTrayOwnerClassName;
  // A second registration (a second factory) fails harmlessly: the class is the same.
  RegisterClassExA(&window_class);
}

HICON LoadSmallIcon(HINSTANCE instance, int resource_id) {
  if (resource_id == 0) return nullptr;
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(resource_id), IMAGE_ICON,
                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                       LR_DEFAULTCOLOR));
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
    : design_(design),
      taskbar_created_(TaskbarCreatedMessage()),
      icon_(LoadSmallIcon(instance, design.icon)),
      menu_(instance) {
  content_.icon = icon_.get();
  content_.tooltip = design.tooltip;
  content_.balloon_title = design.balloontitle;
  content_.balloon_icon = design.balloonicon;
  RegisterOwnerClass(instance, &WindowProcedure<Win32TrayIcon>::Thunk);
  // Top-level (not message-only) so that it hears the task bar's broadcast; never shown.
  window_.reset(CreateWindowExA(0, kTrayOwnerClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, this));
  if (design_.visible) Add();
}

Win32TrayIcon::~Win32TrayIcon() {
  if (added_) Request(NIM_DELETE, 0);
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

void Win32TrayIcon::ShowBalloon() { Request(NIM_MODIFY, NIF_INFO); }

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
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    if (design_.visible) Add();
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
  switch (mouse_message) {
    case WM_LBUTTONUP:
      Raise(std::function(on_click), kMouseLeft);
      break;
    case WM_RBUTTONUP:
      Raise(std::function(on_click), kMouseRight);
      break;
    case WM_LBUTTONDBLCLK:
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
