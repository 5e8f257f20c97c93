#pragma once
// The window classes of the form windows: a plain one, and one per icon that carries the icon
// itself. A window of an icon class shows its icon from its creation; telling a window its
// icon instead (WM_SETICON) costs the window manager a conversion of both icon sizes for each
// window, which a program that creates several windows at start-up pays for every one.

#include <windows.h>

#include <string>

namespace ventrix::win32::ui {

inline constexpr char kFormClassName[] = "VentrixForm";

// Registers the plain class once per module (a second call is harmless).
void RegisterFormClass(HINSTANCE instance, WNDPROC procedure);

// The class for a form designed with the icon resource `icon_id`, registered on first use; the
// plain class when icon_id is 0, not a resource number or no icon of the module.
std::string FormClassFor(HINSTANCE instance, WNDPROC procedure, int icon_id);

// True for a window of any form class.
bool IsFormClass(HWND window);

}  // namespace ventrix::win32::ui
