#pragma once
// The one window procedure of every window kind. The C++ object behind a window comes in as the
// lpCreateParams of its CreateWindowEx, is kept in GWLP_USERDATA from WM_NCCREATE until
// WM_NCDESTROY and gets every message in between; no exception unwinds into the system.
// https://learn.microsoft.com/windows/win32/winmsg/using-window-procedures

#include <windows.h>

namespace ventrix::win32 {

// What the procedure answers for a message whose handler threw.
enum class AnswerAfterThrow { kZero, kDefault };

// T befriends WindowProcedure<T> and has a private
//   LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM)  (or the same without the HWND)
// and may have
//   void OnWindowAttached(HWND)  at WM_NCCREATE, before any message reaches HandleMessage;
//   void OnWindowDetached()      at WM_NCDESTROY, after the last one did;
//   static constexpr AnswerAfterThrow kAnswerAfterThrow  (kZero when not given).
// WM_NCDESTROY itself goes to DefWindowProcA, as does every message while no object is attached.
template <class T>
class WindowProcedure {
 public:
  static LRESULT CALLBACK Thunk(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
      if (message == WM_NCCREATE) Attach(window, lparam);
      T* self = ObjectOf(window);
      if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
      if (message == WM_NCDESTROY) {
        Detach(window);
        if constexpr (requires { self->OnWindowDetached(); }) self->OnWindowDetached();
        return DefWindowProcA(window, message, wparam, lparam);
      }
      if constexpr (requires { self->HandleMessage(window, message, wparam, lparam); }) {
        return self->HandleMessage(window, message, wparam, lparam);
      } else {
        return self->HandleMessage(message, wparam, lparam);
      }
    } catch (...) {
      // The handler has reported what it could; the system only gets an answer.
      if constexpr (AfterThrow() == AnswerAfterThrow::kDefault) {
        return DefWindowProcA(window, message, wparam, lparam);
      } else {
        return 0;
      }
    }
  }

  // The object behind a window of this kind, or nullptr outside WM_NCCREATE..WM_NCDESTROY.
  static T* ObjectOf(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }

  // From now on the window's messages go to DefWindowProcA only: for an object that goes before
  // its window does.
  static void Detach(HWND window) { SetWindowLongPtrA(window, GWLP_USERDATA, 0); }

 private:
  static void Attach(HWND window, LPARAM lparam) {
    auto* self = static_cast<T*>(reinterpret_cast<const CREATESTRUCTA*>(lparam)->lpCreateParams);
    if (self == nullptr) return;
    if constexpr (requires { self->OnWindowAttached(window); }) self->OnWindowAttached(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }

  static constexpr AnswerAfterThrow AfterThrow() {
    if constexpr (requires { T::kAnswerAfterThrow; }) {
      return T::kAnswerAfterThrow;
    } else {
      return AnswerAfterThrow::kZero;
    }
  }
};

// Registers the class of a window kind that is never shown (no cursor, no background) and whose
// messages go to T. A second registration fails harmlessly: the class is the same.
template <class T>
void RegisterHiddenWindowClass(HINSTANCE instance, const char* class_name, UINT style = 0) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = style;
  window_class.lpfnWndProc = &WindowProcedure<T>::Thunk;
  window_class.hInstance = instance;
  window_class.lpszClassName = class_name;
  RegisterClassExA(&window_class);
}

}  // namespace ventrix::win32
