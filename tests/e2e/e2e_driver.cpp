// The end-to-end driver: run beside ventrix.exe in the same Wine desktop, it finds the program's
// windows, reads their texts and state, and acts on them as a user would.
//
//   e2e_driver windows                      every window of ventrix.exe with its children
//   e2e_driver wait WINDOW MS               wait until WINDOW is visible
//   e2e_driver wait-hidden WINDOW MS        wait until WINDOW is hidden or gone
//   e2e_driver wait-text WINDOW TEXT MS     wait until a child of WINDOW shows TEXT
//   e2e_driver menu WINDOW                  the window's menu bar, read inside the program
//   e2e_driver pick WINDOW CAPTION          pick a menu item by its caption
//   e2e_driver cycle WINDOW FIRST SECOND N  pick two menu items in turn, N times, inside the
//                                           program; prints its child texts afterwards
//   e2e_driver counts WINDOW                the program's handle, GDI and USER object counts
//   e2e_driver refuse-machine-writes WINDOW the program's registry opens under
//                                           HKEY_LOCAL_MACHINE with write access are refused
//   e2e_driver click WINDOW TEXT            click the button or check box captioned TEXT
//   e2e_driver select WINDOW TEXT           pick the entry TEXT of the window's drop-down list
//   e2e_driver dblclick WINDOW TEXT         double click the child showing TEXT
//   e2e_driver frame-click WINDOW           click the free surface of the window's frame
//   e2e_driver key WINDOW CHAR              type a character into WINDOW
//   e2e_driver escape WINDOW                press Esc in WINDOW
//   e2e_driver open-menu WINDOW CHAR        open the menu with that access key
//   e2e_driver close WINDOW                 the close box
//
//   e2e_driver drive-counts WINDOW          the program's device requests reach the counting
//                                           drive (e2e_accepting_drive.h)
//   e2e_driver device-event WINDOW NAME     the program's registered window gets its drive's
//                                           event NAME (e2e_drive_events.h)
//
// and the verbs of e2e_driver_tray.h, which stand in for the shell, and of e2e_driver_drives.h,
// which stand in for the system when drives and discs come and go.
//
// WINDOW is a caption, or "@TEXT" for the window with a child showing TEXT. Exit code 0 on
// success, 1 when the condition was not met, 2 on a usage error.

#include <windows.h>
// tlhelp32.h needs the types of windows.h first.
#include <tlhelp32.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/e2e_driver_drives.h"
#include "tests/e2e/e2e_driver_tray.h"
#include "tests/e2e/e2e_protocol.h"

namespace {

constexpr int kTextLength = 512;
constexpr auto kPollInterval = std::chrono::milliseconds(100);
constexpr int kHookReplyTimeoutMs = 5000;
// Time allowed per cycle on top of the reply timeout: far more than an eject and a close take.
constexpr int kCycleAllowanceMs = 250;
constexpr int kFramePoint = 4;

std::set<DWORD> VentrixProcesses() {
  std::set<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "ventrix.exe") == 0) ids.insert(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
}

std::string Text(HWND window) {
  char text[kTextLength] = {};
  SendMessageTimeoutA(window, WM_GETTEXT, kTextLength, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  return text;
}

std::string ClassOf(HWND window) {
  char name[kTextLength] = {};
  GetClassNameA(window, name, kTextLength);
  return name;
}

struct WindowSearch {
  std::set<DWORD> processes;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectProgramWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (search->processes.count(process)) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  return TRUE;
}

std::vector<HWND> ProgramWindows() {
  WindowSearch search{VentrixProcesses(), {}};
  EnumWindows(CollectProgramWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  for (HWND child : Children(parent))
    if (Text(child) == text) return child;
  return nullptr;
}

// The program's window matching WINDOW; visible ones first.
HWND Find(const std::string& selector) {
  HWND hidden_match = nullptr;
  for (HWND window : ProgramWindows()) {
    const bool match = selector.rfind('@', 0) == 0
                           ? ChildWithText(window, selector.substr(1)) != nullptr
                           : Text(window) == selector;
    if (!match) continue;
    if (IsWindowVisible(window)) return window;
    if (!hidden_match) hidden_match = window;
  }
  return hidden_match;
}

template <class Condition>
bool WaitFor(int timeout_ms, Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

int ListWindows() {
  for (HWND window : ProgramWindows()) {
    const LONG ex_style = GetWindowLongA(window, GWL_EXSTYLE);
    std::cout << "WINDOW|" << ClassOf(window) << "|" << Text(window) << "|"
              << (IsWindowVisible(window) ? "visible" : "hidden") << "|"
              << ((ex_style & WS_EX_TOPMOST) ? "topmost" : "normal") << "\n";
    for (HWND child : Children(window)) {
      std::cout << "CHILD|" << ClassOf(child) << "|" << Text(child) << "|"
                << (IsWindowVisible(child) ? "visible" : "hidden") << "|"
                << (SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "-")
                << "\n";
    }
  }
  return 0;
}

// Loads the hook into the program's thread and asks it for one thing. The request is named
// after this driver run, so the hook can tell a new request from the repeated nudges.
int AskHook(HWND window, unsigned request, const std::string& argument,
            int timeout_ms = kHookReplyTimeoutMs) {
  {
    std::ofstream out(ventrix::e2e::kRequestFile, std::ios::trunc);
    out << GetCurrentProcessId() << "-" << GetTickCount() << "\n" << argument << "\n";
  }
  DeleteFileA(ventrix::e2e::kReplyFile);
  HMODULE hook_module = LoadLibraryA("e2e_hook.dll");
  if (!hook_module) return 2;
  auto* procedure = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(hook_module, "VentrixGetMessageHook")));
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK hook =
      procedure ? SetWindowsHookExA(WH_GETMESSAGE, procedure, hook_module, thread) : nullptr;
  if (!hook) return 2;
  const UINT message = RegisterWindowMessageA(ventrix::e2e::kRequestMessage);
  bool answered = false;
  // The hook DLL is mapped on the program's next message; keep nudging until it answers.
  answered = WaitFor(timeout_ms, [&] {
    PostMessageA(window, message, request, 0);
    std::this_thread::sleep_for(kPollInterval);
    return GetFileAttributesA(ventrix::e2e::kReplyFile) != INVALID_FILE_ATTRIBUTES;
  });
  UnhookWindowsHookEx(hook);
  if (!answered) return 1;
  std::ifstream in(ventrix::e2e::kReplyFile);
  std::stringstream reply;
  reply << in.rdbuf();
  std::cout << reply.str();
  const std::string text = reply.str();
  return text.rfind("missing", 0) == 0 || text.rfind("bad-count", 0) == 0 ? 1 : 0;
}

void PostClick(HWND target, int x, int y, bool double_click) {
  const LPARAM point = MAKELPARAM(x, y);
  PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(target, WM_LBUTTONUP, 0, point);
  if (double_click) {
    PostMessageA(target, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(target, WM_LBUTTONUP, 0, point);
  }
}

// Picks an entry of the window's drop-down list as a user does: the selection, then the
// notification the list sends its window.
int SelectListEntry(HWND window, const std::string& text) {
  for (HWND child : Children(window)) {
    if (lstrcmpiA(ClassOf(child).c_str(), "ComboBox") != 0) continue;
    const LRESULT index = SendMessageA(child, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) return 1;
    SendMessageA(child, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(child), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(child));
    return 0;
  }
  return 1;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return 2;
  if (const std::optional<int> tray = RunTrayVerb(args)) return *tray;
  if (const std::optional<int> drive = RunDriveVerb(args)) return *drive;
  const std::string& command = args[0];
  if (command == "windows") return ListWindows();
  if (args.size() < 2) return 2;
  const std::string& selector = args[1];
  auto number = [&](std::size_t index) { return index < args.size() ? std::stoi(args[index]) : 0; };

  if (command == "wait") {
    return WaitFor(number(2),
                   [&] {
                     HWND window = Find(selector);
                     return window && IsWindowVisible(window);
                   })
               ? 0
               : 1;
  }
  if (command == "wait-hidden") {
    return WaitFor(number(2),
                   [&] {
                     HWND window = Find(selector);
                     return !window || !IsWindowVisible(window);
                   })
               ? 0
               : 1;
  }
  if (command == "wait-text" && args.size() >= 4) {
    // A watcher started in the background says when it is polling, so that the action it
    // watches for is not taken before it looks (E2E_READY names the file it creates).
    if (const char* ready = std::getenv("E2E_READY")) std::ofstream{ready} << "polling\n";
    return WaitFor(number(3),
                   [&] {
                     HWND window = Find(selector);
                     return window && ChildWithText(window, args[2]) != nullptr;
                   })
               ? 0
               : 1;
  }

  HWND window = Find(selector);
  if (!window) {
    std::cerr << "no window " << selector << "\n";
    return 1;
  }
  if (command == "menu") return AskHook(window, ventrix::e2e::kDumpMenu, "");
  if (command == "pick" && args.size() >= 3)
    return AskHook(window, ventrix::e2e::kPickMenu, args[2]);
  if (command == "cycle" && args.size() >= 5) {
    const int count = number(4);
    if (count < 0 || count > ventrix::e2e::kMaxCycles) return 2;
    return AskHook(window, ventrix::e2e::kCycleMenu, args[4] + "\n" + args[2] + "\n" + args[3],
                   kHookReplyTimeoutMs + count * kCycleAllowanceMs);
  }
  if (command == "counts") return AskHook(window, ventrix::e2e::kCountObjects, "");
  if (command == "drive-accepts") return AskHook(window, ventrix::e2e::kAcceptDeviceRequests, "");
  if (command == "refuse-machine-writes") {
    return AskHook(window, ventrix::e2e::kRefuseMachineWrites, "");
  }
  if (command == "refuse-tray" && args.size() >= 3)
    return AskHook(window, ventrix::e2e::kRefuseTrayRequests, args[2]);
  if (command == "drive-counts") return AskHook(window, ventrix::e2e::kCountDeviceRequests, "");
  if (command == "device-event" && args.size() >= 3) {
    return AskHook(window, ventrix::e2e::kRaiseDeviceEvent, args[2]);
  }
  if (command == "close") return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "open-menu" && args.size() >= 3 && !args[2].empty()) {
    SetForegroundWindow(window);
    return PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<unsigned char>(args[2][0]))
               ? 0
               : 1;
  }
  if (command == "key" && args.size() >= 3 && !args[2].empty()) {
    return PostMessageA(window, WM_CHAR, static_cast<unsigned char>(args[2][0]), 1) ? 0 : 1;
  }
  if (command == "escape") return PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1) ? 0 : 1;
  if (command == "frame-click") {
    for (HWND child : Children(window)) {
      if (GetParent(child) != window || Text(child) != "") continue;
      PostClick(child, kFramePoint, kFramePoint, false);
      return 0;
    }
    return 1;
  }
  if (command == "select" && args.size() >= 3) return SelectListEntry(window, args[2]);
  if ((command == "click" || command == "dblclick") && args.size() >= 3) {
    HWND child = ChildWithText(window, args[2]);
    if (!child) return 1;
    if (command == "click") return PostMessageA(child, BM_CLICK, 0, 0) ? 0 : 1;
    RECT area{};
    GetClientRect(child, &area);
    PostClick(child, area.right / 2, area.bottom / 2, true);
    return 0;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return Run(args);
  } catch (const std::exception& failure) {
    std::cerr << failure.what() << "\n";
    return 2;
  }
}
