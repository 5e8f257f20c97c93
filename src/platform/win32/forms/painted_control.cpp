#include "platform/win32/forms/painted_control.h"

#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

void PaintedControl::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &PaintedControl::WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  RegisterClassExA(&window_class);  // fails harmlessly when already registered
}

PaintedControl::PaintedControl(FormWindow& host, forms::Control& control, int id)
    : NativeControl(host, control, id) {}

PaintedControl::~PaintedControl() {
  // The base destroys the window after this part of the object is gone: no more calls in.
  if (hwnd() != nullptr) SetWindowLongPtrA(hwnd(), GWLP_USERDATA, 0);
}

void PaintedControl::CreatePainted() { CreateChild(kClassName, "", 0, 0, this); }

LRESULT CALLBACK PaintedControl::WindowProc(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  try {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PaintedControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
      case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
      case WM_ERASEBKGND:
        return TRUE;  // Paint covers the whole client area
      case WM_PAINT: {
        PaintScope paint(window);
        RECT client{};
        GetClientRect(window, &client);
        self->Paint(paint.dc(), client);
        return 0;
      }
      case WM_LBUTTONDOWN:
        self->OnMouseDown();
        return 0;
      default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  } catch (...) {
    // Nothing may unwind into the system.
    return 0;
  }
}

}  // namespace ventrix::win32::ui
