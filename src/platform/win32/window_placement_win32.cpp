#include "platform/win32/window_placement_win32.h"

#include <windows.h>

namespace ventrix::win32 {

// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setwindowpos
bool Win32WindowPlacement::SetWindowPos(WindowHandle window, std::intptr_t insert_after, int x,
                                        int y, int cx, int cy, std::uint32_t flags) {
  return ::SetWindowPos(reinterpret_cast<HWND>(window), reinterpret_cast<HWND>(insert_after), x, y,
                        cx, cy, flags) != FALSE;
}

}  // namespace ventrix::win32
