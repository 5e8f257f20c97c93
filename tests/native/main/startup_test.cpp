#include <gtest/gtest.h>

#include <string>

#include "main/platform_text.h"
#include "program/product.h"
#include "program/resource_ids.h"
#include "settings/frm_settings.h"
#include "splash/frm_splash.h"
#include "tests/native/main/main_fixture.h"

namespace ventrix {
namespace {

using Startup = MainFixture;

TEST_F(Startup, FirstRunShowsOnlyTheTrayIconAndWritesNothing) {
  FrmMain& frm = Start();
  EXPECT_EQ(vars().AppTitle, "Ventrix 3");
  EXPECT_EQ(frm.Caption(), "Ventrix 3");
  EXPECT_FALSE(frm.Visible());
  ASSERT_NE(t->LoadedSplash(), nullptr);
  EXPECT_FALSE(t->LoadedSplash()->Visible());
  EXPECT_TRUE(t.fake.placement.calls.empty());
  EXPECT_EQ(frm.mnufile[0].Caption(), "&Close");
  EXPECT_EQ(t->frmSettings().Check3.Value(), 0);
  EXPECT_EQ(t->frmSettings().Check2.Value(), 0);
  EXPECT_EQ(t->frmSettings().Check4.Value(), 1);
  EXPECT_EQ(t->frmSettings().Check1.Value(), 0);
  EXPECT_TRUE(t.fake.settings.writes.empty());

  ASSERT_EQ(t.fake.tray_icons.created, 1);
  const TrayIconDesign& icon = t.tray().design;
  EXPECT_EQ(icon.icon, IDI_VENTRIX);
  EXPECT_EQ(icon.tooltip, "Ventrix is Running");
  EXPECT_TRUE(icon.visible);
  EXPECT_EQ(icon.balloontitle, "Ventrix 3");
  EXPECT_EQ(icon.balloonicon, 1);

  EXPECT_TRUE(frm.Label1.Visible());
  EXPECT_EQ(frm.Label1.Caption(), "Ready");
  EXPECT_EQ(frm.Label1.ForeColor(), kStatusGreen);
  EXPECT_EQ(t.tray().items.size(), 9u);
}

TEST_F(Startup, BannerAndVisibleShowTheSplashOnTopThenTheMainWindow) {
  Store("Banner Enabled", "1");
  Store("Visible on Start-up", "1");
  FrmMain& frm = Start();
  FrmSplash& splash = t->frmSplash();
  ASSERT_EQ(t.fake.placement.calls.size(), 1u);
  const auto& call = t.fake.placement.calls[0];
  EXPECT_EQ(call.window, splash.hWnd());
  EXPECT_EQ(call.insert_after, -1);
  EXPECT_EQ(call.x + call.y + call.cx + call.cy, 0);
  EXPECT_EQ(call.flags, 3u);
  EXPECT_TRUE(splash.Visible());
  EXPECT_TRUE(frm.Visible());
  EXPECT_EQ(t->frmSettings().Check3.Value(), 1);
  EXPECT_EQ(t->frmSettings().Check2.Value(), 1);
  EXPECT_EQ(vars().VisibleOnStartup, 1);
}

TEST_F(Startup, StoredAlwaysOnTopPlacesBothWindowsOnTop) {
  Store("Always On Top", "1");
  FrmMain& frm = Start();
  EXPECT_EQ(t->frmSettings().Check1.Value(), 1);
  EXPECT_EQ(t.fake.placement.LastFor(frm.hWnd()), kHwndTopmost);
  EXPECT_EQ(t.fake.placement.LastFor(t->frmSettings().hWnd()), kHwndTopmost);
  EXPECT_EQ(vars().AlwaysOnTop, 1);
}

TEST_F(Startup, SendToTrayOffGivesExitAndOtherFlagValuesAreLeftAlone) {
  Store("Send to Tray", "0");
  Store("Banner Enabled", "7");
  Store("Visible on Start-up", "-1");
  FrmMain& frm = Start();
  EXPECT_EQ(frm.mnufile[0].Caption(), "E&xit");
  EXPECT_EQ(t->frmSettings().Check4.Value(), 0);
  EXPECT_TRUE(t.fake.placement.calls.empty());
  EXPECT_FALSE(t->frmSplash().Visible());
  EXPECT_FALSE(frm.Visible());
  EXPECT_EQ(vars().VisibleOnStartup, -1);

  testing::TestProgram other;
  other.fake.settings.values[{"Ventrix 3", "settings", "Send to Tray"}] = "3";
  other->Start();
  EXPECT_EQ(other->frmMain().mnufile[0].Caption(), "&Close");
  EXPECT_EQ(other->frmSettings().Check4.Value(), 0);
}

TEST_F(Startup, CaptionsCarryTheDriveAsStoredAndOnlyEjectAndLockAreOffered) {
  Store("Device Status", "opened");
  Store("Lock Status", "1");
  FrmMain& frm = Start();
  EXPECT_EQ(frm.mnuoperations[0].Caption(), "Eject Drive (D:\\)");
  EXPECT_EQ(frm.mnuoperations[1].Caption(), "Close Drive (D:\\)");
  EXPECT_EQ(frm.mnuoperations[2].Caption(), "Lock Drive (D:\\)");
  EXPECT_EQ(frm.mnuoperations[3].Caption(), "Un-Lock Drive (D:\\)");
  EXPECT_EQ(Shown(), kEjectAndLock);
  EXPECT_EQ(Enabled(), kAllEnabled);
}

TEST_F(Startup, NoCdDriveGivesEmptyBrackets) {
  t.fake.drives.drives = {{"C:\\", 3}};
  FrmMain& frm = Start();
  EXPECT_EQ(frm.mnuoperations[0].Caption(), "Eject Drive ()");
}

struct PlatformCase {
  void (testing::FakeVersionQuery::*set)();
  const char* text;
  int questions;
};

class PlatformLine : public ::testing::TestWithParam<PlatformCase> {};

TEST_P(PlatformLine, FirstTrueTestNamesThePlatformAndLaterTestsAreNotAsked) {
  testing::FakeVersionQuery version;
  (version.*GetParam().set)();
  EXPECT_EQ(StartupPlatformText(version), GetParam().text);
  EXPECT_EQ(version.calls, GetParam().questions);
}

INSTANTIATE_TEST_SUITE_P(
    Releases, PlatformLine,
    ::testing::Values(PlatformCase{&testing::FakeVersionQuery::SetWin98, "Windows 98", 1},
                      PlatformCase{&testing::FakeVersionQuery::SetWinMe, "OS - Windows ME", 2},
                      PlatformCase{&testing::FakeVersionQuery::SetWin2000, "OS - Windows 2000", 3},
                      PlatformCase{&testing::FakeVersionQuery::SetWin2003,
                                   "OS - Windows 2003 Server", 4},
                      PlatformCase{&testing::FakeVersionQuery::SetWinXP, "OS - Windows XP", 5},
                      PlatformCase{&testing::FakeVersionQuery::SetWin7, "OS - Windows Vista", 6},
                      PlatformCase{&testing::FakeVersionQuery::SetNt4, "OS - Windows", 6}));

TEST_F(Startup, SplashPlatformLineIsOverwritten) {
  t.fake.version.SetNt4();
  Start();
  EXPECT_EQ(t->frmSplash().lblplatform.Caption(), "OS - Windows");
}

TEST_F(Startup, ClosingTheMainWindowEndsAtOnceWithoutSaving) {
  Store("Send to Tray", "1");
  FrmMain& frm = Start();
  ui().CloseBox(frm);
  EXPECT_TRUE(t->runtime().Ended());
  EXPECT_TRUE(ui().quit);
  EXPECT_TRUE(t.fake.settings.writes.empty());
  // Nothing runs after the end: not a timer tick, not the icon.
  ui().Advance(7000);
  t.tray().on_click(kMouseRight);
  EXPECT_EQ(t.tray().menus_shown, 0);
}

}  // namespace
}  // namespace ventrix
