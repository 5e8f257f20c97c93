#pragma once
// The native top-level window of one form: creates it hidden at the designed client size,
// mirrors caption, icon and visibility, and turns window messages into the form's events. The
// object exists from the form's load; the native window is created with it, or later (see
// DeferredWindows) from the form's state at that time.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/forms/form.h"
#include "platform/win32/forms/deferred_windows.h"
#include "platform/win32/forms/device_watch.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/handles.h"
#include "platform/win32/forms/tool_tip.h"
#include "platform/win32/window_procedure.h"

namespace ventrix::win32::ui {

class NativeControl;

class FormWindow : public forms::FormPeer {
 public:
  // Registers the window class once per module (a second call is harmless).
  static void RegisterWindowClass(HINSTANCE instance);
  // The form window behind a handle, or nullptr for any other window.
  static FormWindow* FromHandle(HWND window);

  // fonts: where the window and its controls get their fonts, shared with the other windows;
  // deferred: the list this window is on while its native window waits.
  FormWindow(forms::Form& form, HINSTANCE instance, FontCache& fonts, DeferredWindows& deferred);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // What creates the native window with its controls and menus (the backend's part), run by
  // EnsureNative.
  void set_native_creation(std::function<void()> create) { create_native_ = std::move(create); }
  // Creates the native window now unless it exists or was destroyed.
  void EnsureNative();
  // Creates the hidden window, showing the designed icon, with menu_bar (or none) as its menu
  // bar; the controls attach themselves afterwards. Throws when the window cannot be created.
  void Create(HMENU menu_bar);

  void Sync(forms::FormChange change) override;
  // Creates the native window first if it is still waiting.
  WindowHandle Handle() override;
  void SetFocus() override;

  // Sizes the window so that its client area (below any menu bar) has the designed size and
  // puts frames under the controls drawn over them; called once every peer is attached.
  void FinishLayout();
  // Lays the window out again at `dpi` in the window rectangle `suggested` (WM_DPICHANGED):
  // client size, controls, fonts, tooltips and icons. Nothing when dpi is out of bounds.
  void ChangeDpi(int dpi, const RECT& suggested);
  // Destroys the window without raising any event.
  void DestroyNative();

  HWND hwnd() const { return hwnd_; }
  HINSTANCE instance() const { return instance_; }
  int dpi() const { return dpi_; }
  HFONT dialog_font() const { return dialog_font_.get(); }
  // The font for a control at this window's DPI, shared with every control that uses the same.
  SharedFont font(const forms::Font& font) { return fonts_.Get(font, dpi_); }
  forms::Form& form() const { return form_; }
  ToolTip& tool_tip();

  void RegisterControl(NativeControl& control);
  void UnregisterControl(NativeControl& control);
  // Runs a user event through the runtime unless a handler is already running (a nested
  // message loop must not interrupt it). This object may be gone when it returns.
  void Raise(const std::function<void()>& event);
  bool HasKeyPreview() const { return static_cast<bool>(form_.on_key_press); }
  // The form's key press for a character key. This object may be gone when it returns.
  void RaiseKeyPress(char key);

 private:
  friend class WindowProcedure<FormWindow>;
  void OnWindowAttached(HWND window) { hwnd_ = window; }
  void OnWindowDetached() { hwnd_ = nullptr; }
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  NativeControl* ControlById(int id) const;
  NativeControl* ControlByWindow(HWND child) const;
  LRESULT OnCommand(WPARAM wparam, LPARAM lparam);
  void OnMenuCommand(int id);
  // WM_DEVICECHANGE: a volume's arrival or removal becomes the form's volume change; an event
  // of the watched device its device event.
  void OnDeviceChange(WPARAM event, LPARAM data);
  // The watched device's own events; the watch is let go when the device is being removed.
  void OnWatchedDeviceChange(WPARAM event, const DEV_BROADCAST_HDR& header);
  // Watches the form's device now, or nothing.
  void ApplyWatch();
  // Enter (IDOK) or Esc (IDCANCEL) from the dialog manager.
  void OnDialogKey(int dialog_id);
  // The close box, or Esc for a form that takes it so. This object may be gone when it returns.
  void CloseBox();
  LRESULT DefaultButtonId() const;
  void PaintLines(HDC dc);
  void SetDpi(int dpi);
  // Corrects the window's size so that its client area has the designed size at its DPI.
  void FitClientArea();
  // The window size for the designed client area at `dpi` (WM_GETDPISCALEDSIZE).
  bool ScaledSize(int dpi, SIZE& size) const;
  void CenterOnScreen();
  void ApplyIcon();
  void RestoreFocus();
  // WM_ENDSESSION for a session that ends: the form unloads as the system closes it.
  void OnSessionEnded();

  forms::Form& form_;
  HINSTANCE instance_;
  int dpi_;
  HWND hwnd_ = nullptr;
  bool detached_ = false;
  bool creating_ = false;
  DeferredWindows& deferred_;
  std::function<void()> create_native_;
  bool shown_before_ = false;
  HWND last_focus_ = nullptr;
  FontCache& fonts_;
  SharedFont dialog_font_;
  IconHandle big_icon_;
  IconHandle small_icon_;
  std::unique_ptr<ToolTip> tool_tip_;
  std::unique_ptr<DeviceWatch> device_watch_;
  std::vector<NativeControl*> controls_;  // by id - kFirstControlId; not owned
};

}  // namespace ventrix::win32::ui
