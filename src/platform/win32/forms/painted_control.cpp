#include "platform/win32/forms/painted_control.h"

#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

void PaintedControl::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &WindowProcedure<PaintedControl>::Thunk;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.lpszClassName = kClassName;
  RegisterClassExA(&window_class);  // fails harmlessly when already registered
}

PaintedControl::PaintedControl(FormWindow& host, forms::Control& control, int id)
    : NativeControl(host, control, id) {}

PaintedControl::~PaintedControl() {
  // The base destroys the window after this part of the object is gone: no more calls in.
  if (hwnd() != nullptr) WindowProcedure<PaintedControl>::Detach(hwnd());
}

void PaintedControl::CreatePainted(const std::string& text, DWORD style) {
  CreateChild(kClassName, text, style, 0, this);
}

LRESULT PaintedControl::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;  // Paint covers the whole client area
    case WM_PAINT: {
      PaintScope paint(window);
      RECT client{};
      GetClientRect(window, &client);
      Paint(paint.dc(), client);
      return 0;
    }
    case WM_LBUTTONDOWN:
      OnMouseDown();
      return 0;
    default: {
      LRESULT result = 0;
      if (OnOtherMessage(message, wparam, lparam, result)) return result;
      return DefWindowProcA(window, message, wparam, lparam);
    }
  }
}

}  // namespace ventrix::win32::ui
