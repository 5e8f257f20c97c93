#include "instance_gate.h"

#include "platform/win32/hand_over_win32.h"
#include "program/command_line.h"
#include "program/product.h"

namespace ventrix::app {

namespace {

// How long a second start looks for an instance that is still starting or is ending.
constexpr DWORD kFindInstanceMs = 10000;
// How long the running instance has to answer a command.
constexpr DWORD kAnswerMs = 10000;
// How long an instance started for a command has to finish its start-up.
constexpr DWORD kStartUpMs = 30000;
constexpr DWORD kPollMs = 100;

void ShowUsage() { MessageBoxA(nullptr, kUsageText, kProgramTitle, MB_OK | MB_ICONINFORMATION); }

// A second start: the running instance brings its main window back. Nothing when there is no
// instance that answers (none runs, it crashed, it is ending or hung): then this one starts.
std::optional<int> ShowRunningInstance(const win32::InstanceIdentity& identity,
                                       win32::InstanceLock& lock) {
  const DWORD start = GetTickCount();
  for (;;) {
    // The window first: it is there even where the system gave no mutex.
    if (HWND window = win32::FindInstanceWindow(identity.name)) {
      if (win32::HandOver(window, HandedCommand::kShowMain, kAnswerMs)) return kExitTaken;
      return std::nullopt;
    }
    // Held by nobody (or by one that crashed): this process is the instance.
    if (lock.TryAcquire(kPollMs)) return std::nullopt;
    // Held, but no window: one still starting, or ending, which gets the time to finish.
    if (GetTickCount() - start >= kFindInstanceMs) return std::nullopt;
  }
}

int RunCommand(HandedCommand command, const win32::InstanceIdentity& identity,
               win32::InstanceLock& lock) {
  HWND window = win32::FindInstanceWindow(identity.name);
  if (window == nullptr) {
    if (lock.TryAcquire(0)) {
      // None runs: start one as a person would, and wait for its start-up to finish.
      lock.Release();
      const win32::KernelHandle process = win32::StartInstanceProcess();
      if (!process) return kExitNoAnswer;
      window = win32::WaitForInstanceWindow(identity, process.get(), kStartUpMs);
    } else {
      // One holds the lock: it is still starting.
      window = win32::WaitForInstanceWindow(identity, nullptr, kFindInstanceMs);
    }
  }
  if (window == nullptr) return kExitNoAnswer;
  return win32::HandOver(window, command, kAnswerMs).value_or(kExitNoAnswer);
}

}  // namespace

std::optional<int> PassToRunningInstance(const char* arguments,
                                         const win32::InstanceIdentity& identity,
                                         win32::InstanceLock& lock) {
  // Without arguments nothing of the command line is read.
  const bool has_arguments = arguments != nullptr && arguments[0] != '\0';
  const ParsedCommandLine parsed =
      has_arguments ? ParseCommandLine(arguments) : ParsedCommandLine{};
  switch (parsed.action) {
    case CommandLineAction::kUsage:
      ShowUsage();
      return kExitTaken;
    case CommandLineAction::kUsageError:
      ShowUsage();
      return kExitUsage;
    case CommandLineAction::kCommand:
      return RunCommand(parsed.command, identity, lock);
    case CommandLineAction::kStart:
      break;
  }
  return ShowRunningInstance(identity, lock);
}

}  // namespace ventrix::app
