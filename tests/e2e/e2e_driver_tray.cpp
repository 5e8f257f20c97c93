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

// The requests (WM_APP and above) posted to a stand-in instance window.
int g_requests = 0;

LRESULT CALLBACK ElevatedInstanceProcedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  if (message >= WM_APP && message <= 0xBFFF) ++g_requests;
  return RefusingInstanceProcedure(window, message, wparam, lparam);
}

// A window of the instance's class with the given title.
HWND CreateInstanceWindow(const std::string& title, WNDPROC procedure) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = ventrix::win32::kInstanceClassName;
  RegisterClassA(&window_class);
  return CreateWindowExA(0, ventrix::win32::kInstanceClassName, title.c_str(), WS_POPUP, 0, 0, 0, 0,
                         nullptr, nullptr, window_class.hInstance, nullptr);
}

// Runs this thread's messages until `until` milliseconds after `start`.
void PumpUntil(DWORD start, DWORD until) {
  constexpr DWORD kPollMs = 100;
  while (GetTickCount() - start < until) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

// Stands in for an instance whose window refuses every command (WM_COPYDATA answered FALSE),
// for `milliseconds`.
int RunRefusingInstance(const std::string& title, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  HWND window = CreateInstanceWindow(title, RefusingInstanceProcedure);
  if (window == nullptr) return 1;
  PumpUntil(start, milliseconds);
  DestroyWindow(window);
  return 0;
}

// Stands in for an elevated instance still starting: its mutex, with a security descriptor that
// grants nobody access (an elevated process's default one admits no normal process), so that
// another process's CreateMutexA is refused; its window only after `window_after_ms`.
int RunElevatedInstance(const std::string& title, DWORD window_after_ms, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  SECURITY_DESCRIPTOR descriptor{};
  ACL no_access{};
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !InitializeAcl(&no_access, sizeof(no_access), ACL_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, &no_access, FALSE)) {
    return 1;
  }
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), &descriptor, FALSE};
  HANDLE mutex = CreateMutexA(&attributes, TRUE, ("Local\\" + title).c_str());
  if (mutex == nullptr) return 1;
  PumpUntil(start, window_after_ms);
  HWND window = CreateInstanceWindow(title, ElevatedInstanceProcedure);
  PumpUntil(start, milliseconds);
  std::cout << "REQUESTS|" << g_requests << "\n";
  if (window != nullptr) DestroyWindow(window);
  CloseHandle(mutex);
  return window != nullptr ? 0 : 1;
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
  if (verb == "elevated-instance" && args.size() >= 4) {
    return RunElevatedInstance(args[1], static_cast<DWORD>(std::stoul(args[2])),
                               static_cast<DWORD>(std::stoul(args[3])));
  }
  return std::nullopt;
}
