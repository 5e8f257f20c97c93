// Whatever is stored as the drive and whatever drives the machine has, every way the program has
// of acting on a drive reaches the platform with a drive letter's device path or not at all.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "main/frm_main_layout.h"
#include "settings/frm_settings.h"
#include "tests/native/main/main_fixture.h"

namespace ventrix {
namespace {

constexpr std::uint32_t kFixedDrive = 3;  // DRIVE_FIXED
const std::set<std::string> kDoorCommands{"set CDAudio door open", "set CDAudio door closed"};

using SetRelease = void (testing::FakeVersionQuery::*)();
const std::vector<SetRelease> kReleases{
    &testing::FakeVersionQuery::SetWinXP, &testing::FakeVersionQuery::SetWin98,
    &testing::FakeVersionQuery::SetWin2003, &testing::FakeVersionQuery::SetWin7};

// One machine: a fake platform set up by the test, then the program started on it.
struct Machine {
  testing::TestProgram t;

  explicit Machine(SetRelease set_release = &testing::FakeVersionQuery::SetWinXP) {
    (t.fake.version.*set_release)();
  }
  void StoreDrive(const std::string& drive) { t.fake.Store("Default CD Drive Letter", drive); }
  void Start() { t->Start(); }
  SettingsVariables& vars() { return t->vars(); }

  // Every entry to the four operations: the Operations menu (by index, whatever its items'
  // visibility), the status line's double click and the tray popup menu, twice round.
  void RunEveryOperation() {
    FrmMain& frm = t->frmMain();
    for (int round = 0; round < 2; ++round) {
      for (std::int16_t index : {main_layout::kEjectItem, main_layout::kCloseItem,
                                 main_layout::kLockItem, main_layout::kUnlockItem}) {
        t->runtime().Dispatch([&] { frm.mnuoperations_Click(index); });
      }
      t.fake.ui.DblClick(frm.Label1);
      t.fake.ui.DblClick(frm.Label1);
      t.tray().picks = {"Operate Tray", "Operate Tray", "Lock-Unlock", "Lock-Unlock"};
      for (int pick = 0; pick < 4; ++pick) t.tray().on_click(kMouseRight);
    }
  }

  std::vector<std::string> OpenedPaths() const {
    std::vector<std::string> paths;
    for (const testing::DeviceCall& call : t.fake.devices.calls) paths.push_back(call.path);
    return paths;
  }
  // The multimedia commands sent that are not one of the two door commands.
  std::vector<std::string> OtherCommands() const {
    std::vector<std::string> others;
    for (const auto& [command, length] : t.fake.multimedia.commands) {
      if (!kDoorCommands.contains(command)) others.push_back(command);
    }
    return others;
  }
};

class StoredDrive : public ::testing::TestWithParam<std::string> {};

TEST_P(StoredDrive, NeverReachesTheDevicesOrTheMultimediaCommands) {
  for (const SetRelease set_release : kReleases) {
    Machine machine(set_release);
    machine.StoreDrive(GetParam());
    machine.Start();
    ASSERT_EQ(machine.vars().DriveLetter, GetParam());
    machine.RunEveryOperation();
    EXPECT_EQ(machine.OpenedPaths(), std::vector<std::string>{});
    EXPECT_EQ(machine.OtherCommands(), std::vector<std::string>{});
    EXPECT_TRUE(machine.t.fake.settings.writes.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    NotADriveLetter, StoredDrive,
    ::testing::Values("\\\\.\\PhysicalDrive0", "..\\..", "C:\\Windows", "", " ", "\\",
                      "PhysicalDrive0", "\\\\.\\D:", "\\\\?\\D:", "\\\\.\\CdRom0", "D:\\..", "D:/",
                      "D", "DD:", "1:", ":", "D:x", std::string("D:\0", 3),
                      std::string(kMaxSettingLength, 'D'), "\\\\server\\share", "CON", "NUL"));

TEST(DriveStrings, ADriveLetterInAnyStoredFormReachesOnlyItsDevice) {
  for (const char* stored : {"E:", "e:\\", " E:\\ ", "E:\\  "}) {
    Machine machine;
    machine.StoreDrive(stored);
    machine.Start();
    machine.RunEveryOperation();
    ASSERT_FALSE(machine.OpenedPaths().empty()) << stored;
    for (const std::string& path : machine.OpenedPaths()) {
      EXPECT_TRUE(path == "\\\\.\\E:" || path == "\\\\.\\e:") << stored << " opened " << path;
    }
  }
}

// Each request strips one trailing backslash in place: a doubled one is refused by the first
// request and leaves D: for the next, which reaches D:'s device and nothing else.
TEST(DriveStrings, ADoubledBackslashIsRefusedOnceThenNamesItsLetter) {
  Machine machine;
  machine.StoreDrive("D:\\\\");
  machine.Start();
  machine.t->runtime().Dispatch([&] { machine.t->frmMain().LockDrive(); });
  EXPECT_EQ(machine.OpenedPaths(), std::vector<std::string>{});
  EXPECT_EQ(machine.vars().DriveLetter, "D:\\");
  machine.RunEveryOperation();
  ASSERT_FALSE(machine.OpenedPaths().empty());
  for (const std::string& path : machine.OpenedPaths()) EXPECT_EQ(path, "\\\\.\\D:");
}

TEST(DriveStrings, NoCdDriveMeansNoDriveAndNoRequest) {
  for (const SetRelease set_release : kReleases) {
    Machine machine(set_release);
    machine.t.fake.drives.drives = {{"C:\\", kFixedDrive}};
    machine.Start();
    EXPECT_EQ(machine.vars().DriveLetter, "");
    EXPECT_EQ(machine.t->frmSettings().Combo1.ListCount(), 0);
    machine.RunEveryOperation();
    EXPECT_EQ(machine.OpenedPaths(), std::vector<std::string>{});
    EXPECT_EQ(machine.OtherCommands(), std::vector<std::string>{});
  }

  // No drive list at all reads the same.
  Machine unlisted;
  unlisted.t.fake.drives.fails = true;
  unlisted.Start();
  EXPECT_EQ(unlisted.vars().DriveLetter, "");
  unlisted.RunEveryOperation();
  EXPECT_EQ(unlisted.OpenedPaths(), std::vector<std::string>{});
}

TEST(DriveStrings, AllTwentySixLettersInUseReachOnlyTheChosenCdDrive) {
  Machine machine;
  machine.t.fake.drives.drives.clear();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    machine.t.fake.drives.drives[std::string{letter, ':', '\\'}] =
        letter == 'X' || letter == 'Z' ? kDriveCdrom : kFixedDrive;
  }
  machine.Start();
  EXPECT_EQ(machine.vars().DriveLetter, "X:\\");
  ASSERT_EQ(machine.t->frmSettings().Combo1.ListCount(), 2);
  machine.RunEveryOperation();
  ASSERT_FALSE(machine.OpenedPaths().empty());
  for (const std::string& path : machine.OpenedPaths()) EXPECT_EQ(path, "\\\\.\\X:");

  // The last CD drive, picked in the settings window.
  machine.t.fake.devices.calls.clear();
  machine.t.fake.ui.Pick(machine.t->frmSettings().Combo1, 1);
  EXPECT_EQ(machine.vars().DriveLetter, "Z:\\");
  machine.RunEveryOperation();
  ASSERT_FALSE(machine.OpenedPaths().empty());
  for (const std::string& path : machine.OpenedPaths()) EXPECT_EQ(path, "\\\\.\\Z:");
}

}  // namespace
}  // namespace ventrix
