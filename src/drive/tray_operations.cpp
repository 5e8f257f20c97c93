// The four tray operations of the main window, the toggle and their shared status report.

#include <cstddef>
#include <string>

#include "drive/device_io.h"
#include "drive/win_ver.h"
#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "main/operations_menu.h"
#include "program/product.h"
#include "program/program.h"

namespace ventrix {

namespace {

using namespace main_layout;

constexpr const char* kDoorOpenCommand = "set CDAudio door open";
constexpr const char* kDoorClosedCommand = "set CDAudio door closed";
// The multimedia reply is never read; the buffer only has to exist.
constexpr std::size_t kCommandReturnLength = 127;

constexpr const char* kStatusPrefix = "Device ";
constexpr const char* kEjectedSuffix = " Tray is Ejected.";
constexpr const char* kClosedSuffix = " Tray is Closed.";
constexpr const char* kLockedSuffix = " is locked.";
constexpr const char* kUnlockedSuffix = " is unlocked.";
// The status when the drive could not be opened or refused the request.
constexpr const char* kNotEjectedSuffix = " Tray could not be ejected.";
constexpr const char* kNotClosedSuffix = " Tray could not be closed.";
constexpr const char* kNotLockedSuffix = " could not be locked.";
constexpr const char* kNotUnlockedSuffix = " could not be unlocked.";

enum class TrayMechanism { kCommandString, kDevice, kNone };

// Asked anew at every operation: nothing about the release is cached.
TrayMechanism ChooseMechanism(VersionQuery& version) {
  if (mGetWinVer::IsWindows98(version) != kFalse || mGetWinVer::IsWindowsMe(version) != kFalse) {
    return TrayMechanism::kCommandString;
  }
  if (mGetWinVer::IsWindows2000(version) != kFalse || mGetWinVer::IsWindowsXP(version) != kFalse ||
      mGetWinVer::IsWindowsVista(version) != kFalse) {
    return TrayMechanism::kDevice;
  }
  return TrayMechanism::kNone;
}

std::string StatusText(const std::string& drive, const char* suffix) {
  return kStatusPrefix + drive + suffix;
}

// Sends one tray request to the drive; true when the drive took it.
bool TrayRequest(DeviceControl& devices, std::string& drive, std::uint32_t code) {
  return basDeviceIO::SendRequest(devices, drive, code, {}) ==
         basDeviceIO::RequestOutcome::kAccepted;
}

bool LockRequest(DeviceControl& devices, std::string& drive, bool lock) {
  return basDeviceIO::SetMediaLock(devices, drive, lock) != kFalse;
}

}  // namespace

void FrmMain::mnuoperations_Click(std::int16_t Index) {
  switch (Index) {
    case kEjectItem:
      EjectDrive();
      break;
    case kCloseItem:
      CloseDrive();
      break;
    case kLockItem:
      LockDrive();
      break;
    case kUnlockItem:
      UnlockDrive();
      break;
    default:
      break;
  }
}

void FrmMain::Label1_DblClick() { ToggleTray(); }

void FrmMain::ToggleTray() {
  const std::string& status = program_.vars().DeviceStatus;
  if (status == kTrayClosed) {
    EjectDrive();
  } else if (status == kTrayOpened) {
    CloseDrive();
  }
}

// The remembered state and the menu follow what was asked, whatever the drive answered, so the
// toggle and the menu never get stuck on a drive that cannot report or cannot move its tray; the
// status text alone says whether the drive took the request.
void FrmMain::EjectDrive() {
  SettingsVariables& vars = program_.vars();
  const Platform& platform = program_.platform();
  switch (ChooseMechanism(platform.version)) {
    case TrayMechanism::kCommandString:
      platform.multimedia.SendString(kDoorOpenCommand, kCommandReturnLength);
      vars.DeviceStatus = kTrayOpened;
      last_outcome_ = OperationOutcome::kUnanswered;
      return;
    case TrayMechanism::kDevice: {
      const bool ejected = TrayRequest(platform.devices, vars.DriveLetter, kIoctlStorageEjectMedia);
      vars.DeviceStatus = kTrayOpened;
      last_outcome_ = ejected ? OperationOutcome::kAccepted : OperationOutcome::kRefused;
      ShowStatus(StatusText(vars.DriveLetter, ejected ? kEjectedSuffix : kNotEjectedSuffix));
      ApplyMenuState(mnuoperations, operations_menu::kAfterEject);
      return;
    }
    case TrayMechanism::kNone:
      return;
  }
}

void FrmMain::CloseDrive() {
  SettingsVariables& vars = program_.vars();
  const Platform& platform = program_.platform();
  switch (ChooseMechanism(platform.version)) {
    case TrayMechanism::kCommandString:
      platform.multimedia.SendString(kDoorClosedCommand, kCommandReturnLength);
      vars.DeviceStatus = kTrayClosed;
      last_outcome_ = OperationOutcome::kUnanswered;
      return;
    case TrayMechanism::kDevice: {
      const bool closed = TrayRequest(platform.devices, vars.DriveLetter, kIoctlStorageLoadMedia);
      vars.DeviceStatus = kTrayClosed;
      last_outcome_ = closed ? OperationOutcome::kAccepted : OperationOutcome::kRefused;
      ShowStatus(StatusText(vars.DriveLetter, closed ? kClosedSuffix : kNotClosedSuffix));
      ApplyMenuState(mnuoperations, operations_menu::kAfterClose);
      return;
    }
    case TrayMechanism::kNone:
      return;
  }
}

void FrmMain::LockDrive() {
  SettingsVariables& vars = program_.vars();
  const bool locked = LockRequest(program_.platform().devices, vars.DriveLetter, true);
  vars.LockStatus = kLocked;
  last_outcome_ = locked ? OperationOutcome::kAccepted : OperationOutcome::kRefused;
  ShowStatus(StatusText(vars.DriveLetter, locked ? kLockedSuffix : kNotLockedSuffix));
  ApplyMenuState(mnuoperations, operations_menu::kAfterLock);
}

void FrmMain::UnlockDrive() {
  SettingsVariables& vars = program_.vars();
  const bool unlocked = LockRequest(program_.platform().devices, vars.DriveLetter, false);
  vars.LockStatus = kUnlocked;
  last_outcome_ = unlocked ? OperationOutcome::kAccepted : OperationOutcome::kRefused;
  ShowStatus(StatusText(vars.DriveLetter, unlocked ? kUnlockedSuffix : kNotUnlockedSuffix));
  ApplyMenuState(mnuoperations, operations_menu::kAfterUnlock);
}

void FrmMain::ShowStatus(const std::string& text) {
  Label1.set_fore_color(kStatusGreen);
  Label1.set_caption(text);
  if (!NotifyIconCtrl1) return;
  NotifyIconCtrl1->set_balloontitle(program_.vars().AppTitle);
  NotifyIconCtrl1->set_balloontext(text);
  NotifyIconCtrl1->ShowBalloon();
}

void FrmMain::SetOperationCaptions() {
  const std::string& drive = program_.vars().DriveLetter;
  mnuoperations[kEjectItem].set_caption("Eject Drive (" + drive + ")");
  mnuoperations[kCloseItem].set_caption("Close Drive (" + drive + ")");
  mnuoperations[kLockItem].set_caption("Lock Drive (" + drive + ")");
  mnuoperations[kUnlockItem].set_caption("Un-Lock Drive (" + drive + ")");
}

}  // namespace ventrix
