#include "tests/e2e/e2e_refusing_shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "tests/e2e/e2e_import_patch.h"

namespace ventrix::e2e {

namespace {

using ShellNotifyIconFunction = BOOL WINAPI(DWORD, PNOTIFYICONDATAA);

ShellNotifyIconFunction* real_shell_notify_icon = nullptr;
// Only the program's window thread calls it.
int refusals_left = 0;

BOOL WINAPI RefusingShellNotifyIcon(DWORD message, PNOTIFYICONDATAA data) {
  if (refusals_left > 0) {
    --refusals_left;
    return FALSE;
  }
  return real_shell_notify_icon(message, data);
}

}  // namespace

bool RefuseTrayRequests(int count) {
  refusals_left = count;
  // Patched once; later requests only set the count.
  if (real_shell_notify_icon != nullptr) return true;
  FARPROC original = nullptr;
  if (!PatchImport("shell32.dll", "Shell_NotifyIconA", AsImport(&RefusingShellNotifyIcon),
                   &original)) {
    return false;
  }
  real_shell_notify_icon =
      reinterpret_cast<ShellNotifyIconFunction*>(reinterpret_cast<void (*)()>(original));
  return true;
}

}  // namespace ventrix::e2e
