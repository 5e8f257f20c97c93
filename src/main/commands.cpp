// Commands handed over by another ventrix.exe: a second start, or a tray operation.

#include "main/frm_main.h"
#include "main/frm_main_layout.h"

namespace ventrix {

namespace {
using namespace main_layout;
}  // namespace

// Each runs exactly what the menus run, so the status line, balloon, menus and remembered state
// follow as they would there.
int FrmMain::RunHandedCommand(HandedCommand command) {
  last_outcome_ = OperationOutcome::kNothingDone;
  switch (command) {
    case HandedCommand::kShowMain:
      NotifyIconCtrl1_DblClick(0);
      return kExitTaken;
    case HandedCommand::kEject:
      mnuoperations_Click(kEjectItem);
      break;
    case HandedCommand::kClose:
      mnuoperations_Click(kCloseItem);
      break;
    case HandedCommand::kToggle:
      ToggleTray();
      break;
    case HandedCommand::kLock:
      mnuoperations_Click(kLockItem);
      break;
    case HandedCommand::kUnlock:
      mnuoperations_Click(kUnlockItem);
      break;
  }
  return ExitCodeFor(last_outcome_);
}

}  // namespace ventrix
