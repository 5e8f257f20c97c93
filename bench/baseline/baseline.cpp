// baseline.exe: a window with one label reading "Ready" and a notification-area icon, nothing
// else. The benchmark measures ventrix.exe against it; closing the window ends it.

#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <cstring>
#include <memory>
#include <type_traits>

namespace {

constexpr char kClassName[] = "VentrixBenchBaseline";
constexpr char kCaption[] = "Baseline";
constexpr char kStatusText[] = "Ready";
constexpr char kTooltip[] = "Baseline";
constexpr int kWindowWidth = 260;
constexpr int kWindowHeight = 90;
constexpr int kLabelLeft = 0;
constexpr int kLabelTop = 0;
constexpr int kLabelWidth = 249;
constexpr int kLabelHeight = 25;
constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayMessage = WM_APP + 1;

struct WindowDeleter {
  void operator()(HWND window) const {
    if (IsWindow(window)) DestroyWindow(window);
  }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// The icon in the notification area for as long as the object lives.
class TrayIcon {
 public:
  explicit TrayIcon(HWND owner) : data_{} {
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data_.uCallbackMessage = kTrayMessage;
    data_.hIcon = LoadIconA(nullptr, IDI_APPLICATION);  // shared system icon: never destroyed
    std::strncpy(data_.szTip, kTooltip, sizeof(data_.szTip) - 1);
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
  }
  ~TrayIcon() {
    if (added_) Shell_NotifyIconA(NIM_DELETE, &data_);
  }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

 private:
  NOTIFYICONDATAA data_;
  bool added_ = false;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    // The window and the icon go when WinMain's guards end.
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  return RegisterClassExA(&window_class) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!RegisterWindowClass(instance)) return 1;
  OwnedWindow window(CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                     CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, nullptr,
                                     instance, nullptr));
  if (!window) return 1;
  CreateWindowExA(0, "STATIC", kStatusText, WS_CHILD | WS_VISIBLE | SS_LEFT, kLabelLeft, kLabelTop,
                  kLabelWidth, kLabelHeight, window.get(), nullptr, instance, nullptr);
  const TrayIcon tray_icon(window.get());
  ShowWindow(window.get(), SW_SHOW);  // as ventrix.exe shows its main window

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
