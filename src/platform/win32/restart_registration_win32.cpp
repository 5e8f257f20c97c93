#include "platform/win32/restart_registration_win32.h"

#include <windows.h>

#include "platform/win32/system_library.h"

namespace ventrix::win32 {

namespace {

// RESTART_NO_CRASH, RESTART_NO_HANG and RESTART_NO_REBOOT in winbase.h for Windows Vista.
constexpr DWORD kRestartNoCrash = 1;
constexpr DWORD kRestartNoHang = 2;
constexpr DWORD kRestartNoReboot = 8;
using RegisterApplicationRestartFunction = HRESULT WINAPI(const wchar_t*, DWORD);

}  // namespace

void RegisterRestartAfterUpdate() {
  const auto register_restart = FindExport<RegisterApplicationRestartFunction>(
      GetModuleHandleA("kernel32.dll"), "RegisterApplicationRestart");
  if (register_restart == nullptr) return;
  // The restarted program runs as a start without arguments does.
  register_restart(L"", kRestartNoCrash | kRestartNoHang | kRestartNoReboot);
}

}  // namespace ventrix::win32
