#include <gtest/gtest.h>

#include <stdexcept>

#include "about/frm_about.h"
#include "platform/device_control.h"
#include "program/resource_ids.h"
#include "settings/frm_settings.h"
#include "tests/native/main/main_fixture.h"

namespace ventrix {
namespace {

using TrayMenu = MainFixture;

TEST_F(TrayMenu, NineRowsInOrderWithTheDriveAsHeldAtStartup) {
  Start();
  const std::vector<TrayMenuItem>& items = t.tray().items;
  const std::vector<TrayMenuItem> expected{
      {"Open Ventrix", IDB_DISC, "Open Ventrix"},
      {"-", kNoPicture, "HR2"},
      {"Eject / Close (D:\\)", IDB_DISC, "Operate Tray"},
      {"Lock / Unlock (D:\\)", IDB_DISC, "Lock-Unlock"},
      {"Settings", IDB_SETTINGS, "Options"},
      {"-", kNoPicture, "HR3"},
      {"About", IDB_ABOUT, "ABOUT"},
      {"-", kNoPicture, "HR5"},
      {"Exit", IDB_EXIT_CROSS, "EXIT"},
  };
  ASSERT_EQ(items.size(), expected.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(items[i].caption, expected[i].caption);
    EXPECT_EQ(items[i].picture, expected[i].picture);
    EXPECT_EQ(items[i].Key, expected[i].Key);
  }
}

TEST_F(TrayMenu, OpenShowsTheWindowWithoutFocusAndDoubleClickFocuses) {
  FrmMain& frm = Start();
  t.tray().picks.push_back("Open Ventrix");
  t.tray().on_click(kMouseRight);
  EXPECT_TRUE(frm.Visible());
  EXPECT_NE(ui().Focused(), &frm);

  frm.Hide();
  t.tray().on_dbl_click(0);
  EXPECT_TRUE(frm.Visible());
  EXPECT_EQ(ui().Focused(), &frm);
}

TEST_F(TrayMenu, OperateTrayAndLockUnlockToggleByTheRememberedState) {
  FrmMain& frm = Start();
  t.tray().picks = {"Operate Tray", "Operate Tray", "Lock-Unlock", "Lock-Unlock"};
  t.tray().on_click(kMouseRight);
  EXPECT_EQ(vars().DeviceStatus, "opened");
  EXPECT_EQ(frm.Label1.Caption(), "Device D: Tray is Ejected.");
  t.tray().on_click(kMouseRight);
  EXPECT_EQ(vars().DeviceStatus, "closed");
  t.tray().on_click(kMouseRight);
  EXPECT_EQ(vars().LockStatus, 1);
  t.tray().on_click(kMouseRight);
  EXPECT_EQ(vars().LockStatus, 0);
  // The unlock undoes this run's lock and one that an earlier run may have left.
  EXPECT_EQ(t.fake.devices.calls.size(), 5u);
  EXPECT_EQ(t.fake.devices.calls[0].codes.at(0), kIoctlStorageEjectMedia);
  EXPECT_EQ(t.fake.devices.calls[1].codes.at(0), kIoctlStorageLoadMedia);
}

TEST_F(TrayMenu, UnknownRememberedStatesDoNothing) {
  Store("Device Status", "Opened");
  Start();
  // Start-up sets LockStatus from the drive's lock; another value may still come from elsewhere.
  vars().LockStatus = 2;
  t.tray().picks = {"Operate Tray", "Lock-Unlock"};
  t.tray().on_click(kMouseRight);
  t.tray().on_click(kMouseRight);
  EXPECT_TRUE(t.fake.devices.calls.empty());
}

TEST_F(TrayMenu, OptionsAndAboutOpenTheirWindows) {
  Start();
  t.tray().picks = {"Options", "ABOUT"};
  t.tray().on_click(kMouseRight);
  EXPECT_TRUE(t->frmSettings().Visible());
  t.tray().on_click(kMouseRight);
  ASSERT_NE(t->LoadedAbout(), nullptr);
  EXPECT_TRUE(t->LoadedAbout()->Visible());
}

TEST_F(TrayMenu, ExitEndsEvenWhenSendToTrayIsOn) {
  Store("Send to Tray", "1");
  Start();
  t.tray().picks.push_back("EXIT");
  t.tray().on_click(kMouseRight);
  EXPECT_TRUE(t->runtime().Ended());
  EXPECT_TRUE(t.fake.settings.writes.empty());
}

TEST_F(TrayMenu, DismissedSeparatorsAndCaseMismatchesDoNothing) {
  FrmMain& frm = Start();
  t.tray().picks = {std::nullopt, "HR2", "exit", "open ventrix"};
  for (int i = 0; i < 4; ++i) t.tray().on_click(kMouseRight);
  EXPECT_EQ(t.tray().menus_shown, 4);
  EXPECT_FALSE(t->runtime().Ended());
  EXPECT_FALSE(frm.Visible());
  EXPECT_TRUE(t.fake.devices.calls.empty());
}

TEST_F(TrayMenu, LeftClickRepeatsTheLastBalloonOtherButtonsNothing) {
  FrmMain& frm = Start();
  t.tray().on_click(kMouseLeft);
  ASSERT_EQ(t.tray().balloons.size(), 1u);
  EXPECT_EQ(t.tray().balloons[0].title, "Ventrix 3");
  EXPECT_EQ(t.tray().balloons[0].text, "");

  ui().DblClick(frm.Label1);
  t.tray().on_click(kMouseLeft);
  EXPECT_EQ(t.tray().balloons.back().text, "Device D: Tray is Ejected.");

  const std::size_t balloons = t.tray().balloons.size();
  t.tray().on_click(4);
  EXPECT_EQ(t.tray().balloons.size(), balloons);
  EXPECT_EQ(t.tray().menus_shown, 0);
}

TEST_F(TrayMenu, ClicksThatArriveWhileAHandlerRunsAreDropped) {
  FrmMain& frm = Start();
  t.tray().picks.push_back("EXIT");
  // As from inside the popup menu's or a message box's own message loop.
  Event([&] {
    t.tray().on_click(kMouseRight);
    t.tray().on_dbl_click(0);
    t.tray().on_click(kMouseLeft);
  });
  EXPECT_EQ(t.tray().menus_shown, 0);
  EXPECT_FALSE(frm.Visible());
  EXPECT_TRUE(t.tray().balloons.empty());
  EXPECT_FALSE(t->runtime().Ended());

  // Once that handler is over the icon answers again.
  t.tray().on_click(kMouseRight);
  EXPECT_TRUE(t->runtime().Ended());
}

// A tray icon whose menu fails: the click is swallowed and the program goes on.
class FailingMenuIcon : public testing::FakeTrayIcon {
 public:
  using FakeTrayIcon::FakeTrayIcon;
  std::optional<TrayMenuItem> ShowMenu() override { throw std::runtime_error("no menu"); }
};

class FailingMenuFactory : public TrayIconFactory {
 public:
  std::unique_ptr<TrayIcon> Create(const TrayIconDesign& design, WindowHandle) override {
    auto icon = std::make_unique<FailingMenuIcon>(design);
    last = icon.get();
    return icon;
  }
  FailingMenuIcon* last = nullptr;
};

TEST(TrayMenuFailure, AFailingMenuIsSkippedQuietly) {
  testing::TestPlatform fake;
  FailingMenuFactory icons;
  Program program(fake.platform({.tray_icons = &icons}));
  program.Start();
  ASSERT_NE(icons.last, nullptr);
  icons.last->on_click(kMouseRight);
  EXPECT_FALSE(program.runtime().Ended());
  EXPECT_TRUE(fake.ui.message_boxes.empty());
}

}  // namespace
}  // namespace ventrix
