// First: the declarations of the two functions found below.
#include "platform/win32/windows7_sdk.h"
//
#include "platform/win32/message_filter_win32.h"
#include "platform/win32/system_library.h"

namespace ventrix::win32 {

static_assert(kAllowForWindow == MSGFLT_ALLOW && kAddForProcess == MSGFLT_ADD);

// https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-changewindowmessagefilterex
void LetThroughFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages) {
  // user32 is a static import, so it is loaded already.
  const HMODULE user = GetModuleHandleA("user32.dll");
  LetThrough(
      FindExportAs<decltype(&::ChangeWindowMessageFilterEx)>(user, "ChangeWindowMessageFilterEx"),
      FindExportAs<decltype(&::ChangeWindowMessageFilter)>(user, "ChangeWindowMessageFilter"),
      window, messages);
}

}  // namespace ventrix::win32
