#include "platform/win32/forms/form_style.h"

namespace ventrix::win32::ui {

FormStyle StyleFor(const forms::FormDesign& design) {
  FormStyle result;
  result.style = WS_CLIPCHILDREN;
  const bool has_border = design.border != forms::BorderStyle::kNone;
  if (has_border && design.title_bar) {
    result.style |= WS_OVERLAPPED | WS_CAPTION;
    if (design.control_box) {
      result.style |= WS_SYSMENU;
      if (design.min_button) result.style |= WS_MINIMIZEBOX;
    }
  } else {
    result.style |= WS_POPUP;
    if (design.border == forms::BorderStyle::kFixedSingle) result.style |= WS_BORDER;
    if (design.border == forms::BorderStyle::kFixedDialog) result.style |= WS_DLGFRAME;
  }
  if (design.border == forms::BorderStyle::kFixedDialog) result.ex_style |= WS_EX_DLGMODALFRAME;
  if (!design.show_in_taskbar) result.ex_style |= WS_EX_TOOLWINDOW;
  return result;
}

}  // namespace ventrix::win32::ui
