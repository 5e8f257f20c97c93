// First: the declaration of the function found below.
#include "platform/win32/windows7_sdk.h"
//
#include <string>
#include <string_view>

#include "platform/win32/restart_registration_win32.h"
#include "platform/win32/system_library.h"
#include "program/command_line.h"

namespace ventrix::win32 {

// https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-registerapplicationrestart
void RegisterRestartAfterUpdate() {
  // kernel32 is a static import, so it is loaded already.
  const auto register_restart = FindExportAs<decltype(&::RegisterApplicationRestart)>(
      GetModuleHandleA("kernel32.dll"), "RegisterApplicationRestart");
  if (register_restart == nullptr) return;
  // What Windows passes to the program it restarts, after the exe's path it puts first.
  const std::string_view option = kRestartedOption;
  const std::wstring command_line = L"/" + std::wstring(option.begin(), option.end());
  register_restart(command_line.c_str(), RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT);
}

}  // namespace ventrix::win32
