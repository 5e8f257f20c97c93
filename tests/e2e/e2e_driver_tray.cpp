#include "tests/e2e/e2e_driver_tray.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>

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

// Posts a notification as Windows' shell does for an icon of version 4 (the keyboard's ones
// included, which Wine's shell never sends): the point in wParam, the message and the icon's id
// in lParam.
bool Notify(UINT message, int x, int y) {
  const HWND owner = TrayOwner();
  return owner != nullptr &&
         PostMessageA(owner, ventrix::win32::kTrayCallbackMessage, MAKEWPARAM(x, y),
                      MAKELPARAM(message, ventrix::win32::kTrayIconId)) != FALSE;
}

}  // namespace

std::optional<int> RunTrayVerb(const std::vector<std::string>& args) {
  if (args.empty()) return std::nullopt;
  const std::string& verb = args[0];
  if (verb == "tray-remove") return AskShell(NIM_DELETE) ? 0 : 1;
  // A change of nothing: the shell accepts it only for an icon it holds.
  if (verb == "tray-present") return AskShell(NIM_MODIFY) ? 0 : 1;
  if (verb == "tray-notify" && args.size() >= 2) {
    const UINT message = args[1] == "keyselect"     ? NIN_KEYSELECT
                         : args[1] == "contextmenu" ? WM_CONTEXTMENU
                                                    : 0;
    const int x = args.size() >= 4 ? std::atoi(args[2].c_str()) : 0;
    const int y = args.size() >= 4 ? std::atoi(args[3].c_str()) : 0;
    return message != 0 && Notify(message, x, y) ? 0 : 2;
  }
  if (verb == "taskbar-created") {
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message != 0 && PostMessageA(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
  }
  return std::nullopt;
}
