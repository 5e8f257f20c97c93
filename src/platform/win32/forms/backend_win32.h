#pragma once
// The forms runtime on real windows: one top-level window per form, native child controls,
// menu bars, timers and message boxes, and the program's message loop.

#include <windows.h>

#include <string>

// <windows.h> maps MessageBox to MessageBoxA, which would rename the backend's member.
#ifdef MessageBox
#undef MessageBox
#endif

#include "platform/forms/backend.h"
#include "platform/win32/forms/deferred_windows.h"
#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/menu_bar.h"

namespace ventrix::win32 {

class Win32Backend : public forms::Backend {
 public:
  explicit Win32Backend(HINSTANCE instance);
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  // With deferred windows, the native window of a form loaded hidden is created when the
  // message loop is idle, or when the form is shown or its handle is asked for (see
  // DeferredWindows); otherwise at once.
  void set_defer_hidden_windows(bool defer) { defer_hidden_windows_ = defer; }

  void Realize(forms::Form& form) override;
  void Destroy(forms::Form& form) override;
  void MessageBox(const std::string& text, int style, const std::string& caption) override;
  void Quit() override;
  // Rebuilds the menus that the handler changed, once each.
  void DispatchEnded() override;

  // Runs until Quit (or WM_QUIT); returns the exit code. Waiting windows are created one at
  // a time whenever no message is waiting.
  int RunMessageLoop();

 private:
  void CreateNative(forms::Form& form, ui::FormWindow& window);
  // Creates the next waiting window, if any.
  void CreateDeferredWindow();
  // Keyboard handling before dispatch: a form's key press, or dialog keys (Tab, Enter, Esc,
  // access keys). True when the message was used up.
  static bool PreTranslate(MSG& message);

  HINSTANCE instance_;
  bool quit_ = false;
  bool defer_hidden_windows_ = false;
  ui::PendingMenus pending_menus_;
  ui::FontCache fonts_;
  ui::DeferredWindows deferred_windows_;
};

}  // namespace ventrix::win32
