// Commands handed over by another ventrix.exe: a second start, or a tray operation.

#include "drive/device_io.h"
#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "program/program.h"

namespace ventrix {

namespace {
using namespace main_layout;
}  // namespace

// Each runs exactly what the menus run, so the status line, balloon, menus and remembered state
// follow as they would there; with a drive given, on that drive.
int FrmMain::RunHandedCommand(HandedCommand command, const std::string& drive) {
  last_outcome_ = OperationOutcome::kNothingDone;
  if (command == HandedCommand::kShowMain) {
    NotifyIconCtrl1_DblClick(0);
    return kExitTaken;
  }
  // Checked again here: the drive may have gone since the command was given.
  if (!drive.empty() && !basDeviceIO::IsCdDrive(program_.platform().drives, drive)) {
    return kExitRefused;
  }
  std::string given = drive;
  std::string& target = drive.empty() ? program_.vars().DriveLetter : given;
  switch (command) {
    case HandedCommand::kShowMain:
      break;
    case HandedCommand::kEject:
      RunOperation(kEjectItem, target);
      break;
    case HandedCommand::kClose:
      RunOperation(kCloseItem, target);
      break;
    case HandedCommand::kToggle:
      ToggleTray(target);
      break;
    case HandedCommand::kLock:
      RunOperation(kLockItem, target);
      break;
    case HandedCommand::kUnlock:
      RunOperation(kUnlockItem, target);
      break;
  }
  // A lock or unlock of a drive named by the command is that drive's: the lock state and the
  // menus go on showing the selected drive's, so that the tray popup's Lock / Unlock fits it.
  const bool lock_command = command == HandedCommand::kLock || command == HandedCommand::kUnlock;
  if (!drive.empty() && lock_command) FollowSelectedDriveLock();
  return ExitCodeFor(last_outcome_);
}

}  // namespace ventrix
