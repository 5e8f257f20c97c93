#include "tests/e2e/e2e_driver_tray.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <iostream>
#include <vector>

#include "platform/win32/single_instance_win32.h"
#include "platform/win32/tray_icon_win32.h"
#include "platform/win32/tray_notify_data_win32.h"

namespace {

// The program's hidden tray owner window (only ventrix.exe registers its class).
HWND TrayOwner() {
  return FindWindowExA(nullptr, nullptr, ventrix::win32::kTrayOwnerClassName, nullptr);
}

// A request about the program's icon naming only its owner and id.
bool AskShell(DWORD message, HWND owner = TrayOwner()) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner;
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

constexpr UINT kSessionMessageTimeoutMs = 5000;
// ENDSESSION_CLOSEAPP in winuser.h for Windows Vista.
constexpr LPARAM kEndSessionCloseApp = 0x00000001;

struct ProgramWindows {
  DWORD process;
  std::vector<HWND> windows;
};

BOOL CALLBACK AddProgramWindow(HWND window, LPARAM context) {
  auto* found = reinterpret_cast<ProgramWindows*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == found->process) found->windows.push_back(window);
  return TRUE;
}

// Sends every top-level window of the program what the system sends at a session end:
// WM_QUERYENDSESSION, then WM_ENDSESSION with `ends`. As Restart Manager does when `close_app`.
// Prints each window's answer to the query; 0 when all agreed and, for a session that ends, the
// icon was gone as the last WM_ENDSESSION returned (the system may end the process then).
int EndSession(bool ends, bool close_app) {
  const HWND owner = TrayOwner();
  ProgramWindows found{0, {}};
  GetWindowThreadProcessId(owner, &found.process);
  if (found.process == 0) return 1;
  EnumWindows(AddProgramWindow, reinterpret_cast<LPARAM>(&found));
  const LPARAM reason = close_app ? kEndSessionCloseApp : 0;
  bool all_agreed = true;
  for (HWND window : found.windows) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, reason, SMTO_ABORTIFHUNG,
                        kSessionMessageTimeoutMs, &answer);
    std::cout << "QUERYENDSESSION|" << answer << "\n";
    all_agreed = all_agreed && answer != FALSE;
  }
  for (HWND window : found.windows) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_ENDSESSION, ends ? TRUE : FALSE, reason, SMTO_ABORTIFHUNG,
                        kSessionMessageTimeoutMs, &ignored);
  }
  const bool icon_left = ends && AskShell(NIM_MODIFY, owner);
  if (icon_left) std::cout << "ICON LEFT\n";
  return all_agreed && !icon_left ? 0 : 1;
}

LRESULT CALLBACK RefusingInstanceProcedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message == WM_COPYDATA) return FALSE;
  return DefWindowProcA(window, message, wparam, lparam);
}

// Stands in for an instance whose window refuses every command (WM_COPYDATA answered FALSE),
// for `milliseconds`: a window of the instance's class with the given title.
int RunRefusingInstance(const std::string& title, DWORD milliseconds) {
  constexpr DWORD kPollMs = 100;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = RefusingInstanceProcedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = ventrix::win32::kInstanceClassName;
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, ventrix::win32::kInstanceClassName, title.c_str(), WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, window_class.hInstance, nullptr);
  if (window == nullptr) return 1;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  DestroyWindow(window);
  return 0;
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
  // A shut-down that another program cancels; one that Restart Manager closes the program for.
  if (verb == "session-end-cancelled") return EndSession(false, false);
  if (verb == "session-end-close-app") return EndSession(true, true);
  if (verb == "refusing-instance" && args.size() >= 3) {
    return RunRefusingInstance(args[1], static_cast<DWORD>(std::stoul(args[2])));
  }
  return std::nullopt;
}
