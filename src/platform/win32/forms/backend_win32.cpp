#include "platform/win32/forms/backend_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/win32/forms/control_factory.h"
#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/ids.h"
#include "platform/win32/forms/painted_control.h"

namespace ventrix::win32 {

namespace {

constexpr int kExitCode = 0;
constexpr int kLoopFailureExitCode = 1;
constexpr char kEditClass[] = "Edit";

BOOL CALLBACK CollectUsableWindow(HWND window, LPARAM windows) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  }
  return TRUE;
}

// Disables the program's other windows while a message box is up, and enables them again.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND owner) {
    EnumThreadWindows(GetCurrentThreadId(), &CollectUsableWindow,
                      reinterpret_cast<LPARAM>(&windows_));
    std::erase(windows_, owner);  // the message box disables its owner itself
    for (HWND window : windows_) EnableWindow(window, FALSE);
  }
  ~OtherWindowsDisabled() {
    for (HWND window : windows_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  std::vector<HWND> windows_;
};

bool IsEditWindow(HWND window) {
  char name[sizeof(kEditClass) + 1] = {};
  return GetClassNameA(window, name, sizeof(name)) != 0 && lstrcmpiA(name, kEditClass) == 0;
}

// Controls in tab order: the native z-order (creation order) is the order Tab follows.
std::vector<std::size_t> TabOrder(const std::vector<forms::Control*>& controls) {
  std::vector<std::size_t> order(controls.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&controls](std::size_t a, std::size_t b) {
    return controls[a]->TabIndex() < controls[b]->TabIndex();
  });
  return order;
}

}  // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX common{};
  common.dwSize = sizeof(common);
  common.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&common);
  ui::FormWindow::RegisterWindowClass(instance_);
  ui::PaintedControl::RegisterWindowClass(instance_);
}

void Win32Backend::Realize(forms::Form& form) {
  auto owned = std::make_unique<ui::FormWindow>(form, instance_, fonts_, deferred_windows_);
  ui::FormWindow& window = *owned;
  window.set_native_creation([this, &form, &window] { CreateNative(form, window); });
  form.AttachPeer(std::move(owned));
  if (defer_hidden_windows_ && !form.Visible()) {
    deferred_windows_.Add(window);
    return;
  }
  window.EnsureNative();
}

void Win32Backend::CreateNative(forms::Form& form, ui::FormWindow& window) {
  ui::MenuBar menu_bar(form, pending_menus_);
  window.Create(menu_bar.get());
  menu_bar.HandTo(window.hwnd());
  const std::vector<forms::Control*>& controls = form.Controls();
  for (std::size_t index : TabOrder(controls)) {
    const std::optional<int> id = ui::ControlId(static_cast<int>(index));
    if (!id) continue;  // beyond the identifier range: stays without a native peer
    controls[index]->AttachPeer(ui::CreateControlPeer(window, *controls[index], *id));
  }
  window.FinishLayout();
}

void Win32Backend::Destroy(forms::Form& form) {
  // Through the peer, not the handle: asking for it would create a window still waiting.
  auto* window = dynamic_cast<ui::FormWindow*>(form.Peer());
  if (window != nullptr) window->DestroyNative();
}

void Win32Backend::CreateDeferredWindow() {
  ui::FormWindow* window = deferred_windows_.TakeNext();
  if (window == nullptr) return;
  // A window that cannot be created fails as it would have at the form's load: reported, and
  // the program ends.
  window->form().runtime().Dispatch([window] { window->EnsureNative(); });
}

void Win32Backend::MessageBox(const std::string& text, int style, const std::string& caption) {
  // Owned by the program's active window, so it stays above it (a topmost one included). An
  // owner makes the box modal for that window alone (MB_TASKMODAL then disables nothing
  // else), so the other windows are disabled here for as long as the box is up.
  HWND owner = GetActiveWindow();
  if (owner != nullptr && !IsWindowVisible(owner)) owner = nullptr;
  const OtherWindowsDisabled others(owner);
  ::MessageBoxA(owner, text.c_str(), caption.c_str(),
                static_cast<UINT>(style) | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL));
}

void Win32Backend::Quit() {
  if (quit_) return;
  quit_ = true;
  PostQuitMessage(kExitCode);
}

void Win32Backend::DispatchEnded() { pending_menus_.RebuildAll(); }

int Win32Backend::RunMessageLoop() {
  if (quit_) return kExitCode;
  MSG message{};
  for (;;) {
    // Peeking also delivers messages sent from other threads and processes.
    if (!deferred_windows_.empty() && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      CreateDeferredWindow();
      continue;
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return kLoopFailureExitCode;
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool Win32Backend::PreTranslate(MSG& message) {
  if (message.hwnd == nullptr) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  ui::FormWindow* window = ui::FormWindow::FromHandle(root);
  if (window == nullptr) return false;
  if (window->HasKeyPreview()) {
    // The form sees every character key first, whichever of its controls has the focus;
    // Enter, Esc and Space included, so no dialog handling here.
    if (message.message != WM_CHAR || IsEditWindow(message.hwnd)) return false;
    window->RaiseKeyPress(static_cast<char>(message.wParam));
    return true;
  }
  return IsDialogMessageA(root, &message) != FALSE;
}

}  // namespace ventrix::win32
