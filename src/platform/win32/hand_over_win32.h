#pragma once
// Handing a request from one ventrix.exe to the running instance. "Show" is posted and needs no
// answer. A command goes as WM_COPYDATA to the instance's window; when its turn comes the
// instance first asks the waiting process whether it still waits (a message sent to a window
// of that process) and runs it only then, so a command whose wait ran out is withdrawn and
// never runs; the exit code comes back posted. Neither window thread waits for the other
// beyond a short send.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/handles_win32.h"
#include "platform/win32/single_instance_win32.h"
#include "platform/win32/window_procedure.h"
#include "program/command_line.h"

namespace ventrix::win32 {

// Marks the data of a hand-over (COPYDATASTRUCT::dwData), "show", the question whether a
// command is still wanted and its answer (wParam), and the yes to that question.
inline constexpr ULONG_PTR kHandOverTag = 0x56583343;

// The instance's hidden window: accepts "show" and a known command from another process and
// runs them later, off the sender's call. Created once start-up has finished, so finding it
// means the instance is ready.
class InstanceWindow {
 public:
  // True when the process that handed the command over still waits for it: the command runs
  // only then. Empty for "show", which nobody waits for.
  using StillWanted = std::function<bool()>;
  // Takes the command's exit code; empty for "show".
  using Answer = std::function<void(int exit_code)>;
  // `drive` (E:) names the drive a tray operation acts on; empty for the selected drive.
  using CommandHandler = std::function<void(HandedCommand command, const std::string& drive,
                                            StillWanted still_wanted, Answer answer)>;

  InstanceWindow(HINSTANCE instance, const InstanceIdentity& identity, CommandHandler handler);
  InstanceWindow(const InstanceWindow&) = delete;
  InstanceWindow& operator=(const InstanceWindow&) = delete;

  HWND hwnd() const { return window_.get(); }

 private:
  friend class WindowProcedure<InstanceWindow>;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  CommandHandler handler_;
  OwnedWindow window_;
};

// What became of a request handed to the instance's window.
enum class HandOverOutcome {
  kAnswered,     // "show" is in the instance's queue, or the command ran and answered
  kNoAnswer,     // no answer in time: the command is withdrawn and never runs
  kUnreachable,  // the window refused the message or went away
};

struct HandOverResult {
  HandOverOutcome outcome;
  int exit_code;  // the instance's answer, when kAnswered
};

// Posts "show" to the instance's window and lets its process take the foreground, so the
// window it brings back comes to the front. Needs no answer.
HandOverOutcome HandOverShow(HWND instance_window);

// Hands `command` (on `drive`, E:, when not empty) to the instance's window and waits, pumping
// this thread's messages, up to `timeout_ms` for the instance to take it up; once it has, for its
// answer as long as the instance's window exists.
HandOverResult HandOverCommand(HWND instance_window, HandedCommand command,
                               const std::string& drive, DWORD timeout_ms);

// Starts this program again, without arguments, from the full (Unicode) path of its exe, as a
// person would, and marked as started for a command; its process, or empty. It runs in the
// exe's folder, whatever folder the command was given in.
KernelHandle StartInstanceProcess();

// Whether this process was started by StartInstanceProcess. Clears the mark, so nothing this
// instance starts inherits it.
bool TakeStartedForCommandMark();

}  // namespace ventrix::win32
