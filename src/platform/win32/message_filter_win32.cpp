#include "platform/win32/message_filter_win32.h"

#include "platform/win32/system_library.h"

namespace ventrix::win32 {

namespace {

// MSGFLT_ALLOW in winuser.h for Windows 7.
constexpr DWORD kAllowMessage = 1;
using ChangeWindowMessageFilterExFunction = BOOL WINAPI(HWND, UINT, DWORD, void*);

}  // namespace

void LetThroughFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages) {
  if (window == nullptr) return;
  const auto change = FindExport<ChangeWindowMessageFilterExFunction>(
      GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx");
  if (change == nullptr) return;
  for (const UINT message : messages) change(window, message, kAllowMessage, nullptr);
}

}  // namespace ventrix::win32
