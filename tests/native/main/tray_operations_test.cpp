#include <gtest/gtest.h>

#include <memory>

#include "about/frm_about.h"
#include "drive/lock_record.h"
#include "main/frm_main_layout.h"
#include "platform/device_control.h"
#include "program/product.h"
#include "settings/frm_settings.h"
#include "splash/frm_splash.h"
#include "tests/native/main/main_fixture.h"

namespace ventrix {
namespace {

using Ops = MainFixture;

TEST_F(Ops, XpDoubleClickEjectsThenClosesTheSelectedDrive) {
  FrmMain& frm = Start();
  ASSERT_EQ(vars().DriveLetter, "D:\\");
  ASSERT_EQ(vars().DeviceStatus, "closed");

  ui().DblClick(frm.Label1);
  ASSERT_EQ(t.fake.devices.calls.size(), 1u);
  EXPECT_EQ(t.fake.devices.calls[0].path, "\\\\.\\D:");
  EXPECT_EQ(t.fake.devices.Codes(), (std::vector<std::uint32_t>{kIoctlStorageEjectMedia}));
  EXPECT_EQ(vars().DriveLetter, "D:");
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  EXPECT_EQ(frm.Label1.ForeColor(), kStatusGreen);
  ASSERT_EQ(t.tray().balloons.size(), 1u);
  EXPECT_EQ(t.tray().balloons[0].title, "Ventrix 3");
  EXPECT_EQ(t.tray().balloons[0].text, "Device D: Tray is Ejected.");
  EXPECT_EQ(Shown(), (Row{false, true, false, false}));

  ui().DblClick(frm.Label1);
  EXPECT_EQ(t.fake.devices.Codes(),
            (std::vector<std::uint32_t>{kIoctlStorageEjectMedia, kIoctlStorageLoadMedia}));
  EXPECT_EQ(vars().DeviceStatus, "closed");
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Closed.");
  EXPECT_EQ(t.tray().balloons.back().text, "Device D: Tray is Closed.");
  EXPECT_EQ(Shown(), kEjectAndLock);
  // Nothing the operations do reaches the settings store.
  EXPECT_TRUE(t.fake.settings.writes.empty());
}

TEST_F(Ops, MenuFollowsEveryOperationAsInTheStateTable) {
  FrmMain& frm = Start();
  EXPECT_EQ(Shown(), kEjectAndLock);
  EXPECT_EQ(Enabled(), kAllEnabled);

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kEjectItem));
  EXPECT_EQ(Shown(), (Row{false, true, false, false}));
  EXPECT_EQ(Enabled(), kAllEnabled);

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kCloseItem));
  EXPECT_EQ(Shown(), kEjectAndLock);

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  EXPECT_EQ(Shown(), (Row{true, false, false, true}));
  EXPECT_EQ(Enabled(), (Row{false, false, true, true}));
  EXPECT_EQ(vars().LockStatus, 1);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
  EXPECT_EQ(t.fake.devices.calls.back().inputs.back(), (std::vector<std::uint8_t>{1}));

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kUnlockItem));
  EXPECT_EQ(Shown(), kEjectAndLock);
  EXPECT_EQ(Enabled(), kAllEnabled);
  EXPECT_EQ(vars().LockStatus, 0);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is unlocked.");
  EXPECT_EQ(t.fake.devices.calls.back().codes,
            (std::vector<std::uint32_t>{kIoctlStorageMediaRemoval}));
  EXPECT_EQ(t.fake.devices.calls.back().inputs.back(), (std::vector<std::uint8_t>{0}));
}

TEST_F(Ops, LockThenCloseLeavesEjectDisabledAndUnlockReenablesIt) {
  Store("Device Status", "opened");
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  ui().DblClick(frm.Label1);  // the status line ignores the menu's enabled state
  EXPECT_EQ(t.fake.devices.Codes().back(), kIoctlStorageLoadMedia);
  EXPECT_EQ(Shown(), kEjectAndLock);
  EXPECT_EQ(Enabled(), (Row{false, false, true, true}));

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  EXPECT_EQ(Shown(), (Row{true, false, false, true}));
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kUnlockItem));
  EXPECT_EQ(Enabled(), kAllEnabled);
  EXPECT_EQ(Shown(), kEjectAndLock);
}

TEST_F(Ops, Windows98UsesCommandStringsAndReportsNothing) {
  t.fake.version.SetWin98();
  FrmMain& frm = Start();
  Event([&] { frm.EjectDrive(); });
  ASSERT_EQ(t.fake.multimedia.commands.size(), 1u);
  EXPECT_EQ(t.fake.multimedia.commands[0].first, "set CDAudio door open");
  EXPECT_EQ(t.fake.multimedia.commands[0].second, 127u);
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(frm.Label1.Caption(), "Ready");
  EXPECT_TRUE(t.tray().balloons.empty());
  EXPECT_EQ(Shown(), kEjectAndLock);

  ui().DblClick(frm.Label1);
  EXPECT_EQ(t.fake.multimedia.commands.back().first, "set CDAudio door closed");
  EXPECT_EQ(vars().DeviceStatus, "closed");
  EXPECT_TRUE(t.fake.devices.calls.empty());
  // Nor is the drive asked: the remembered state decides there.
  EXPECT_TRUE(t.fake.devices.questions.empty());
  // The drive string is never touched on this path.
  EXPECT_EQ(vars().DriveLetter, "D:\\");
}

TEST_F(Ops, Windows2003NeitherEjectsNorClosesButLocks) {
  t.fake.version.SetWin2003();
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kEjectItem));
  Event([&] { frm.CloseDrive(); });
  ui().DblClick(frm.Label1);
  EXPECT_TRUE(t.fake.devices.calls.empty());
  EXPECT_TRUE(t.fake.multimedia.commands.empty());
  EXPECT_EQ(vars().DeviceStatus, "closed");
  EXPECT_EQ(frm.Label1.Caption(), "Ready");
  EXPECT_EQ(Shown(), kEjectAndLock);

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  EXPECT_EQ(t.fake.devices.Codes(), (std::vector<std::uint32_t>{kIoctlStorageMediaRemoval}));
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
}

TEST_F(Ops, Windows7And2000UseTheDevicePath) {
  t.fake.version.SetWin7();
  FrmMain& frm = Start();
  ui().DblClick(frm.Label1);
  EXPECT_EQ(t.fake.devices.Codes(), (std::vector<std::uint32_t>{kIoctlStorageEjectMedia}));
  t.fake.version.SetWin2000();  // asked anew at every call
  ui().DblClick(frm.Label1);
  EXPECT_EQ(t.fake.devices.Codes(),
            (std::vector<std::uint32_t>{kIoctlStorageEjectMedia, kIoctlStorageLoadMedia}));
}

TEST_F(Ops, ToggleIgnoresAnUnknownTrayStateButTheMenuStillWorks) {
  for (const char* status : {"Opened", ""}) {
    SCOPED_TRACE(status);
    testing::TestProgram fresh;
    fresh.fake.settings.values[{"Ventrix 3", "settings", "Device Status"}] = status;
    fresh->Start();
    FrmMain& frm = fresh->frmMain();
    fresh.fake.ui.DblClick(frm.Label1);
    EXPECT_TRUE(fresh.fake.devices.calls.empty());
    EXPECT_EQ(frm.Label1.Caption(), "Ready");
    ASSERT_TRUE(fresh.fake.ui.PickMenu(frm.mnuoperations, main_layout::kEjectItem));
    EXPECT_EQ(fresh.fake.devices.Codes(), (std::vector<std::uint32_t>{kIoctlStorageEjectMedia}));
    EXPECT_EQ(fresh->vars().DeviceStatus, "opened");
  }
}

TEST_F(Ops, IndicesOutsideTheMenuDoNothing) {
  FrmMain& frm = Start();
  Event([&] { frm.mnuoperations_Click(4); });
  Event([&] { frm.mnuoperations_Click(-1); });
  EXPECT_TRUE(t.fake.devices.calls.empty());
  EXPECT_EQ(frm.Label1.Caption(), "Ready");
  EXPECT_EQ(Shown(), kEjectAndLock);
}

TEST_F(Ops, EjectTwiceSendsTwoRequestsAndStaysOpened) {
  FrmMain& frm = Start();
  Event([&] { frm.EjectDrive(); });
  Event([&] { frm.EjectDrive(); });
  EXPECT_EQ(t.fake.devices.Codes(),
            (std::vector<std::uint32_t>{kIoctlStorageEjectMedia, kIoctlStorageEjectMedia}));
  EXPECT_EQ(vars().DeviceStatus, "opened");
}

// Shown, a status stays exactly seven seconds as well, even one set just before a tick was due.
TEST_F(Ops, TimerPutsReadyBackSevenSecondsAfterAMessageWhileShown) {
  Store("Visible on Start-up", "1");
  FrmMain& frm = Start();
  ui().Advance(6999);
  ui().DblClick(frm.Label1);
  ASSERT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  frm.Label1.set_fore_color(0);
  ui().Advance(6999);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  ui().Advance(1);
  EXPECT_EQ(frm.Label1.Caption(), "Ready");
  EXPECT_EQ(frm.Label1.ForeColor(), kStatusGreen);
}

// Hidden or shown and idle, no timer falls due; a status brings "Ready" back exactly one interval
// later, and a tick that falls due inside a message box runs right after it closes.
TEST_F(Ops, TheTimersStopWhenIdleAndAStatusStaysExactlySevenSeconds) {
  FrmMain& frm = Start();
  ASSERT_FALSE(frm.Visible());
  ui().Advance(7000);
  EXPECT_TRUE(frm.Timer1.Paused());
  EXPECT_TRUE(t->frmSplash().Timer1.Paused());
  EXPECT_TRUE(t->frmSettings().Timer1.Paused());

  ui().Advance(60'000);
  ui().DblClick(frm.Label1);
  ui().Advance(6999);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  ui().Advance(1);
  EXPECT_EQ(frm.Label1.Caption(), "Ready");
  ui().Advance(7000);
  EXPECT_TRUE(frm.Timer1.Paused());

  ui().DblClick(frm.Label1);
  ui().message_box_open_ms = 10'000;
  FrmAbout& about = t->frmAbout();
  about.Show();
  ui().Click(about.cmdSysInfo);
  ASSERT_EQ(t.fake.ui.message_boxes.size(), 1u);
  EXPECT_EQ(frm.Label1.Caption(), "Ready");  // the tick due at 7 s ran once the box closed
  ui().message_box_open_ms = 0;

  // A tick that falls due while the tray menu is open does not wipe the status its pick sets:
  // the status restarts the timer, so Ready comes a full seven seconds after it.
  t.tray().while_open = [this] { ui().Advance(8000); };
  t.tray().picks.push_back("Operate Tray");
  t.tray().on_click(kMouseRight);
  t.tray().while_open = nullptr;
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  ui().Advance(6999);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  ui().Advance(1);
  EXPECT_EQ(frm.Label1.Caption(), "Ready");

  // Shown with "Ready", idle: no timer falls due either.
  frm.Show();
  ui().Advance(7000 * 3);
  EXPECT_TRUE(frm.Timer1.Paused());
  EXPECT_TRUE(t->frmSettings().Timer1.Paused());
  ui().DblClick(frm.Label1);
  EXPECT_FALSE(frm.Timer1.Paused());
  ui().Advance(7000);
  EXPECT_EQ(frm.Label1.Caption(), "Ready");
  ui().Advance(7000);
  EXPECT_TRUE(frm.Timer1.Paused());
}

// The state follows what was asked, so the toggle never sticks; the status says the drive refused.
TEST_F(Ops, RefusedOrUnopenedRequestsChangeStateAndMenuAsOnSuccess) {
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  t.fake.devices.request_succeeds = false;  // a locked drive refuses the eject
  t.tray().picks.push_back("Operate Tray");
  t.tray().on_click(kMouseRight);
  EXPECT_EQ(t.fake.devices.Codes().back(), kIoctlStorageEjectMedia);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray could not be ejected.");
  EXPECT_EQ(t.tray().balloons.back().text, "Device D: Tray could not be ejected.");
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(Shown(), (Row{false, true, false, false}));

  t.fake.devices.open_succeeds = false;
  ui().DblClick(frm.Label1);
  EXPECT_EQ(vars().DeviceStatus, "closed");
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray could not be closed.");
  Event([&] { frm.UnlockDrive(); });
  EXPECT_EQ(vars().LockStatus, 0);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: could not be unlocked.");
  // The lock placed first is still this run's: it is not sent again.
  const std::size_t opens = t.fake.devices.calls.size();
  Event([&] { frm.LockDrive(); });
  EXPECT_EQ(t.fake.devices.calls.size(), opens);
  EXPECT_EQ(vars().LockStatus, 1);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
  t.fake.devices.open_succeeds = true;
  t.fake.devices.request_succeeds = false;
  Event([&] { frm.UnlockDrive(); });
  Event([&] { frm.LockDrive(); });
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
  t.fake.devices.request_succeeds = true;
  Event([&] { frm.UnlockDrive(); });
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is unlocked.");
  t.fake.devices.open_succeeds = false;
  Event([&] { frm.LockDrive(); });
  EXPECT_EQ(frm.Label1.Caption(), "Device D: could not be locked.");
  EXPECT_TRUE(ui().message_boxes.empty());

  // A drive that answers again gets its success texts back.
  t.fake.devices.open_succeeds = true;
  t.fake.devices.request_succeeds = true;
  ui().DblClick(frm.Label1);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
}

constexpr const char* kDrivePath = "\\\\.\\D:";

int LocksOnD(testing::TestProgram& t) { return t.fake.devices.counted[kDrivePath].locks; }
void Pick(testing::TestProgram& t, std::int16_t item) {
  ASSERT_TRUE(t.fake.ui.PickMenu(t->frmMain().mnuoperations, item));
}
void TrayPick(testing::TestProgram& t, const char* key) {
  t.tray().picks.push_back(key);
  t.tray().on_click(kMouseRight);
}
// The program ends (an exit or a crash: the drive cannot tell them apart) and starts again.
void Restart(testing::TestProgram& t) {
  t.program.reset();
  t.program = t.fake.BuildProgram();
  t->Start();
}

// A drive counts its locks, and ending the program releases none. Each road leaves the drive
// locked by one or more requests; one Un-Lock then leaves it unlocked and says so.
TEST(OpsCountingDrive, EveryRoadEndsUnlockedAfterOneUnlock) {
  using namespace main_layout;
  struct Road {
    const char* name;
    void (*locks)(testing::TestProgram&);
    void (*unlocks)(testing::TestProgram&);
  };
  const Road roads[] = {
      {"menu, then the status line ejects (refused) and closes, then the menu locks again",
       [](testing::TestProgram& t) {
         Pick(t, kLockItem);
         t.fake.ui.DblClick(t->frmMain().Label1);
         EXPECT_EQ(t->frmMain().Label1.Caption(), "Device D: Tray could not be ejected.");
         t.fake.ui.DblClick(t->frmMain().Label1);
         Pick(t, kLockItem);
       },
       [](testing::TestProgram& t) { Pick(t, kUnlockItem); }},
      {"tray popup, with a refused unlock between two locks",
       [](testing::TestProgram& t) {
         TrayPick(t, "Lock-Unlock");
         t.fake.devices.open_succeeds = false;
         TrayPick(t, "Lock-Unlock");
         EXPECT_EQ(t->frmMain().Label1.Caption(), "Device D: could not be unlocked.");
         t.fake.devices.open_succeeds = true;
         TrayPick(t, "Lock-Unlock");
       },
       [](testing::TestProgram& t) { TrayPick(t, "Lock-Unlock"); }},
      {"command line, twice",
       [](testing::TestProgram& t) {
         EXPECT_EQ(t->frmMain().RunHandedCommand(HandedCommand::kLock), kExitTaken);
         EXPECT_EQ(t->frmMain().RunHandedCommand(HandedCommand::kLock), kExitTaken);
       },
       [](testing::TestProgram& t) {
         EXPECT_EQ(t->frmMain().RunHandedCommand(HandedCommand::kUnlock), kExitTaken);
       }},
      {"lock, exit or crash, start, lock again",
       [](testing::TestProgram& t) {
         Pick(t, kLockItem);
         Restart(t);
         // The menus offer Un-Lock for the recorded lock; a script's /lock locks again.
         EXPECT_EQ(t->vars().LockStatus, kLocked);
         EXPECT_EQ(t->frmMain().RunHandedCommand(HandedCommand::kLock), kExitTaken);
       },
       [](testing::TestProgram& t) { Pick(t, kUnlockItem); }},
      {"lock, exit or crash, start; the command line unlocks",
       [](testing::TestProgram& t) {
         Pick(t, kLockItem);
         Restart(t);
       },
       [](testing::TestProgram& t) {
         EXPECT_EQ(t->frmMain().RunHandedCommand(HandedCommand::kUnlock), kExitTaken);
       }},
      {"lock, exit, start, lock, exit, start (a log-on task's /lock each day); Un-Lock",
       [](testing::TestProgram& t) {
         Pick(t, kLockItem);
         Restart(t);
         t->frmMain().RunHandedCommand(HandedCommand::kLock);
         Restart(t);
         EXPECT_EQ(LocksOnD(t), 2);
       },
       [](testing::TestProgram& t) { Pick(t, kUnlockItem); }},
      {"lock, exit, start, lock, exit, start; /unlock",
       [](testing::TestProgram& t) {
         t->frmMain().RunHandedCommand(HandedCommand::kLock);
         Restart(t);
         t->frmMain().RunHandedCommand(HandedCommand::kLock);
         Restart(t);
       },
       [](testing::TestProgram& t) {
         EXPECT_EQ(t->frmMain().RunHandedCommand(HandedCommand::kUnlock), kExitTaken);
       }},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.name);
    testing::TestProgram t;
    t.fake.devices.counting = true;
    t->Start();
    road.locks(t);
    ASSERT_GT(LocksOnD(t), 0);
    road.unlocks(t);
    EXPECT_EQ(LocksOnD(t), 0);
    EXPECT_EQ(t->frmMain().Label1.Caption(), "Device D: is unlocked.");
    EXPECT_EQ(t->vars().LockStatus, kUnlocked);
    EXPECT_EQ(t.fake.settings.Get("Drive Locks", "D:"), "0");
    EXPECT_TRUE(t.fake.settings.OnlyLockRecordWritten());
  }
}

constexpr const char* kDriveEPath = "\\\\.\\E:";

// Each drive keeps its own record, and the menus follow the drive picked in the settings window:
// Un-Lock for a drive Ventrix locked, Lock for another.
TEST(OpsCountingDrive, EachDriveIsUnlockedOnItsOwnAndTheMenusFollowThePick) {
  using namespace main_layout;
  testing::TestProgram t;
  t.fake.devices.counting = true;
  t.fake.drives.drives = {{"C:\\", 3}, {"D:\\", kDriveCdrom}, {"E:\\", kDriveCdrom}};
  t->Start();
  FrmMain& frm = t->frmMain();
  FrmSettings& settings = t->frmSettings();
  Pick(t, kLockItem);
  t.fake.ui.Pick(settings.Combo1, 1);
  EXPECT_EQ(t->vars().LockStatus, kUnlocked);
  EXPECT_TRUE(frm.mnuoperations[kLockItem].Visible());
  EXPECT_FALSE(frm.mnuoperations[kUnlockItem].Visible());
  EXPECT_TRUE(frm.mnuoperations[kEjectItem].Enabled());
  TrayPick(t, "Lock-Unlock");
  EXPECT_EQ(frm.Label1.Caption(), "Device E: is locked.");
  TrayPick(t, "Lock-Unlock");
  EXPECT_EQ(frm.Label1.Caption(), "Device E: is unlocked.");
  EXPECT_EQ(t.fake.devices.counted[kDriveEPath].locks, 0);
  EXPECT_EQ(LocksOnD(t), 1);

  t.fake.ui.Pick(settings.Combo1, 0);
  EXPECT_EQ(t->vars().LockStatus, kLocked);
  EXPECT_FALSE(frm.mnuoperations[kLockItem].Visible());
  EXPECT_FALSE(frm.mnuoperations[kEjectItem].Enabled());
  Pick(t, kUnlockItem);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is unlocked.");
  EXPECT_EQ(LocksOnD(t), 0);
  EXPECT_EQ(t.fake.settings.Get("Drive Locks", "D:"), "0");
  EXPECT_EQ(t.fake.settings.Get("Drive Locks", "E:"), "0");

  // A command's lock on another drive is that drive's: the menus go on offering the selected
  // drive's Lock, so the tray popup's Lock / Unlock still acts rightly on it.
  t->runtime().Dispatch([&] { EXPECT_EQ(frm.RunHandedCommand(HandedCommand::kLock, "E:"), 0); });
  EXPECT_EQ(frm.Label1.Caption(), "Device E: is locked.");
  EXPECT_EQ(t->vars().LockStatus, kUnlocked);
  EXPECT_TRUE(frm.mnuoperations[kLockItem].Visible());
  EXPECT_TRUE(frm.mnuoperations[kEjectItem].Enabled());
  TrayPick(t, "Lock-Unlock");
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
  EXPECT_EQ(LocksOnD(t), 1);
}

// What the record reads back is bounded: a huge count sends kMaxRecordedLocks + 1 allows, an
// unreadable one counts as none.
TEST(OpsCountingDrive, ARecordReadBackIsBounded) {
  using namespace main_layout;
  struct Row {
    const char* stored;
    bool unlock_offered;
    std::size_t allows;
  };
  const std::size_t bound = static_cast<std::size_t>(kMaxRecordedLocks);
  for (const Row& row : {Row{"99999999999999999999999", true, bound + 1},
                         Row{"33", true, bound + 1}, Row{"32", true, bound + 1}, Row{"2", true, 3},
                         Row{"-5", false, 1}, Row{"x7", false, 1}, Row{"", false, 1}}) {
    SCOPED_TRACE(row.stored);
    testing::TestProgram t;
    t.fake.Store("D:", row.stored, "Drive Locks");
    t->Start();
    EXPECT_EQ(t->frmMain().mnuoperations[kUnlockItem].Visible(), row.unlock_offered);
    t->runtime().Dispatch([&] { t->frmMain().UnlockDrive(); });
    EXPECT_EQ(t.fake.devices.calls.size(), row.allows);
    EXPECT_EQ(t->frmMain().Label1.Caption(), "Device D: is unlocked.");
    EXPECT_EQ(t.fake.settings.Get("Drive Locks", "D:"), row.unlock_offered ? "0" : row.stored);
  }
}

// A drive without a motorised tray refuses the close; the tray state follows what was asked.
TEST(OpsCountingDrive, ADriveWithoutAMotorisedTrayRefusesTheClose) {
  testing::TestProgram t;
  t.fake.devices.counting = true;
  t.fake.devices.counted[kDrivePath].motorised = false;
  t->Start();
  t.fake.ui.DblClick(t->frmMain().Label1);
  EXPECT_TRUE(t.fake.devices.counted[kDrivePath].tray_open);
  t.fake.ui.DblClick(t->frmMain().Label1);
  EXPECT_EQ(t->frmMain().Label1.Caption(), "Device D: Tray could not be closed.");
  EXPECT_TRUE(t.fake.devices.counted[kDrivePath].tray_open);
  EXPECT_EQ(t->vars().DeviceStatus, "closed");
}

using Tells = testing::FakeDeviceControl::Tells;

// The drive as it stands when it is asked, and what it tells.
struct DriveState {
  Tells tells;
  bool tray_open;
  bool disc;
  bool opens_read_write = true;
};

void SetDrive(testing::TestProgram& t, const DriveState& state) {
  testing::FakeDeviceControl::CountingDrive& drive = t.fake.devices.counted[kDrivePath];
  drive.tells = state.tells;
  drive.tray_open = state.tray_open;
  drive.disc = state.disc;
  drive.opens_read_write = state.opens_read_write;
}

// The toggle asks the drive at the moment, so a tray moved by the drive's own button or another
// program is followed; what the drive cannot tell, the remembered state decides as before.
TEST(OpsAskingTheDrive, EveryToggleFollowsWhatTheDriveTells) {
  struct Row {
    const char* name;
    DriveState drive;
    const char* remembered;
    std::uint32_t sent;
  };
  const Row rows[] = {
      {"mechanism status: opened behind the program's back",
       {Tells::kMechanism, true, true},
       "closed",
       kIoctlStorageLoadMedia},
      {"mechanism status: closed behind its back",
       {Tells::kMechanism, false, false},
       "opened",
       kIoctlStorageEjectMedia},
      {"sense: open", {Tells::kSense, true, true}, "closed", kIoctlStorageLoadMedia},
      {"sense: closed and empty", {Tells::kSense, false, false}, "opened", kIoctlStorageEjectMedia},
      {"readiness: closed with a disc",
       {Tells::kReadiness, false, true},
       "opened",
       kIoctlStorageEjectMedia},
      {"readiness: not ready, so the remembered state",
       {Tells::kReadiness, true, true},
       "closed",
       kIoctlStorageEjectMedia},
      {"nothing told: the remembered state",
       {Tells::kNothing, true, true},
       "closed",
       kIoctlStorageEjectMedia},
      {"the read-write open refused: the remembered state",
       {Tells::kMechanism, true, true, false},
       "closed",
       kIoctlStorageEjectMedia},
  };
  const std::pair<const char*, void (*)(testing::TestProgram&)> roads[] = {
      {"status line", [](testing::TestProgram& t) { t.fake.ui.DblClick(t->frmMain().Label1); }},
      {"tray popup", [](testing::TestProgram& t) { TrayPick(t, "Operate Tray"); }},
      {"command line",
       [](testing::TestProgram& t) { t->frmMain().RunHandedCommand(HandedCommand::kToggle); }},
  };
  for (const auto& [road_name, toggle] : roads) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(road_name) + ": " + row.name);
      testing::TestProgram t;
      t->Start();
      SetDrive(t, row.drive);
      t->vars().DeviceStatus = row.remembered;
      toggle(t);
      EXPECT_EQ(t.fake.devices.Codes(), (std::vector<std::uint32_t>{row.sent}));
      // One read-write handle for the questions, closed again.
      ASSERT_EQ(t.fake.devices.questions.size(), 2u);
      EXPECT_EQ(t.fake.devices.questions.back().access, kGenericRead | kGenericWrite);
      EXPECT_TRUE(t.fake.devices.EveryHandleClosedOnce());
      EXPECT_EQ(t->vars().DeviceStatus, row.sent == kIoctlStorageLoadMedia ? "closed" : "opened");
    }
  }
}

// At start-up the state and the menu follow the drive where it tells; elsewhere as always.
TEST(OpsAskingTheDrive, StartUpTakesTheTrayAsTheDriveTells) {
  struct Case {
    const char* name;
    DriveState drive;
    const char* stored;
    const char* status;
    Row shown;
  };
  const Case cases[] = {
      {"open", {Tells::kMechanism, true, true}, "closed", "opened", {false, true, false, false}},
      {"closed", {Tells::kSense, false, false}, "opened", "closed", kEjectAndLock},
      {"nothing told", {Tells::kNothing, true, true}, "opened", "opened", kEjectAndLock},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TestProgram t;
    SetDrive(t, c.drive);
    t.fake.Store("Device Status", c.stored);
    t->Start();
    EXPECT_EQ(t->vars().DeviceStatus, c.status);
    forms::MenuArray& menu = t->frmMain().mnuoperations;
    EXPECT_EQ((Row{menu[0].Visible(), menu[1].Visible(), menu[2].Visible(), menu[3].Visible()}),
              c.shown);
    EXPECT_EQ(t->frmMain().Label1.Caption(), "Ready");
    EXPECT_TRUE(t.fake.devices.calls.empty());
    EXPECT_TRUE(t.fake.settings.writes.empty());
  }
}

constexpr std::uint32_t kDriveD = 1u << 3;
constexpr std::uint32_t kDriveE = 1u << 4;

// The drive's own button: a disc leaving opened the tray, one arriving closed it. The menu
// follows as after an eject or a close, keeping Un-Lock while locked; nothing is reported.
TEST_F(Ops, ADiscArrivingOrLeavingTheSelectedDriveMovesTheTrayState) {
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  const std::size_t balloons = t.tray().balloons.size();
  const std::size_t opens = t.fake.devices.calls.size();

  ui().BroadcastVolumeChange(t->runtime(), {.arrived = false, .drives = kDriveD, .media = true});
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(Shown(), (Row{false, true, false, true}));
  ui().BroadcastVolumeChange(t->runtime(), {.arrived = true, .drives = kDriveD, .media = true});
  EXPECT_EQ(vars().DeviceStatus, "closed");
  EXPECT_EQ(Shown(), (Row{true, false, false, true}));
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
  EXPECT_EQ(t.tray().balloons.size(), balloons);
  EXPECT_EQ(t.fake.devices.calls.size(), opens);

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kUnlockItem));
  // Another drive's disc, and a drive (not a disc) leaving, move nothing.
  ui().BroadcastVolumeChange(t->runtime(), {.arrived = false, .drives = kDriveE, .media = true});
  ui().BroadcastVolumeChange(t->runtime(), {.arrived = false, .drives = kDriveD, .media = false});
  EXPECT_EQ(vars().DeviceStatus, "closed");
  ui().BroadcastVolumeChange(t->runtime(),
                             {.arrived = false, .drives = kDriveD | kDriveE, .media = true});
  EXPECT_EQ(Shown(), (Row{false, true, false, false}));
  // So the toggle closes the tray that the button opened.
  ui().DblClick(frm.Label1);
  EXPECT_EQ(t.fake.devices.Codes().back(), kIoctlStorageLoadMedia);

  // Unplugging the drive released this run's lock on it: the next Lock is sent again.
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  ui().BroadcastVolumeChange(t->runtime(), {.arrived = false, .drives = kDriveD, .media = false});
  const std::size_t before = t.fake.devices.calls.size();
  Event([&] { frm.LockDrive(); });
  EXPECT_EQ(t.fake.devices.calls.size(), before + 1);
}

// While this run holds the selected drive's lock its own events are heard: the eject button
// shows why the tray stays shut, a disc moves the tray state. The watch follows the lock and the
// selected drive, and lets go when the system removes the drive.
TEST_F(Ops, WhileLockedTheDrivesButtonSaysWhyTheTrayStaysShut) {
  t.fake.drives.drives["E:\\"] = kDriveCdrom;
  FrmMain& frm = Start();
  EXPECT_EQ(frm.WatchedDevice(), "");
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  EXPECT_EQ(frm.WatchedDevice(), kDrivePath);

  ui().Advance(main_layout::kTimer1IntervalMs);
  const std::size_t balloons = t.tray().balloons.size();
  ui().RaiseDeviceEvent(frm, forms::DeviceEvent::kEjectRequest);
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
  ASSERT_EQ(t.tray().balloons.size(), balloons + 1);
  EXPECT_EQ(t.tray().balloons.back().text, "Device D: is locked.");
  ui().RaiseDeviceEvent(frm, forms::DeviceEvent::kMediaRemoved);
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(Shown(), (Row{false, true, false, true}));
  ui().RaiseDeviceEvent(frm, forms::DeviceEvent::kMediaArrived);
  EXPECT_EQ(vars().DeviceStatus, "closed");

  FrmSettings& settings = t->frmSettings();
  ui().Pick(settings.Combo1, 1);
  EXPECT_EQ(frm.WatchedDevice(), "");
  ui().Pick(settings.Combo1, 0);
  EXPECT_EQ(frm.WatchedDevice(), kDrivePath);

  ui().QueryRemoveWatched(frm);
  EXPECT_EQ(frm.WatchedDevice(), "");
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kUnlockItem));
  EXPECT_EQ(frm.WatchedDevice(), "");
  const std::size_t unlocked = t.tray().balloons.size();
  ui().RaiseDeviceEvent(frm, forms::DeviceEvent::kEjectRequest);
  EXPECT_EQ(t.tray().balloons.size(), unlocked);

  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  EXPECT_EQ(frm.WatchedDevice(), kDrivePath);
  ui().BroadcastVolumeChange(t->runtime(), {.arrived = false, .drives = kDriveD, .media = false});
  EXPECT_EQ(frm.WatchedDevice(), "");
}

TEST_F(Ops, Windows98KeepsTheMenuWhenADiscMoves) {
  t.fake.version.SetWin98();
  Start();
  ui().BroadcastVolumeChange(t->runtime(), {.arrived = false, .drives = kDriveD, .media = true});
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(Shown(), kEjectAndLock);
}

// Windows 98 locks through the device path like every release.
TEST_F(Ops, Windows98LocksThroughTheDevicePath) {
  t.fake.version.SetWin98();
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuoperations, main_layout::kLockItem));
  EXPECT_EQ(t.fake.devices.Codes(), (std::vector<std::uint32_t>{kIoctlStorageMediaRemoval}));
  EXPECT_EQ(frm.Label1.Caption(), "Device D: is locked.");
  EXPECT_EQ(vars().LockStatus, 1);
}

class RejectingMultimedia : public MultimediaCommands {
 public:
  std::uint32_t SendString(const std::string& command, std::size_t) override {
    sent.push_back(command);
    return kNoDevice;
  }
  static constexpr std::uint32_t kNoDevice = 275;  // MCIERR_INVALID_DEVICE_NAME
  std::vector<std::string> sent;
};

TEST(OpsCommandStrings, ARejectedCommandStillTogglesTheRememberedState) {
  testing::TestPlatform fake;
  fake.version.SetWin98();
  RejectingMultimedia multimedia;
  Program program(fake.platform({.multimedia = &multimedia}));
  program.Start();
  program.runtime().Dispatch([&] { program.frmMain().ToggleTray(); });
  EXPECT_EQ(program.vars().DeviceStatus, "opened");
  program.runtime().Dispatch([&] { program.frmMain().ToggleTray(); });
  EXPECT_EQ(program.vars().DeviceStatus, "closed");
  EXPECT_EQ(multimedia.sent,
            (std::vector<std::string>{"set CDAudio door open", "set CDAudio door closed"}));
  EXPECT_TRUE(fake.ui.message_boxes.empty());
}

}  // namespace
}  // namespace ventrix
