#pragma once
// User Interface Privilege Isolation: a window of an elevated process hears only those messages
// from processes of lower integrity that it lets through one by one.

#include <windows.h>

#include <initializer_list>

namespace ventrix::win32 {

// Lets exactly these messages reach `window` from processes of lower integrity. Windows 7 and
// later only (ChangeWindowMessageFilterEx, found at run time); elsewhere there is nothing to
// let through, or no way to, and nothing happens.
void LetThroughFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages);

}  // namespace ventrix::win32
