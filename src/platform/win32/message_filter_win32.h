#pragma once
// User Interface Privilege Isolation: a window of an elevated process hears only those messages
// from processes of lower integrity that it lets through one by one.

#include <windows.h>

#include <initializer_list>

namespace ventrix::win32 {

// MSGFLT_ALLOW (ChangeWindowMessageFilterEx) and MSGFLT_ADD (ChangeWindowMessageFilter).
inline constexpr DWORD kAllowForWindow = 1;
inline constexpr DWORD kAddForProcess = 1;

// Lets exactly these messages reach `window` from processes of lower integrity: for `window`
// alone through Windows 7's ChangeWindowMessageFilterEx, or, where only Vista's
// ChangeWindowMessageFilter exists, for the whole process. Both are found at run time; before
// Vista there is nothing to let through and nothing happens.
void LetThroughFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages);

// The same with the two functions as found (either may be null): `for_window` when there is
// one, else `for_process`.
template <class ForWindow, class ForProcess>
void LetThrough(ForWindow for_window, ForProcess for_process, HWND window,
                std::initializer_list<UINT> messages) {
  if (window == nullptr) return;
  for (const UINT message : messages) {
    if (for_window != nullptr) {
      for_window(window, message, kAllowForWindow, nullptr);
    } else if (for_process != nullptr) {
      for_process(message, kAddForProcess);
    }
  }
}

}  // namespace ventrix::win32
