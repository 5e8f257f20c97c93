// The four tray operations of the main window, the toggle and their shared status report.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "drive/device_io.h"
#include "drive/tray_question.h"
#include "drive/win_ver.h"
#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "main/operations_menu.h"
#include "program/product.h"
#include "program/program.h"

namespace ventrix {

namespace {

using namespace main_layout;

// The multimedia reply is never read; the buffer only has to exist.
constexpr std::size_t kCommandReturnLength = 127;
constexpr const char* kStatusPrefix = "Device ";
constexpr const char* kCaptionEnd = ")";

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

// One operation: its menu caption, what it sends, what it says, what it remembers and what the
// menu offers next. Eject and close carry a tray state; lock and unlock go through DriveLocks.
struct Operation {
  const char* caption;                  // followed by DriveLetter and ")"
  std::uint32_t request = 0;            // eject and close on the device path
  const char* door_command = nullptr;   // eject and close on Windows 98 and Me
  const char* device_status = nullptr;  // DeviceStatus afterwards; none for lock and unlock
  bool lock = false;                    // lock (true) or unlock, for the rows without a tray state
  const char* taken_suffix;             // the status when the drive took the request
  const char* refused_suffix;           // when it refused or could not be opened
  const OperationsMenuRow* menu;
};

// By item index: Eject, Close, Lock, Unlock.
constexpr std::array<Operation, kOperationsItemCount> kOperations{{
    {.caption = "Eject Drive (",
     .request = kIoctlStorageEjectMedia,
     .door_command = "set CDAudio door open",
     .device_status = kTrayOpened,
     .taken_suffix = " Tray is Ejected.",
     .refused_suffix = " Tray could not be ejected.",
     .menu = &operations_menu::kAfterEject},
    {.caption = "Close Drive (",
     .request = kIoctlStorageLoadMedia,
     .door_command = "set CDAudio door closed",
     .device_status = kTrayClosed,
     .taken_suffix = " Tray is Closed.",
     .refused_suffix = " Tray could not be closed.",
     .menu = &operations_menu::kAfterClose},
    {.caption = "Lock Drive (",
     .lock = true,
     .taken_suffix = " is locked.",
     .refused_suffix = " could not be locked.",
     .menu = &operations_menu::kAfterLock},
    {.caption = "Un-Lock Drive (",
     .taken_suffix = " is unlocked.",
     .refused_suffix = " could not be unlocked.",
     .menu = &operations_menu::kAfterUnlock},
}};

bool IsOperation(std::int16_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < kOperations.size();
}

}  // namespace

void FrmMain::mnuoperations_Click(std::int16_t Index) {
  if (IsOperation(Index)) RunOperation(Index, program_.vars().DriveLetter);
}

void FrmMain::Label1_DblClick() { ToggleTray(); }

void FrmMain::ToggleTray() { ToggleTray(program_.vars().DriveLetter); }

void FrmMain::ToggleTray(std::string& drive) {
  if (const std::optional<std::int16_t> item = ToggleItem(drive)) RunOperation(*item, drive);
}

// The drive is asked at the moment: a tray moved by its own button or another program is seen.
// What it cannot tell, the remembered state decides; any other remembered value runs nothing.
std::optional<std::int16_t> FrmMain::ToggleItem(const std::string& drive) {
  switch (ReadTray(drive)) {
    case TrayReading::kOpen:
      return kCloseItem;
    case TrayReading::kClosed:
      return kEjectItem;
    case TrayReading::kUnknown:
      break;
  }
  const std::string& status = program_.vars().DeviceStatus;
  if (status == kTrayClosed) return kEjectItem;
  if (status == kTrayOpened) return kCloseItem;
  return std::nullopt;
}

// Only where the tray is driven through the device: Windows 98 and Me keep the remembered
// state, and a release that cannot move the tray has nothing to ask.
TrayReading FrmMain::ReadTray(const std::string& drive) {
  const Platform& platform = program_.platform();
  if (ChooseMechanism(platform.version) != TrayMechanism::kDevice) return TrayReading::kUnknown;
  return AskTray(platform.devices, drive);
}

// At start-up the state and the menu follow the drive where it can tell, as when its own button
// moved the tray: an open tray offers Close (and Un-Lock while locked).
void FrmMain::ReadTrayAtStartup() {
  const TrayReading reading = ReadTray(program_.vars().DriveLetter);
  if (reading != TrayReading::kUnknown) TrayMovedByDrive(reading == TrayReading::kClosed);
}

void FrmMain::EjectDrive() { mnuoperations_Click(kEjectItem); }
void FrmMain::CloseDrive() { mnuoperations_Click(kCloseItem); }
void FrmMain::LockDrive() { mnuoperations_Click(kLockItem); }
void FrmMain::UnlockDrive() { mnuoperations_Click(kUnlockItem); }

// The remembered state and the menu follow what was asked, whatever the drive answered, so the
// toggle and the menu never get stuck on a drive that cannot report or cannot move its tray; the
// status text alone says whether the drive took the request.
void FrmMain::RunOperation(std::int16_t index, std::string& drive) {
  const Operation& operation = kOperations[static_cast<std::size_t>(index)];
  SettingsVariables& vars = program_.vars();
  const Platform& platform = program_.platform();
  bool taken = false;
  if (operation.device_status != nullptr) {
    switch (ChooseMechanism(platform.version)) {
      case TrayMechanism::kNone:
        return;
      case TrayMechanism::kCommandString:
        // No status text, balloon or menu change on this road.
        platform.multimedia.SendString(operation.door_command, kCommandReturnLength);
        vars.DeviceStatus = operation.device_status;
        last_outcome_ = OperationOutcome::kUnanswered;
        return;
      case TrayMechanism::kDevice:
        taken = basDeviceIO::SendRequest(platform.devices, drive, operation.request, {}) ==
                basDeviceIO::RequestOutcome::kAccepted;
        vars.DeviceStatus = operation.device_status;
        break;
    }
  } else {
    taken = operation.lock ? drive_locks_.Lock(platform.devices, drive)
                           : drive_locks_.Unlock(platform.devices, drive);
    vars.LockStatus = operation.lock ? kLocked : kUnlocked;
  }
  last_outcome_ = taken ? OperationOutcome::kAccepted : OperationOutcome::kRefused;
  ShowStatus(StatusText(drive, taken ? operation.taken_suffix : operation.refused_suffix));
  ApplyMenuState(mnuoperations, *operation.menu);
  WatchSelectedDrive();
}

void FrmMain::Form_VolumeChange(const forms::VolumeChange& change) {
  if (!change.media) {
    if (!change.arrived) drive_locks_.Unplugged(change.drives);
    WatchSelectedDrive();
    return;
  }
  const std::optional<std::size_t> drive = basDeviceIO::DriveIndex(program_.vars().DriveLetter);
  if (drive && (change.drives >> *drive & 1u) != 0) TrayMovedByDrive(change.arrived);
}

// The drive's own button moved the tray: a disc that arrives means the tray is closed, one that
// leaves that it opened. The menu takes the row of a close or an eject, but a drive that is
// locked keeps Un-Lock offered (a disc can arrive while it is locked). Nothing was asked, so
// nothing is reported; on Windows 98 and Me the menu keeps its visibility, as it does there.
void FrmMain::TrayMovedByDrive(bool closed) {
  const Operation& operation = kOperations[closed ? kCloseItem : kEjectItem];
  SettingsVariables& vars = program_.vars();
  vars.DeviceStatus = operation.device_status;
  if (ChooseMechanism(program_.platform().version) != TrayMechanism::kDevice) return;
  OperationsMenuRow row = *operation.menu;
  if (vars.LockStatus == kLocked) {
    row[kLockItem] = ItemState::kHidden;
    row[kUnlockItem] = ItemState::kShown;
  }
  ApplyMenuState(mnuoperations, row);
}

void FrmMain::FollowSelectedDriveLock() {
  const bool held = drive_locks_.Holds(program_.vars().DriveLetter);
  program_.vars().LockStatus = held ? kLocked : kUnlocked;
  ApplyMenuState(mnuoperations, *kOperations[held ? kLockItem : kUnlockItem].menu);
  WatchSelectedDrive(held);
}

void FrmMain::Form_DeviceEvent(forms::DeviceEvent event) {
  switch (event) {
    case forms::DeviceEvent::kEjectRequest:
      ShowStatus(StatusText(basDeviceIO::StripTrailingBackslash(program_.vars().DriveLetter),
                            kOperations[kLockItem].taken_suffix));
      break;
    case forms::DeviceEvent::kMediaArrived:
    case forms::DeviceEvent::kMediaRemoved:
      TrayMovedByDrive(event == forms::DeviceEvent::kMediaArrived);
      break;
  }
}

void FrmMain::WatchSelectedDrive() {
  WatchSelectedDrive(drive_locks_.Holds(program_.vars().DriveLetter));
}

void FrmMain::WatchSelectedDrive(bool held) {
  const std::string drive = basDeviceIO::StripTrailingBackslash(program_.vars().DriveLetter);
  set_watched_device(held ? basDeviceIO::DevicePath(drive) : std::string());
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
  for (std::size_t index = 0; index < kOperations.size(); ++index) {
    mnuoperations[static_cast<std::int16_t>(index)].set_caption(kOperations[index].caption + drive +
                                                                kCaptionEnd);
  }
}

}  // namespace ventrix
