#pragma once
// Owning guards for kernel object, window, menu, icon and GDI handles: each frees its handle
// exactly once.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace ventrix::win32 {

// A kernel object that is null when absent (mutex, token, process; a file's handle only once
// told apart from INVALID_HANDLE_VALUE).
struct KernelObjectDeleter {
  void operator()(HANDLE object) const { CloseHandle(object); }
};
struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct WindowDeleter {
  void operator()(HWND window) const {
    if (IsWindow(window)) DestroyWindow(window);
  }
};

using KernelHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, KernelObjectDeleter>;
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using PenHandle = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

}  // namespace ventrix::win32
