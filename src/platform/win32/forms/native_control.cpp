#include "platform/win32/forms/native_control.h"

#include <cstdint>

#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/units.h"

namespace ventrix::win32::ui {

NativeControl::NativeControl(FormWindow& host, forms::Control& control, int id)
    : host_(host), control_(control), id_(id) {
  host_.RegisterControl(*this);
}

NativeControl::~NativeControl() {
  host_.UnregisterControl(*this);
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void NativeControl::Sync(forms::Change change) {
  if (hwnd_ != nullptr) {
    switch (change) {
      case forms::Change::kVisible:
        ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
        break;
      case forms::Change::kEnabled:
        EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
        break;
      case forms::Change::kRect:
        Move();
        break;
      default:
        break;
    }
  }
  SyncKind(change);
}

void NativeControl::CreateChild(const char* class_name, const std::string& text, DWORD style,
                                DWORD ex_style, void* create_param) {
  RECT place = PixelRect();
  place.bottom += ExtraNativeHeight();
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control_.Visible()) style |= WS_VISIBLE;
  if (!control_.Enabled()) style |= WS_DISABLED;
  hwnd_ = CreateWindowExA(ex_style | WS_EX_NOPARENTNOTIFY, class_name, text.c_str(), style,
                          place.left, place.top, place.right - place.left, place.bottom - place.top,
                          host_.hwnd(), reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id_)),
                          host_.instance(), create_param);
}

void NativeControl::UseDialogFont() {
  dialog_font_ = true;
  if (hwnd_ != nullptr) {
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.dialog_font()), FALSE);
  }
}

void NativeControl::OnDpiChanged() {
  // The font first: a combo box sizes its field by its font, the rest by the place given.
  if (dialog_font_) UseDialogFont();
  Move();
}

RECT NativeControl::PixelRect() const {
  const forms::Rect rect = control_.FormRect();
  const int dpi = host_.dpi();
  const int left = TwipsToPixels(rect.left, dpi);
  const int top = TwipsToPixels(rect.top, dpi);
  return {left, top, left + TwipsToPixels(rect.width, dpi), top + TwipsToPixels(rect.height, dpi)};
}

void NativeControl::Move() {
  if (hwnd_ == nullptr) return;
  RECT place = PixelRect();
  place.bottom += ExtraNativeHeight();
  SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ventrix::win32::ui
