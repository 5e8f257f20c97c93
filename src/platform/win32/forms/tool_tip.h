#pragma once
// The tooltips of one form: one TOOLTIPS_CLASS window that shows a text over a child window.

#include <windows.h>

#include <string>

#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

class ToolTip {
 public:
  ToolTip(HWND owner, HINSTANCE instance);
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  // Shows text over tool; empty text removes the tip.
  void Set(HWND tool, const std::string& text);
  // The owner is being destroyed and takes the tooltip window with it.
  void OnOwnerDestroyed() { (void)window_.release(); }
  HWND hwnd() const { return window_.get(); }

 private:
  HWND owner_;
  OwnedWindow window_;
};

}  // namespace ventrix::win32::ui
