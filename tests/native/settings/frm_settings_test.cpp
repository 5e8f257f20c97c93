#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main/frm_main_layout.h"
#include "platform/window_placement.h"
#include "tests/native/settings/settings_fixture.h"

namespace ventrix::testing {
namespace {

std::vector<std::string> OperationCaptions(FrmMain& main) {
  std::vector<std::string> captions;
  for (std::int16_t i = 0; i < main.mnuoperations.Count(); ++i) {
    captions.push_back(main.mnuoperations[i].Caption());
  }
  return captions;
}

struct FrmSettingsTest : SettingsTest {
  FrmSettingsTest() {
    program.fake.drives.drives = {{"C:\\", 3}, {"D:\\", kDriveCdrom}, {"E:\\", kDriveCdrom}};
  }
};

TEST_F(FrmSettingsTest, LoadListsTheCdDrivesHiddenAndSelectsTheFirst) {
  FrmSettings& settings = Window();
  EXPECT_FALSE(settings.Visible());
  EXPECT_EQ(settings.Combo1.Entries(), (std::vector<std::string>{"D:\\", "E:\\"}));
  EXPECT_EQ(settings.Combo1.ListIndex(), 0);
  EXPECT_EQ(settings.Combo1.Text(), "D:\\");
  EXPECT_EQ(vars().DriveLetter, "D:\\");

  ui().Pick(settings.Combo1, 1);
  EXPECT_EQ(vars().DriveLetter, "E:\\");
  ui().Type(settings.Combo1, "Z:\\");
  EXPECT_EQ(vars().DriveLetter, "E:\\");
  EXPECT_TRUE(store().writes.empty());
}

// The list shows the drive in use, so a save keeps it; its stored form stays as it was.
TEST_F(FrmSettingsTest, TheStoredDriveShowsSelectedAndASaveKeepsIt) {
  Store("settings", "Default CD Drive Letter", "E:");
  FrmSettings& settings = Window();
  EXPECT_EQ(settings.Combo1.ListIndex(), 1);
  EXPECT_EQ(settings.Combo1.Text(), "E:\\");
  EXPECT_EQ(vars().DriveLetter, "E:");
  ui().Click(settings.cmddefault);
  EXPECT_EQ(store().Get("settings", "Default CD Drive Letter"), "E:\\");
}

// A drive that is not there (unplugged) stays the drive in use until the user picks or saves;
// the list follows drives plugged in and out, keeping the drive in use selected while listed.
TEST_F(FrmSettingsTest, TheListFollowsDrivesThatComeAndGoAndKeepsTheDriveInUse) {
  Store("settings", "Default CD Drive Letter", "F:");
  FrmSettings& settings = Window();
  EXPECT_EQ(settings.Combo1.ListIndex(), 0);
  EXPECT_EQ(vars().DriveLetter, "F:");
  EXPECT_EQ(program->frmMain().mnuoperations[0].Caption(), "Eject Drive (F:)");

  auto announce = [this](bool arrived, char letter) {
    const std::uint32_t drives = 1u << (letter - 'A');
    ui().BroadcastVolumeChange(program->runtime(),
                               {.arrived = arrived, .drives = drives, .media = false});
  };
  program.fake.drives.drives["F:\\"] = kDriveCdrom;
  announce(true, 'F');
  EXPECT_EQ(settings.Combo1.Entries(), (std::vector<std::string>{"D:\\", "E:\\", "F:\\"}));
  EXPECT_EQ(settings.Combo1.ListIndex(), 2);
  EXPECT_EQ(vars().DriveLetter, "F:");

  program.fake.drives.drives.erase("E:\\");
  announce(false, 'E');
  EXPECT_EQ(settings.Combo1.Entries(), (std::vector<std::string>{"D:\\", "F:\\"}));
  EXPECT_EQ(settings.Combo1.Text(), "F:\\");

  program.fake.drives.drives.erase("F:\\");
  announce(false, 'F');
  EXPECT_EQ(settings.Combo1.Entries(), (std::vector<std::string>{"D:\\"}));
  EXPECT_EQ(settings.Combo1.Text(), "D:\\");
  EXPECT_EQ(vars().DriveLetter, "F:");

  // A disc put in changes no drive; a save takes what the list shows.
  const int listings = program.fake.drives.list_calls;
  ui().BroadcastVolumeChange(program->runtime(),
                             {.arrived = true, .drives = 1u << 3, .media = true});
  EXPECT_EQ(program.fake.drives.list_calls, listings);
  ui().Click(settings.Cmdsave);
  EXPECT_EQ(vars().DriveLetter, "D:");
}

TEST_F(FrmSettingsTest, SaveStoresTheStrippedDriveAndRelabelsTheOperations) {
  FrmSettings& settings = Window();
  ui().Pick(settings.Combo1, 1);
  settings.Check3.set_value(forms::kChecked);
  settings.Check4.set_value(forms::kUnchecked);
  ui().Click(settings.Cmdsave);

  EXPECT_EQ(vars().DriveLetter, "E:");
  EXPECT_EQ(store().Get("settings", "Default CD Drive Letter"), "E:");
  EXPECT_EQ(store().Get("settings", "Banner Enabled"), "1");
  EXPECT_EQ(store().Get("settings", "Send to Tray"), "0");
  EXPECT_EQ(store().writes.size(), 8u);
  EXPECT_EQ(OperationCaptions(program->frmMain()),
            (std::vector<std::string>{"Eject Drive (E:)", "Close Drive (E:)", "Lock Drive (E:)",
                                      "Un-Lock Drive (E:)"}));
  EXPECT_EQ(settings.Label4.Caption(), "Settings Saved");
  EXPECT_FALSE(ui().quit);
}

TEST_F(FrmSettingsTest, DefaultStoresTheListedDriveAndLeavesTheCaptions) {
  FrmSettings& settings = Window();
  const auto captions = OperationCaptions(program->frmMain());
  ui().Pick(settings.Combo1, 1);
  ui().Click(settings.cmddefault);
  EXPECT_EQ(store().Get("settings", "Default CD Drive Letter"), "E:\\");
  EXPECT_EQ(OperationCaptions(program->frmMain()), captions);
  EXPECT_EQ(settings.Label4.Caption(), "Default settings Saved");
}

TEST_F(FrmSettingsTest, DefaultUndoesAnUnsavedSplashTickAndPutsTheFlagsIntoTheBoxes) {
  Store("settings", "Visible on Start-up", "1");
  FrmSettings& settings = Window();
  ui().Click(settings.Check3);
  EXPECT_EQ(vars().BannerEnabled, 0);
  ui().Click(settings.cmddefault);
  EXPECT_EQ(settings.Check3.Value(), forms::kUnchecked);
  EXPECT_EQ(settings.Check2.Value(), forms::kChecked);
  EXPECT_EQ(store().Get("settings", "Banner Enabled"), "0");
}

TEST_F(FrmSettingsTest, CloseSetsTheFileItemSavesAndHides) {
  FrmSettings& settings = Window();
  FrmMain& main = program->frmMain();
  settings.Show();
  settings.Check4.set_value(forms::kChecked);
  ui().Click(settings.Cmdmain);
  EXPECT_EQ(main.mnufile[main_layout::kFileCloseItem].Caption(), "Close");
  EXPECT_FALSE(settings.Visible());
  EXPECT_EQ(program->LoadedSettings(), &settings);
  EXPECT_EQ(store().Get("settings", "Default CD Drive Letter"), "D:");

  settings.Check4.set_value(forms::kUnchecked);
  EXPECT_EQ(vars().SendToTray, 0);
  EXPECT_EQ(main.mnufile[main_layout::kFileCloseItem].Caption(),
            "Close");  // only "&Close" relabels it
  ui().Click(settings.Cmdmain);
  EXPECT_EQ(main.mnufile[main_layout::kFileCloseItem].Caption(), "Exit");
  EXPECT_EQ(store().Get("settings", "Send to Tray"), "0");
}

TEST_F(FrmSettingsTest, AlwaysOnTopReachesBothWindowsAtOnce) {
  FrmSettings& settings = Window();
  const WindowHandle main_window = ui().HandleOf(program->frmMain());
  const WindowHandle settings_window = ui().HandleOf(settings);
  auto& calls = program.fake.placement.calls;
  calls.clear();

  ui().Click(settings.Check1);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].window, main_window);
  EXPECT_EQ(calls[1].window, settings_window);
  for (const PlacementCall& call : calls) {
    EXPECT_EQ(call.insert_after, kHwndTopmost);
    EXPECT_EQ(call.x + call.y + call.cx + call.cy, 0);
    EXPECT_EQ(call.flags, 3u);
  }
  EXPECT_EQ(vars().AlwaysOnTop, 1);
  EXPECT_TRUE(store().writes.empty());

  ui().Click(settings.Check1);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[2].insert_after, kHwndNoTopmost);
  EXPECT_EQ(calls[3].insert_after, kHwndNoTopmost);
  EXPECT_EQ(vars().AlwaysOnTop, 0);
}

// Shown, the status starts the timer again: it is cleared a whole period later, even when set
// just before a tick was due, and the idle timer then pauses.
TEST_F(FrmSettingsTest, TimerClearsTheStatusTextOnePeriodAfterIt) {
  FrmSettings& settings = Window();
  settings.Show();
  ui().Advance(4000);
  ui().Click(settings.Cmdsave);
  ui().Advance(4999);
  EXPECT_EQ(settings.Label4.Caption(), "Settings Saved");
  ui().Advance(1);
  EXPECT_EQ(settings.Label4.Caption(), "");
  ui().Advance(5000);
  EXPECT_TRUE(settings.Timer1.Paused());
}

TEST_F(FrmSettingsTest, WithoutACdDriveNothingIsSelectedAndTheDriveSavesAsEmptyText) {
  program.fake.drives.drives = {{"C:\\", 3}};
  FrmSettings& settings = Window();
  EXPECT_EQ(settings.Combo1.ListCount(), 0);
  EXPECT_EQ(settings.Combo1.ListIndex(), forms::kNoSelection);
  EXPECT_EQ(vars().DriveLetter, "");
  ui().Click(settings.cmddefault);
  EXPECT_EQ(store().Get("settings", "Default CD Drive Letter"), "");
  ui().Click(settings.Cmdsave);
  EXPECT_EQ(store().Get("settings", "Default CD Drive Letter"), "");
  EXPECT_EQ(vars().DriveLetter, "");
  EXPECT_FALSE(ui().quit);
  EXPECT_TRUE(ui().message_boxes.empty());
}

TEST_F(FrmSettingsTest, DefaultLeavesABoxThatCannotShowTheStoredValue) {
  Store("settings", "Banner Enabled", "7");
  Store("settings", "Always On Top", "2");
  FrmSettings& settings = Window();
  ui().Click(settings.Check3);
  program.fake.placement.calls.clear();
  ui().Click(settings.cmddefault);
  EXPECT_EQ(settings.Check3.Value(), forms::kChecked);
  // Greyed is shown, but it places no window and keeps the stored value.
  EXPECT_EQ(settings.Check1.Value(), forms::kGrayed);
  EXPECT_TRUE(program.fake.placement.calls.empty());
  EXPECT_EQ(vars().AlwaysOnTop, 2);
  EXPECT_EQ(store().Get("settings", "Banner Enabled"), "7");
  EXPECT_FALSE(ui().quit);
}

TEST_F(FrmSettingsTest, CloseBoxHidesWithoutSavingAndCloseThenKeepsTheChoices) {
  FrmSettings& settings = Window();
  settings.Show();
  ui().Pick(settings.Combo1, 1);
  ui().Click(settings.Check2);
  ui().Click(settings.Check3);
  const SettingsVariables before = vars();

  ui().CloseBox(settings);
  EXPECT_EQ(program->LoadedSettings(), &settings);
  EXPECT_FALSE(settings.Visible());
  EXPECT_TRUE(store().writes.empty());
  EXPECT_EQ(vars().DriveLetter, before.DriveLetter);
  EXPECT_EQ(vars().VisibleOnStartup, before.VisibleOnStartup);
  EXPECT_EQ(vars().BannerEnabled, before.BannerEnabled);

  settings.Show();
  ui().Click(settings.Cmdmain);
  EXPECT_EQ(store().Get("settings", "Default CD Drive Letter"), "E:");
  EXPECT_EQ(store().Get("settings", "Visible on Start-up"), "1");
  EXPECT_EQ(store().Get("settings", "Banner Enabled"), "1");

  // Esc is the close box: hidden, still loaded, nothing saved and the boxes as left.
  settings.Show();
  ui().Click(settings.Check3);
  const std::size_t writes = store().writes.size();
  ui().PressEscape(settings);
  EXPECT_EQ(program->LoadedSettings(), &settings);
  EXPECT_FALSE(settings.Visible());
  EXPECT_EQ(store().writes.size(), writes);
  EXPECT_EQ(settings.Check3.Value(), forms::kUnchecked);

  // An unload for any other reason goes ahead.
  program->runtime().Dispatch([&settings] { settings.Unload(); });
  EXPECT_EQ(program->LoadedSettings(), nullptr);
}

TEST_F(FrmSettingsTest, CloseCopiesTheBoxesRelabelsWithTheStrippedDriveAndSetsNoStatus) {
  FrmSettings& settings = Window();
  FrmMain& main = program->frmMain();
  settings.Show();
  ui().Pick(settings.Combo1, 1);
  settings.Check1.set_value(forms::kChecked);
  settings.Check2.set_value(forms::kChecked);
  settings.Check3.set_value(forms::kChecked);
  settings.Check4.set_value(forms::kUnchecked);
  ui().Click(settings.Cmdmain);

  EXPECT_EQ(vars().DriveLetter, "E:");
  EXPECT_EQ(vars().AlwaysOnTop, 1);
  EXPECT_EQ(vars().VisibleOnStartup, 1);
  EXPECT_EQ(vars().BannerEnabled, 1);
  EXPECT_EQ(vars().SendToTray, 0);
  EXPECT_EQ(main.mnufile[main_layout::kFileCloseItem].Caption(), "Exit");
  EXPECT_EQ(OperationCaptions(main),
            (std::vector<std::string>{"Eject Drive (E:)", "Close Drive (E:)", "Lock Drive (E:)",
                                      "Un-Lock Drive (E:)"}));
  EXPECT_EQ(settings.Label4.Caption(), "");
  EXPECT_EQ(store().writes.size(), 8u);
  EXPECT_FALSE(settings.Visible());
}

TEST_F(FrmSettingsTest, CloseLeavesTheFileItemForAGreyedTrayBox) {
  FrmSettings& settings = Window();
  FrmMain& main = program->frmMain();
  const std::string before = main.mnufile[main_layout::kFileCloseItem].Caption();
  settings.Check4.set_value(forms::kGrayed);
  EXPECT_EQ(vars().SendToTray, forms::kGrayed);
  ui().Click(settings.Cmdmain);
  EXPECT_EQ(main.mnufile[main_layout::kFileCloseItem].Caption(), before);
  EXPECT_EQ(store().Get("settings", "Send to Tray"), "2");
}

TEST_F(FrmSettingsTest, GreyedBoxesLeaveTheirFlagsAndTheSplashBoxHasNoHandling) {
  FrmSettings& settings = Window();
  program.fake.placement.calls.clear();
  settings.Check1.set_value(forms::kGrayed);
  settings.Check2.set_value(forms::kGrayed);
  EXPECT_TRUE(program.fake.placement.calls.empty());
  EXPECT_EQ(vars().AlwaysOnTop, 0);
  EXPECT_EQ(vars().VisibleOnStartup, 0);

  ui().Click(settings.Check3);
  EXPECT_EQ(settings.Check3.Value(), forms::kChecked);
  EXPECT_EQ(vars().BannerEnabled, 0);
  EXPECT_TRUE(store().writes.empty());
}

TEST_F(FrmSettingsTest, DefaultPutsTheFlagsIntoTheBoxesAndAppliesAlwaysOnTopToBothWindows) {
  FrmSettings& settings = Window();
  FrmMain& main = program->frmMain();
  const std::string file_caption = main.mnufile[main_layout::kFileCloseItem].Caption();
  vars().AlwaysOnTop = 1;
  vars().SendToTray = 0;
  auto& calls = program.fake.placement.calls;
  calls.clear();

  ui().Click(settings.cmddefault);
  EXPECT_EQ(settings.Check1.Value(), forms::kChecked);
  EXPECT_EQ(settings.Check4.Value(), forms::kUnchecked);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].window, ui().HandleOf(main));
  EXPECT_EQ(calls[1].window, ui().HandleOf(settings));
  EXPECT_EQ(calls[0].insert_after, kHwndTopmost);
  EXPECT_EQ(calls[1].insert_after, kHwndTopmost);
  EXPECT_EQ(main.mnufile[main_layout::kFileCloseItem].Caption(), file_caption);
  EXPECT_EQ(store().Get("settings", "Always On Top"), "1");
  EXPECT_EQ(store().Get("settings", "Send to Tray"), "0");
  EXPECT_FALSE(settings.Visible());
}

TEST_F(FrmSettingsTest, AStatusTextSetJustAfterATickStaysForAWholePeriod) {
  FrmSettings& settings = Window();
  settings.Show();
  ui().Advance(5001);
  ui().Click(settings.cmddefault);
  ui().Advance(4999);
  EXPECT_EQ(settings.Label4.Caption(), "Default settings Saved");
  ui().Advance(1);
  EXPECT_EQ(settings.Label4.Caption(), "");
}

// Label1 stands right before the drive list, so a screen reader names the list after it; the
// controls that take the focus keep the designed order.
TEST_F(FrmSettingsTest, ControlsTakeFocusInTheDesignedTabOrder) {
  FrmSettings& settings = Window();
  std::vector<std::string> by_tab(10);
  for (const forms::Control* control : settings.Controls()) {
    if (control->Kind() == forms::ControlKind::kTimer) continue;
    const int tab = control->TabIndex();
    ASSERT_GE(tab, 0);
    ASSERT_LT(tab, static_cast<int>(by_tab.size()));
    by_tab[static_cast<std::size_t>(tab)] = control->Name();
  }
  EXPECT_EQ(by_tab,
            (std::vector<std::string>{"Cmdsave", "Cmdmain", "Label4", "cmddefault", "Check1",
                                      "Check2", "Label1", "Combo1", "Check3", "Check4"}));
}

}  // namespace
}  // namespace ventrix::testing
