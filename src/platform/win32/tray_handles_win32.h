#pragma once
// Owning guards for the handles the tray icon keeps: each frees its handle exactly once.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace ventrix::win32 {

struct TrayIconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct TrayBitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
struct TrayMenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct TrayWindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};

using TrayIconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, TrayIconDeleter>;
using TrayBitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TrayBitmapDeleter>;
using TrayMenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, TrayMenuDeleter>;
using TrayWindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, TrayWindowDeleter>;

}  // namespace ventrix::win32
