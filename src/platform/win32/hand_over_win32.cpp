#include "platform/win32/hand_over_win32.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/win32/programs_win32.h"

namespace ventrix::win32 {

namespace {

// Marks the data of a hand-over (COPYDATASTRUCT::dwData) and its answer (wParam).
constexpr ULONG_PTR kHandOverTag = 0x56583343;
// The instance posts a received command to itself, to run it off the sender's call.
constexpr UINT kRunCommandMessage = WM_APP + 1;
// The answer posted to the asking process's window: wParam the tag, lParam the exit code.
constexpr UINT kAnswerMessage = WM_APP + 2;
constexpr DWORD kPollMs = 100;
// An answer outside the exit codes a command can have is no answer.
constexpr LPARAM kHighestExitCode = kExitNoAnswer;

struct HandOverData {
  std::uint32_t command;
};

// The command carried by a WM_COPYDATA, when it is exactly one known command.
std::optional<HandedCommand> ReadCommand(const COPYDATASTRUCT* data) {
  if (data == nullptr || data->dwData != kHandOverTag || data->cbData != sizeof(HandOverData) ||
      data->lpData == nullptr) {
    return std::nullopt;
  }
  HandOverData request{};
  CopyMemory(&request, data->lpData, sizeof(request));
  if (request.command > kLastHandedCommand) return std::nullopt;
  return static_cast<HandedCommand>(request.command);
}

DWORD Remaining(DWORD start, DWORD timeout_ms) {
  const DWORD spent = GetTickCount() - start;
  return spent >= timeout_ms ? 0 : timeout_ms - spent;
}

}  // namespace

InstanceWindow::InstanceWindow(HINSTANCE instance, const InstanceIdentity& identity,
                               CommandHandler handler)
    : handler_(std::move(handler)) {
  RegisterHiddenWindowClass<InstanceWindow>(instance, kInstanceClassName);
  // Top-level and never shown: FindWindow sees it on this desktop only.
  window_.reset(CreateWindowExA(0, kInstanceClassName, identity.name.c_str(), WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance, this));
}

LRESULT InstanceWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const std::optional<HandedCommand> command =
        ReadCommand(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    const HWND asker = reinterpret_cast<HWND>(wparam);
    if (!command || asker == nullptr || !IsWindow(asker)) return FALSE;
    // The sender waits for this return: the command runs after it, from the queue.
    return PostMessageA(window, kRunCommandMessage, static_cast<WPARAM>(*command),
                        reinterpret_cast<LPARAM>(asker));
  }
  if (message == kRunCommandMessage) {
    const HWND asker = reinterpret_cast<HWND>(lparam);
    if (handler_) {
      handler_(static_cast<HandedCommand>(wparam), [asker](int exit_code) {
        PostMessageA(asker, kAnswerMessage, kHandOverTag, exit_code);
      });
    }
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

std::optional<int> HandOver(HWND instance_window, HandedCommand command, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  // Only the answer is ever sent to this window.
  const OwnedWindow answer_window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                  nullptr, GetModuleHandleA(nullptr), nullptr));
  if (!answer_window) return std::nullopt;
  HandOverData request{static_cast<std::uint32_t>(command)};
  COPYDATASTRUCT data{kHandOverTag, sizeof(request), &request};
  DWORD_PTR accepted = FALSE;
  if (!SendMessageTimeoutA(instance_window, WM_COPYDATA,
                           reinterpret_cast<WPARAM>(answer_window.get()),
                           reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                           Remaining(start, timeout_ms), &accepted) ||
      accepted == FALSE) {
    return std::nullopt;
  }
  for (DWORD left = Remaining(start, timeout_ms); left > 0; left = Remaining(start, timeout_ms)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(left, kPollMs), QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.hwnd == answer_window.get() && message.message == kAnswerMessage &&
          message.wParam == kHandOverTag) {
        if (message.lParam < kExitTaken || message.lParam > kHighestExitCode) return std::nullopt;
        return static_cast<int>(message.lParam);
      }
      DispatchMessageA(&message);
    }
    // An instance that ended (or is ending) will not answer.
    if (!IsWindow(instance_window)) return std::nullopt;
  }
  return std::nullopt;
}

KernelHandle StartInstanceProcess() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return StartProcess(path);
}

HWND WaitForInstanceWindow(const InstanceIdentity& identity, HANDLE process, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindInstanceWindow(identity.name)) return window;
    const DWORD left = Remaining(start, timeout_ms);
    if (left == 0) return nullptr;
    const DWORD wait = std::min(left, kPollMs);
    if (process != nullptr) {
      if (WaitForSingleObject(process, wait) == WAIT_OBJECT_0)
        return FindInstanceWindow(identity.name);
    } else {
      Sleep(wait);
    }
  }
}

}  // namespace ventrix::win32
