#pragma once
// Handing a command from one ventrix.exe to the running instance: WM_COPYDATA to the instance's
// window with the command alone; the instance answers later by a message posted to a window of
// the asking process, so neither window thread ever waits for the other.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/win32/handles_win32.h"
#include "platform/win32/single_instance_win32.h"
#include "platform/win32/window_procedure.h"
#include "program/command_line.h"

namespace ventrix::win32 {

// The instance's hidden window: accepts a known command from another process and runs it
// later, off the sender's call. Created once start-up has finished, so finding it means the
// instance is ready.
class InstanceWindow {
 public:
  using Answer = std::function<void(int exit_code)>;
  using CommandHandler = std::function<void(HandedCommand command, Answer answer)>;

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

// Hands `command` to the instance window and waits, pumping this thread's messages, up to
// `timeout_ms` in all. The instance's exit code, or nothing when it refused the data, went
// away or did not answer in time.
std::optional<int> HandOver(HWND instance_window, HandedCommand command, DWORD timeout_ms);

// Starts this program again, without arguments, as a person would; its process, or empty.
KernelHandle StartInstanceProcess();

// Waits up to `timeout_ms` for the instance's window; gives up early when `process` (if any)
// ends first.
HWND WaitForInstanceWindow(const InstanceIdentity& identity, HANDLE process, DWORD timeout_ms);

}  // namespace ventrix::win32
