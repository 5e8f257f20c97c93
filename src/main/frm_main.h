#pragma once
// frmMain: the start-up window with the green status line, the menu bar and the tray icon.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "drive/drive_locks.h"
#include "drive/tray_answers.h"
#include "platform/components/tray_icon.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/menu.h"
#include "platform/forms/timer.h"
#include "program/command_line.h"

namespace ventrix {

class Program;

class FrmMain : public forms::Form {
 public:
  explicit FrmMain(Program& program);
  ~FrmMain() override;

  // Start-up sequence (main/startup.cpp).
  void Form_Load() override;
  // Any unload of the main window ends the program at once (main/frm_main.cpp).
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;
  void Timer1_Timer();

  // Tray operations (drive/tray_operations.cpp).
  void mnuoperations_Click(std::int16_t Index);
  void Label1_DblClick();
  void EjectDrive();
  void CloseDrive();
  void LockDrive();
  void UnlockDrive();
  void ToggleTray();
  void ShowStatus(const std::string& text);
  // A disc arrived in (closed) or left (opened) the drive without being asked for.
  void TrayMovedByDrive(bool closed);
  // A disc arriving in or leaving the selected drive moves the remembered tray state; a drive
  // unplugged took Ventrix's locks on it along.
  void Form_VolumeChange(const forms::VolumeChange& change);
  // The selected drive's own events, heard while this run holds its lock: its eject button
  // pressed (the locked tray stays shut: the balloon says why), a disc put in or taken out.
  void Form_DeviceEvent(forms::DeviceEvent event);
  // Watches the selected drive's own events while this run holds its lock, and nothing
  // otherwise; called wherever the lock or the selected drive may have changed.
  void WatchSelectedDrive();
  // The same when whether Ventrix holds the selected drive's lock is known already.
  void WatchSelectedDrive(bool held);

  // File, Options and Help menus (main/menus.cpp).
  void mnufile_Click(std::int16_t Index);
  void mnuoptions_Click(std::int16_t Index);
  void mnuHelp_Click(std::int16_t Index);

  // Tray icon popup menu and notifications (main/tray_menu.cpp).
  void FillTrayMenu();
  void NotifyIconCtrl1_Click(std::int16_t Button);
  void NotifyIconCtrl1_DblClick(std::int16_t Button);

  // A command handed over by another process (main/commands.cpp); answers its exit code. A tray
  // operation acts on `drive` (E:) when one is given, for this command only: DriveLetter stays.
  int RunHandedCommand(HandedCommand command, const std::string& drive = {});
  // How the last tray operation went; kNothingDone when it did nothing.
  OperationOutcome last_outcome() const { return last_outcome_; }

  // Sets the four Operations captions from DriveLetter as held.
  void SetOperationCaptions();
  // The menus offer what the lock of the drive in DriveLetter allows (at start-up, and when
  // another drive is picked): Un-Lock for a drive Ventrix holds locked, Lock for any other; the
  // watch of the drive's own events follows too.
  void FollowSelectedDriveLock();

  forms::Label Label1;
  forms::Timer Timer1;
  forms::MenuArray mnufile;
  forms::MenuArray mnuoperations;
  forms::MenuArray mnuoptions;
  forms::MenuArray mnuHelp;
  std::unique_ptr<TrayIcon> NotifyIconCtrl1;

 private:
  void RaiseTrayEvent(const std::function<void()>& event);
  // The tray as the drive tells it, asked now; unknown where the tray is not driven as a device.
  TrayReading ReadTray(const std::string& drive);
  // The Eject or Close item a toggle on the drive runs, or none.
  std::optional<std::int16_t> ToggleItem(const std::string& drive);
  // Start-up: DeviceStatus and the Operations menu as the drive tells its tray.
  void ReadTrayAtStartup();
  // Eject, close, lock or unlock of the drive by item index, from one row each. drive is
  // normalised in place.
  void RunOperation(std::int16_t index, std::string& drive);
  // Ejects or closes the drive's tray, as the drive tells it or as remembered.
  void ToggleTray(std::string& drive);

  Program& program_;
  OperationOutcome last_outcome_ = OperationOutcome::kNothingDone;
  DriveLocks drive_locks_;
};

}  // namespace ventrix
