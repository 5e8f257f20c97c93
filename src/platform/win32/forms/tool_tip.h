#pragma once
// The tooltips of one form: one TOOLTIPS_CLASS window that shows a text over a child window.
// The tooltip window is a top-level window of its own, so it is created only when a tip can
// first be wanted (the mouse comes over the form) rather than with the form; the tips set
// before that wait here.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

class ToolTip {
 public:
  ToolTip(HWND owner, HINSTANCE instance);
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  // Shows text over tool; empty text removes the tip.
  void Set(HWND tool, const std::string& text);
  // Creates the tooltip window, with the tips set so far, unless it exists.
  void EnsureCreated();
  // The owner is being destroyed and takes the tooltip window with it.
  void OnOwnerDestroyed();
  // The owner's DPI: the tips' width and, away from the system DPI, their font follow it.
  void set_dpi(int dpi);
  // The tooltip window, created first if need be.
  HWND hwnd() {
    EnsureCreated();
    return window_.get();
  }

 private:
  void Apply(HWND tool, const std::string& text);
  void ApplyDpi();

  HWND owner_;
  HINSTANCE instance_;
  int dpi_;
  FontHandle font_;  // the tips' font at a DPI other than the system's; outlives the window
  OwnedWindow window_;
  bool owner_destroyed_ = false;
  // Tips set before the window exists: one per tool, so no more than the form's controls.
  std::vector<std::pair<HWND, std::string>> waiting_;
};

}  // namespace ventrix::win32::ui
