#include "platform/win32/hand_over_win32.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/message_filter_win32.h"
#include "platform/win32/programs_win32.h"

namespace ventrix::win32 {

namespace {

// The instance posts a received command to itself, to run it off the sender's call.
constexpr UINT kRunCommandMessage = WM_APP + 1;
// The answer posted to the asking process's window: wParam the tag, lParam the exit code.
constexpr UINT kAnswerMessage = WM_APP + 2;
// "Show", posted by a second start to the instance's window: wParam the tag.
constexpr UINT kShowMessage = WM_APP + 3;
// Sent by the instance to the asking process's window when the command's turn has come.
constexpr UINT kStillWantedMessage = WM_APP + 4;
// How long the instance waits for the asking process to confirm; that process pumps its
// messages at least every kPollMs while it waits.
constexpr UINT kStillWantedTimeoutMs = 2000;
constexpr DWORD kPollMs = 100;
constexpr const char* kAskerClassName = "Ventrix3Asker";
// In the environment of an instance started for a command.
constexpr const wchar_t* kStartedForCommandVariable = L"VENTRIX3_STARTED_FOR_COMMAND";
// Room for the exe's full path, long-path prefix included.
constexpr DWORD kMaxExePath = 32768;

struct HandOverData {
  std::uint32_t command;
};
// A command for one drive, sent only when a drive was given: its letter, 'A' to 'Z'.
struct HandOverDriveData {
  std::uint32_t command;
  std::uint32_t drive_letter;
};
// Without a drive: the selected drive.
constexpr std::uint32_t kSelectedDrive = 0;
// The received command runs posted as command | drive letter << kLetterShift (wParam).
constexpr unsigned kLetterShift = 8;
constexpr WPARAM kCommandMask = (WPARAM{1} << kLetterShift) - 1;

struct HandedRequest {
  HandedCommand command;
  std::uint32_t drive_letter;
};

// A known command and a drive letter that is none or 'A' to 'Z'; nothing for anything else.
std::optional<HandedRequest> CheckedRequest(WPARAM command, WPARAM drive_letter) {
  if (command > kLastHandedCommand) return std::nullopt;
  if (drive_letter != kSelectedDrive && (drive_letter < 'A' || drive_letter > 'Z')) {
    return std::nullopt;
  }
  return HandedRequest{static_cast<HandedCommand>(command),
                       static_cast<std::uint32_t>(drive_letter)};
}

// The command carried by a WM_COPYDATA, when it is exactly one known command, with or without
// one drive letter.
std::optional<HandedRequest> ReadCommand(const COPYDATASTRUCT* data) {
  if (data == nullptr || data->dwData != kHandOverTag || data->lpData == nullptr) {
    return std::nullopt;
  }
  HandOverDriveData request{0, kSelectedDrive};
  if (data->cbData == sizeof(HandOverData)) {
    CopyMemory(&request, data->lpData, sizeof(HandOverData));
  } else if (data->cbData == sizeof(HandOverDriveData)) {
    CopyMemory(&request, data->lpData, sizeof(HandOverDriveData));
    if (request.drive_letter == kSelectedDrive) return std::nullopt;
  } else {
    return std::nullopt;
  }
  return CheckedRequest(request.command, request.drive_letter);
}

// The drive as the program names it ("E:"), or empty text for the selected drive.
std::string DriveName(std::uint32_t drive_letter) {
  if (drive_letter == kSelectedDrive) return {};
  return {static_cast<char>(drive_letter), ':'};
}

DWORD Remaining(DWORD start, DWORD timeout_ms) {
  const DWORD spent = GetTickCount() - start;
  return spent >= timeout_ms ? 0 : timeout_ms - spent;
}

// Asks the process that handed a command over whether it still waits for it.
bool AskerStillWaits(HWND asker) {
  DWORD_PTR reply = 0;
  return SendMessageTimeoutA(asker, kStillWantedMessage, kHandOverTag, 0, SMTO_ABORTIFHUNG,
                             kStillWantedTimeoutMs, &reply) != 0 &&
         reply == kHandOverTag;
}

// The asking process's window: confirms that it waits until it gives up, then takes the answer.
// Once it is destroyed (the asker gave up) the instance's question fails and the command is
// withdrawn.
class AskerWindow {
 public:
  explicit AskerWindow(HINSTANCE instance) {
    RegisterHiddenWindowClass<AskerWindow>(instance, kAskerClassName);
    window_.reset(CreateWindowExA(0, kAskerClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, this));
    // An instance running without elevation asks and answers an elevated asker.
    LetThroughFromLowerIntegrity(window_.get(), {kStillWantedMessage, kAnswerMessage});
  }
  AskerWindow(const AskerWindow&) = delete;
  AskerWindow& operator=(const AskerWindow&) = delete;

  HWND hwnd() const { return window_.get(); }
  bool taken_up() const { return taken_up_; }
  // From now on the command is withdrawn: a question that still reaches this window is denied.
  void GiveUp() { given_up_ = true; }
  const std::optional<int>& answer() const { return answer_; }

 private:
  friend class WindowProcedure<AskerWindow>;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kStillWantedMessage && wparam == kHandOverTag) {
      if (given_up_) return 0;
      taken_up_ = true;
      return static_cast<LRESULT>(kHandOverTag);
    }
    // The instance answers only how an operation went.
    if (message == kAnswerMessage && wparam == kHandOverTag && lparam >= kExitTaken &&
        lparam <= kExitRefused) {
      answer_ = static_cast<int>(lparam);
      return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }

  bool taken_up_ = false;
  bool given_up_ = false;
  std::optional<int> answer_;
  OwnedWindow window_;
};

void PumpMessages(DWORD wait_ms) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, wait_ms, QS_ALLINPUT);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

HandOverResult Outcome(HandOverOutcome outcome) {
  return {outcome, outcome == HandOverOutcome::kNoAnswer ? kExitNoAnswer : kExitUnreachable};
}

}  // namespace

InstanceWindow::InstanceWindow(HINSTANCE instance, const InstanceIdentity& identity,
                               CommandHandler handler)
    : handler_(std::move(handler)) {
  RegisterHiddenWindowClass<InstanceWindow>(instance, kInstanceClassName);
  // Top-level and never shown: FindWindow sees it on this desktop only.
  window_.reset(CreateWindowExA(0, kInstanceClassName, identity.name.c_str(), WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance, this));
  // An elevated instance still hears a second start and the commands of a normal one.
  LetThroughFromLowerIntegrity(window_.get(), {WM_COPYDATA, kShowMessage});
}

LRESULT InstanceWindow::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    const std::optional<HandedRequest> request =
        ReadCommand(reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    const HWND asker = reinterpret_cast<HWND>(wparam);
    if (!request || request->command == HandedCommand::kShowMain || asker == nullptr ||
        !IsWindow(asker))
      return FALSE;
    // The sender waits for this return: the command runs after it, from the queue.
    const WPARAM posted = static_cast<WPARAM>(request->command) |
                          static_cast<WPARAM>(request->drive_letter) << kLetterShift;
    return PostMessageA(window, kRunCommandMessage, posted, reinterpret_cast<LPARAM>(asker));
  }
  if (!handler_) return DefWindowProcA(window, message, wparam, lparam);
  if (message == kShowMessage && wparam == kHandOverTag) {
    handler_(HandedCommand::kShowMain, {}, nullptr, nullptr);
    return 0;
  }
  if (message == kRunCommandMessage) {
    // Anyone may post this message: what it carries is checked again.
    const std::optional<HandedRequest> request =
        CheckedRequest(wparam & kCommandMask, wparam >> kLetterShift);
    if (!request) return 0;
    const HWND asker = reinterpret_cast<HWND>(lparam);
    handler_(
        request->command, DriveName(request->drive_letter),
        [asker] { return AskerStillWaits(asker); },
        [asker](int exit_code) { PostMessageA(asker, kAnswerMessage, kHandOverTag, exit_code); });
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

HandOverOutcome HandOverShow(HWND instance_window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(instance_window, &process_id);
  // This start came from the user, so this process may pass the foreground on.
  AllowSetForegroundWindow(process_id);
  return PostMessageA(instance_window, kShowMessage, kHandOverTag, 0)
             ? HandOverOutcome::kAnswered
             : HandOverOutcome::kUnreachable;
}

HandOverResult HandOverCommand(HWND instance_window, HandedCommand command,
                               const std::string& drive, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  AskerWindow asker(GetModuleHandleA(nullptr));
  if (asker.hwnd() == nullptr) return Outcome(HandOverOutcome::kUnreachable);
  // A command without a drive goes in the form an instance without drives understands too.
  HandOverDriveData request{static_cast<std::uint32_t>(command),
                            drive.empty() ? kSelectedDrive : static_cast<unsigned char>(drive[0])};
  COPYDATASTRUCT data{
      kHandOverTag, drive.empty() ? DWORD{sizeof(HandOverData)} : DWORD{sizeof(request)}, &request};
  DWORD_PTR accepted = FALSE;
  SetLastError(ERROR_SUCCESS);
  if (!SendMessageTimeoutA(instance_window, WM_COPYDATA, reinterpret_cast<WPARAM>(asker.hwnd()),
                           reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                           Remaining(start, timeout_ms), &accepted)) {
    // A hung instance, or one busy past the time, may take the data later: it then finds the
    // asker's window gone and withdraws the command.
    return Outcome(GetLastError() == ERROR_TIMEOUT ? HandOverOutcome::kNoAnswer
                                                   : HandOverOutcome::kUnreachable);
  }
  if (accepted == FALSE) return Outcome(HandOverOutcome::kUnreachable);
  for (;;) {
    if (asker.answer()) return {HandOverOutcome::kAnswered, *asker.answer()};
    // An instance that ended (or is ending) will not answer.
    if (!IsWindow(instance_window)) return Outcome(HandOverOutcome::kUnreachable);
    // Taken up, the command runs to its end; until then it is withdrawn when time runs out
    // (this window goes with the return, so the instance's question then fails).
    const DWORD left = asker.taken_up() ? kPollMs : Remaining(start, timeout_ms);
    if (left == 0) {
      asker.GiveUp();
      return Outcome(HandOverOutcome::kNoAnswer);
    }
    PumpMessages(std::min(left, kPollMs));
  }
}

namespace {

// The folder of the exe at `path`, its final backslash kept (so a drive's root stays one).
std::wstring FolderOf(std::wstring_view path) {
  const std::size_t end = path.find_last_of(L'\\');
  return end == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, end + 1));
}

}  // namespace

KernelHandle StartInstanceProcess() {
  std::vector<wchar_t> path(kMaxExePath);
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), kMaxExePath);
  if (length == 0 || length >= kMaxExePath) return nullptr;
  // Inherited by the new process only: this one ends once the command is answered.
  SetEnvironmentVariableW(kStartedForCommandVariable, L"1");
  // It runs on for long, so it must not keep the caller's folder in use (a script's folder, a
  // USB stick that could then not be removed safely).
  const std::wstring folder = FolderOf(std::wstring_view(path.data(), length));
  return StartProcess(path.data(), std::nullopt, folder.empty() ? nullptr : folder.c_str());
}

bool TakeStartedForCommandMark() {
  const bool marked = GetEnvironmentVariableW(kStartedForCommandVariable, nullptr, 0) != 0;
  if (marked) SetEnvironmentVariableW(kStartedForCommandVariable, nullptr);
  return marked;
}

}  // namespace ventrix::win32
