#include "tests/e2e/e2e_driver_tray.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/win32/tray_icon_win32.h"
#include "platform/win32/tray_notify_data_win32.h"

namespace {

// The program's hidden tray owner window (only ventrix.exe registers its class).
HWND TrayOwner() {
  return FindWindowExA(nullptr, nullptr, ventrix::win32::kTrayOwnerClassName, nullptr);
}

// A request about the program's icon naming only its owner and id.
bool AskShell(DWORD message) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof(data);
  data.hWnd = TrayOwner();
  data.uID = ventrix::win32::kTrayIconId;
  return data.hWnd != nullptr && Shell_NotifyIconA(message, &data) != FALSE;
}

}  // namespace

std::optional<int> RunTrayVerb(const std::vector<std::string>& args) {
  if (args.empty()) return std::nullopt;
  const std::string& verb = args[0];
  if (verb == "tray-remove") return AskShell(NIM_DELETE) ? 0 : 1;
  // A change of nothing: the shell accepts it only for an icon it holds.
  if (verb == "tray-present") return AskShell(NIM_MODIFY) ? 0 : 1;
  if (verb == "taskbar-created") {
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message != 0 && PostMessageA(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
  }
  return std::nullopt;
}
