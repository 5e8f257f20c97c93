#pragma once
// A control drawn by the program in a child window of its own class (frames and pictures).

#include <windows.h>

#include <string>

#include "platform/win32/forms/native_control.h"
#include "platform/win32/window_procedure.h"

namespace ventrix::win32::ui {

class PaintedControl : public NativeControl {
 public:
  static constexpr char kClassName[] = "VentrixPainted";
  static void RegisterWindowClass(HINSTANCE instance);

  ~PaintedControl() override;

 protected:
  PaintedControl(FormWindow& host, forms::Control& control, int id);
  // Creates the window with `text` as its window text (what a screen reader names it by);
  // call from the derived constructor.
  void CreatePainted(const std::string& text = {}, DWORD style = 0);
  // Paints the whole client area (the background is not erased beforehand).
  virtual void Paint(HDC dc, const RECT& client) = 0;
  // A left click on the control; may raise an event, after which this object may be gone.
  virtual void OnMouseDown() {}
  // Any other message: true when the control answered it with `result`.
  virtual bool OnOtherMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    (void)message;
    (void)wparam;
    (void)lparam;
    (void)result;
    return false;
  }

 private:
  friend class WindowProcedure<PaintedControl>;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

}  // namespace ventrix::win32::ui
