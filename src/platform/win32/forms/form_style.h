#pragma once
// Window styles of a form from its design.

#include <windows.h>

#include "platform/forms/form.h"

namespace ventrix::win32::ui {

struct FormStyle {
  DWORD style = 0;
  DWORD ex_style = 0;
};

// Fixed size always (no sizing border, no maximise box); a caption only with a border and a
// title bar; the close box and system menu per control_box; the minimise box on request; no
// task-bar button as a tool window.
FormStyle StyleFor(const forms::FormDesign& design);

}  // namespace ventrix::win32::ui
