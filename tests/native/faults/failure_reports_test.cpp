// What the user is told when a platform call fails: a refused drive request or settings save is
// never reported as done, and nothing else changes because of the failure.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "settings/frm_settings.h"
#include "settings/general.h"
#include "tests/native/faults/fault_bench.h"

namespace ventrix::testing {
namespace {

struct DriveOperation {
  const char* name;
  void (FrmMain::*run)();
  const char* done;
  const char* failed;
};

constexpr std::array<DriveOperation, 4> kDriveOperations{{
    {"eject", &FrmMain::EjectDrive, "Device D: Tray is Ejected.",
     "Device D: Tray could not be ejected."},
    {"close", &FrmMain::CloseDrive, "Device D: Tray is Closed.",
     "Device D: Tray could not be closed."},
    {"lock", &FrmMain::LockDrive, "Device D: is locked.", "Device D: could not be locked."},
    {"unlock", &FrmMain::UnlockDrive, "Device D: is unlocked.", "Device D: could not be unlocked."},
}};

struct DriveState {
  std::string device_status;
  std::int16_t lock_status;
  std::array<bool, 4> shown;
  std::array<bool, 4> enabled;
  std::string label;
  std::string balloon;
};

DriveState Operate(const DriveOperation& operation, Fault fault, bool fails) {
  FaultBench bench;
  bench.Start();
  if (fails) bench.faults.FailAll(fault);
  FrmMain& main = *bench.main();
  bench.Event([&] { (main.*operation.run)(); });
  DriveState state{bench.p().vars().DeviceStatus, bench.p().vars().LockStatus,       {}, {},
                   main.Label1.Caption(),         bench.tray()->balloons.back().text};
  for (std::int16_t i = 0; i < 4; ++i) {
    state.shown[i] = main.mnuoperations[i].Visible();
    state.enabled[i] = main.mnuoperations[i].Enabled();
  }
  return state;
}

// The status line and the balloon say the request failed; the remembered state and the menu move
// on as they do after success, so the toggle never sticks on a drive that cannot answer.
TEST(FailureReports, ARefusedOrUnopenedDriveRequestIsReportedAsFailed) {
  for (const DriveOperation& operation : kDriveOperations) {
    const DriveState done = Operate(operation, Fault::kDeviceOpen, false);
    EXPECT_EQ(done.label, operation.done);
    for (const Fault fault : {Fault::kDeviceOpen, Fault::kDeviceRequest}) {
      SCOPED_TRACE(std::string(operation.name) + ", " + FaultName(fault));
      const DriveState failed = Operate(operation, fault, true);
      EXPECT_EQ(failed.label, operation.failed);
      EXPECT_EQ(failed.balloon, operation.failed);
      EXPECT_EQ(failed.device_status, done.device_status);
      EXPECT_EQ(failed.lock_status, done.lock_status);
      EXPECT_EQ(failed.shown, done.shown);
      EXPECT_EQ(failed.enabled, done.enabled);
    }
  }
}

// A command string the multimedia interface rejects shows nothing, as success does there.
TEST(FailureReports, ARejectedCommandStringClaimsNothing) {
  FaultBench bench;
  bench.fake.version.SetWin98();
  bench.Start();
  bench.faults.FailAll(Fault::kMultimedia);
  bench.ui.DblClick(bench.main()->Label1);
  EXPECT_EQ(bench.fake.multimedia.commands.size(), 1u);
  EXPECT_EQ(bench.main()->Label1.Caption(), "Ready");
  EXPECT_TRUE(bench.tray()->balloons.empty());
}

struct SettingsBench : FaultBench {
  SettingsBench() {
    Start();
    ui.PickMenu(main()->mnuoptions, main_layout::kSettingsItem);
  }
  FrmSettings& settings() { return p().frmSettings(); }
};

TEST(FailureReports, ARefusedSaveSaysSoAndChangesNothingStored) {
  for (const bool default_button : {false, true}) {
    SCOPED_TRACE(default_button ? "Default" : "Save Settings");
    SettingsBench bench;
    bench.Store("Lock Status", "1");
    const auto stored = bench.fake.settings.values;
    bench.faults.FailAll(Fault::kSettingsWrite);
    bench.ui.Click(default_button ? bench.settings().cmddefault : bench.settings().Cmdsave);
    EXPECT_EQ(bench.settings().Label4.Caption(), "Settings Not Saved");
    // All eight keys were tried; none was taken.
    EXPECT_EQ(bench.fake.settings.refused_writes.size(), 8u);
    EXPECT_EQ(bench.fake.settings.values, stored);

    // Once the store takes writes again, the same button saves and says so.
    bench.faults.Disarm();
    bench.ui.Click(default_button ? bench.settings().cmddefault : bench.settings().Cmdsave);
    EXPECT_EQ(bench.settings().Label4.Caption(),
              default_button ? "Default settings Saved" : "Settings Saved");
    EXPECT_EQ(bench.fake.settings.writes.size(), 8u);
  }
}

// One refused key is enough to say the settings were not saved; the others are still written.
TEST(FailureReports, OneRefusedKeyIsAFailedSaveAndTheOtherKeysAreStillWritten) {
  for (int refused = 1; refused <= 8; ++refused) {
    SCOPED_TRACE("key " + std::to_string(refused));
    SettingsBench bench;
    bench.faults.FailNth(Fault::kSettingsWrite, refused);
    EXPECT_FALSE(SaveSettings(bench.p()));
    EXPECT_EQ(bench.fake.settings.writes.size(), 7u);
    EXPECT_EQ(bench.fake.settings.refused_writes.size(), 1u);
  }
  SettingsBench bench;
  EXPECT_TRUE(SaveSettings(bench.p()));
}

// "&Close" hides the window only once the settings are saved; a refused save keeps it up.
TEST(FailureReports, CloseKeepsTheWindowUpWhenTheSaveIsRefused) {
  SettingsBench bench;
  ASSERT_TRUE(bench.settings().Visible());
  bench.faults.FailNth(Fault::kSettingsWrite, 3);
  bench.ui.Click(bench.settings().Cmdmain);
  EXPECT_TRUE(bench.settings().Visible());
  EXPECT_EQ(bench.settings().Label4.Caption(), "Settings Not Saved");

  bench.ui.Click(bench.settings().Cmdmain);
  EXPECT_FALSE(bench.settings().Visible());
  EXPECT_EQ(bench.fake.settings.Get("settings", "Default CD Drive Letter"), "D:");
  EXPECT_FALSE(bench.Ended());
}

}  // namespace
}  // namespace ventrix::testing
