// Start-up with each platform call failing in turn, from three stored configurations.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "settings/frm_settings.h"
#include "splash/frm_splash.h"
#include "tests/native/faults/fault_bench.h"

namespace ventrix::testing {
namespace {

struct StartupConfig {
  const char* name;
  std::function<void(FaultBench&)> prepare;
};

void FirstRun(FaultBench&) {}

void EverythingOn(FaultBench& bench) {
  bench.Store("Default CD Drive Letter", "D:");
  bench.Store("Banner Enabled", "1");
  bench.Store("Visible on Start-up", "1");
  bench.Store("Always On Top", "1");
  bench.Store("Send to Tray", "0");
  bench.Store("Device Status", "opened");
  bench.Store("Lock Status", "1");
  bench.Store("Web Update URL", "http://127.0.0.1/v.txt", "Web Update");
}

void Windows98TwoDrives(FaultBench& bench) {
  bench.fake.version.SetWin98();
  bench.fake.drives.drives = {{"C:\\", 3}, {"D:\\", kDriveCdrom}, {"E:\\", kDriveCdrom}};
  bench.Store("Banner Enabled", "1");
}

void PrintTo(const StartupConfig& config, std::ostream* out) { *out << config.name; }

class StartupFaults : public ::testing::TestWithParam<StartupConfig> {};

// The start-up every plan must still reach: the main window loaded and labelled, the status line
// ready, the icon's menu filled, nothing stored.
void ExpectStarted(FaultBench& bench, const Before& before) {
  ExpectSound(bench, before, Effect::kNone);
  ASSERT_FALSE(bench.Ended());
  FrmMain* main = bench.main();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->Caption(), kApp);
  EXPECT_EQ(main->Label1.Caption(), "Ready");
  EXPECT_EQ(main->mnuoperations[main_layout::kEjectItem].Caption(),
            "Eject Drive (" + bench.p().vars().DriveLetter + ")");
  EXPECT_NE(bench.p().LoadedSettings(), nullptr);
  EXPECT_NE(bench.p().LoadedSplash(), nullptr);
  ASSERT_NE(bench.tray(), nullptr);
  EXPECT_EQ(bench.tray()->items.size(), 9u);
}

TEST_P(StartupFaults, EveryCallFailsInTurnAndTheProgramStartsAndRuns) {
  FaultBench clean;
  GetParam().prepare(clean);
  const Before clean_before = Snapshot(clean);
  clean.Start();
  ExpectStarted(clean, clean_before);

  for (const FaultPlan& plan : PlansFrom(clean.faults)) {
    SCOPED_TRACE(plan.Describe());
    FaultBench bench;
    GetParam().prepare(bench);
    const Before before = Snapshot(bench);
    plan.Arm(bench.faults);
    bench.Start();
    ExpectStarted(bench, before);
    ExpectStillRunning(bench);
  }
}

INSTANTIATE_TEST_SUITE_P(Stored, StartupFaults,
                         ::testing::Values(StartupConfig{"FirstRun", FirstRun},
                                           StartupConfig{"EverythingOn", EverythingOn},
                                           StartupConfig{"Windows98TwoDrives", Windows98TwoDrives}),
                         [](const auto& info) { return std::string(info.param.name); });

// An unreadable store reads as a first run: defaults everywhere, and nothing is written back.
TEST(StartupFaultEffects, UnreadableSettingsGiveTheDefaultsAndStoreNothing) {
  FaultBench bench;
  EverythingOn(bench);
  bench.faults.FailAll(Fault::kSettingsRead);
  bench.Start();
  const SettingsVariables& vars = bench.p().vars();
  EXPECT_EQ(vars.DriveLetter, "D:\\");
  EXPECT_EQ(vars.BannerEnabled, 0);
  EXPECT_EQ(vars.VisibleOnStartup, 0);
  EXPECT_EQ(vars.AlwaysOnTop, 0);
  EXPECT_EQ(vars.SendToTray, 1);
  EXPECT_EQ(vars.DeviceStatus, "closed");
  EXPECT_EQ(vars.LockStatus, 0);
  EXPECT_FALSE(bench.main()->Visible());
  EXPECT_FALSE(bench.p().frmSplash().Visible());
  EXPECT_TRUE(bench.fake.settings.writes.empty());
  EXPECT_TRUE(bench.fake.settings.refused_writes.empty());
}

// Refused z-order calls change nothing else: the splash and the main window still show.
TEST(StartupFaultEffects, RefusedPlacementStillShowsTheSplashAndTheMainWindow) {
  FaultBench bench;
  EverythingOn(bench);
  bench.faults.FailAll(Fault::kWindowPlacement);
  bench.Start();
  EXPECT_EQ(bench.fake.placement.refused, 3);
  EXPECT_TRUE(bench.p().frmSplash().Visible());
  EXPECT_TRUE(bench.main()->Visible());
  EXPECT_EQ(bench.p().frmSettings().Check1.Value(), 1);
}

// Without a drive list or a version answer the program still starts, with nothing to act on.
TEST(StartupFaultEffects, NoDriveListAndNoVersionLeaveAnEmptyDriveAndTheGenericPlatform) {
  FaultBench bench;
  bench.faults.FailAll(Fault::kDriveList);
  bench.faults.FailAll(Fault::kVersionQuery);
  bench.Start();
  EXPECT_EQ(bench.p().vars().DriveLetter, "");
  EXPECT_EQ(bench.main()->mnuoperations[main_layout::kEjectItem].Caption(), "Eject Drive ()");
  EXPECT_EQ(bench.p().frmSplash().lblplatform.Caption(), "OS - Windows");
  // No drive: nothing is opened, and the status says the lock did not happen.
  bench.Event([&bench] { bench.main()->LockDrive(); });
  EXPECT_TRUE(bench.fake.devices.calls.empty());
  EXPECT_EQ(bench.main()->Label1.Caption(), "Device  could not be locked.");
}

// An icon the shell refused: the program runs on, and balloons are attempted, not recorded.
TEST(StartupFaultEffects, AnIconTheShellRefusedLeavesTheProgramRunning) {
  FaultBench bench;
  bench.faults.FailAll(Fault::kTrayIconAdd);
  bench.Start();
  ASSERT_NE(bench.tray(), nullptr);
  EXPECT_FALSE(bench.tray()->in_area);
  bench.faults.Disarm();
  bench.Event([&bench] { bench.main()->EjectDrive(); });
  EXPECT_TRUE(bench.tray()->balloons.empty());
  EXPECT_EQ(bench.tray()->refused_balloons.size(), 1u);
  EXPECT_EQ(bench.main()->Label1.Caption(), "Device D: Tray is Ejected.");
  EXPECT_FALSE(bench.Ended());
}

}  // namespace
}  // namespace ventrix::testing
