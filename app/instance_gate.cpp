#include "instance_gate.h"

// The Win32 device header first: it takes back <windows.h>'s CreateFile and GetDriveType macros
// before the drive code declares members of those names.
// clang-format off
#include "platform/win32/device_control_win32.h"
#include "drive/device_io.h"
// clang-format on
#include "platform/win32/hand_over_win32.h"
#include "program/command_line.h"
#include "program/instance_wait.h"
#include "program/product.h"

namespace ventrix::app {

namespace {

// How long the running instance has to take up a command.
constexpr DWORD kAnswerMs = 10000;

void ShowUsage() { MessageBoxA(nullptr, kUsageText, kProgramTitle, MB_OK | MB_ICONINFORMATION); }

GateOutcome FromHandOver(win32::HandOverOutcome outcome) {
  switch (outcome) {
    case win32::HandOverOutcome::kAnswered:
      return GateOutcome::kHandedOver;
    case win32::HandOverOutcome::kNoAnswer:
      return GateOutcome::kNoAnswer;
    case win32::HandOverOutcome::kUnreachable:
      break;
  }
  return GateOutcome::kUnreachable;
}

// The system the wait runs on: this user's instance window and mutex, and the instance a
// command starts.
class Win32Gate {
 public:
  Win32Gate(const win32::InstanceIdentity& identity, win32::InstanceLock& lock,
            const ParsedCommandLine& command)
      : identity_(identity), lock_(lock), command_(command) {}

  int exit_code() const { return exit_code_; }

  bool WindowFound() {
    window_ = win32::FindInstanceWindow(identity_.name);
    return window_ != nullptr;
  }
  GateOutcome HandOver(GateRequest request) {
    if (request == GateRequest::kShow) return FromHandOver(win32::HandOverShow(window_));
    const win32::HandOverResult result =
        win32::HandOverCommand(window_, command_.command, command_.drive, kAnswerMs);
    exit_code_ = result.exit_code;
    return FromHandOver(result.outcome);
  }
  bool WindowGone() const { return !IsWindow(window_); }
  MutexAttempt TryAcquire(std::uint32_t wait_ms) { return lock_.TryAcquire(wait_ms); }
  void Release() { lock_.Release(); }
  bool Start() {
    started_ = win32::StartInstanceProcess();
    return started_ != nullptr;
  }
  bool Starting(std::uint32_t wait_ms) {
    return WaitForSingleObject(started_.get(), wait_ms) == WAIT_TIMEOUT;
  }
  static std::uint32_t Now() { return GetTickCount(); }

 private:
  const win32::InstanceIdentity& identity_;
  win32::InstanceLock& lock_;
  const ParsedCommandLine& command_;
  HWND window_ = nullptr;
  win32::KernelHandle started_;
  int exit_code_ = kExitTaken;
};

}  // namespace

std::optional<int> PassToRunningInstance(const char* arguments,
                                         const win32::InstanceIdentity& identity,
                                         win32::InstanceLock& lock) {
  // Without arguments nothing of the command line is read.
  const bool has_arguments = arguments != nullptr && arguments[0] != '\0';
  const ParsedCommandLine parsed =
      has_arguments ? ParseCommandLine(arguments) : ParsedCommandLine{};
  GateRequest request = GateRequest::kShow;
  switch (parsed.action) {
    case CommandLineAction::kUsage:
      ShowUsage();
      return kExitTaken;
    case CommandLineAction::kUsageError:
      ShowUsage();
      return kExitUsage;
    case CommandLineAction::kCommand: {
      // A drive given must be a CD or DVD drive here and now, or nothing runs.
      win32::Win32DriveEnumeration drives;
      if (!parsed.drive.empty() && !basDeviceIO::IsCdDrive(drives, parsed.drive)) {
        ShowUsage();
        return kExitUsage;
      }
      request = GateRequest::kCommand;
      break;
    }
    case CommandLineAction::kStart:
      if (win32::TakeStartedForCommandMark()) request = GateRequest::kNothing;
      break;
    case CommandLineAction::kRestarted:
      // Windows started it again (after an update, at sign-in) while Ventrix may run already,
      // started from the Startup folder: then it ends without showing anything.
      request = GateRequest::kNothing;
      break;
  }
  Win32Gate gate(identity, lock, parsed);
  switch (WaitForInstance(request, gate)) {
    case GateOutcome::kBecameInstance:
      return std::nullopt;
    case GateOutcome::kHandedOver:
      return gate.exit_code();
    case GateOutcome::kNoAnswer:
      return kExitNoAnswer;
    case GateOutcome::kUnreachable:
      break;
  }
  return kExitUnreachable;
}

}  // namespace ventrix::app
