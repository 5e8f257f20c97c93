#include "instance_gate.h"

#include "platform/win32/hand_over_win32.h"
#include "program/command_line.h"
#include "program/product.h"

namespace ventrix::app {

namespace {

// How long a start waits for the window of an instance that holds the mutex but is still
// starting (or is ending and lets go of it).
constexpr DWORD kFindInstanceMs = 10000;
// How long the running instance has to take up a command.
constexpr DWORD kAnswerMs = 10000;
// How long an instance started for a command has to finish its start-up.
constexpr DWORD kStartUpMs = 30000;
constexpr DWORD kPollMs = 100;

// Every way a start that is not a usage request ends.
enum class GateOutcome {
  kHandedOver,      // the running instance has the request (and answered a command)
  kBecameInstance,  // this process runs as the instance, holding the mutex
  kNoAnswer,        // an instance runs but did not take the request in time
  kUnreachable,     // the instance's window refused the request, or none could be started
};

// What this process asks of the instance.
enum class Request {
  kShow,     // a start by a person: bring the main window back
  kNothing,  // an instance started for a command: the command's process hands it over
  kCommand,  // a tray operation from the command line
};

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

// The one wait: looks for the instance's window until it hands the request over, this process
// becomes the instance, or the time is up. `exit_code` gets a command's answer.
GateOutcome WaitForInstance(Request request, HandedCommand command,
                            const win32::InstanceIdentity& identity, win32::InstanceLock& lock,
                            int& exit_code) {
  DWORD start = GetTickCount();
  DWORD limit = kFindInstanceMs;
  win32::KernelHandle started;
  for (;;) {
    // The window first: it is there even where the system gave no mutex.
    if (HWND window = win32::FindInstanceWindow(identity.name)) {
      if (request == Request::kNothing) return GateOutcome::kHandedOver;
      if (request == Request::kShow) {
        const win32::HandOverOutcome outcome = win32::HandOverShow(window);
        // An instance that has just ended is no longer there: look again.
        if (outcome == win32::HandOverOutcome::kUnreachable && !IsWindow(window)) continue;
        return FromHandOver(outcome);
      }
      const win32::HandOverResult result = win32::HandOverCommand(window, command, kAnswerMs);
      exit_code = result.exit_code;
      return FromHandOver(result.outcome);
    }
    // The instance started for this command has the time of its start-up to take the mutex.
    const bool starting = started && WaitForSingleObject(started.get(), kPollMs) == WAIT_TIMEOUT;
    // Free, abandoned by one that crashed, or let go by one that ended: nobody else runs.
    if (!starting && lock.TryAcquire(kPollMs)) {
      if (request != Request::kCommand) return GateOutcome::kBecameInstance;
      lock.Release();
      // The one started for this command ended without a window: the start failed.
      if (started) return GateOutcome::kUnreachable;
      // None runs: start one as a person would, and wait for its start-up to finish.
      started = win32::StartInstanceProcess();
      if (!started) return GateOutcome::kUnreachable;
      start = GetTickCount();
      limit = kStartUpMs;
      continue;
    }
    // Started for a command that another instance (still starting) will take: nothing to do.
    if (request == Request::kNothing) return GateOutcome::kHandedOver;
    // Held, but no window yet: one still starting, or ending.
    if (GetTickCount() - start >= limit) return GateOutcome::kNoAnswer;
  }
}

int ExitCodeFor(GateOutcome outcome, int answer) {
  switch (outcome) {
    case GateOutcome::kHandedOver:
      return answer;
    case GateOutcome::kNoAnswer:
      return kExitNoAnswer;
    case GateOutcome::kUnreachable:
    case GateOutcome::kBecameInstance:
      break;
  }
  return kExitUnreachable;
}

}  // namespace

std::optional<int> PassToRunningInstance(const char* arguments,
                                         const win32::InstanceIdentity& identity,
                                         win32::InstanceLock& lock) {
  // Without arguments nothing of the command line is read.
  const bool has_arguments = arguments != nullptr && arguments[0] != '\0';
  const ParsedCommandLine parsed =
      has_arguments ? ParseCommandLine(arguments) : ParsedCommandLine{};
  Request request = Request::kShow;
  switch (parsed.action) {
    case CommandLineAction::kUsage:
      ShowUsage();
      return kExitTaken;
    case CommandLineAction::kUsageError:
      ShowUsage();
      return kExitUsage;
    case CommandLineAction::kCommand:
      request = Request::kCommand;
      break;
    case CommandLineAction::kStart:
      if (win32::TakeStartedForCommandMark()) request = Request::kNothing;
      break;
  }
  int answer = kExitTaken;
  const GateOutcome outcome = WaitForInstance(request, parsed.command, identity, lock, answer);
  if (outcome == GateOutcome::kBecameInstance) return std::nullopt;
  return ExitCodeFor(outcome, answer);
}

}  // namespace ventrix::app
