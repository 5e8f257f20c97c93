#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "about/frm_about.h"
#include "main/frm_main_layout.h"
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
  EXPECT_EQ(frm.mnufile[main_layout::kFileCloseItem].Caption(), "&Close");
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
  EXPECT_EQ(frm.Label1.ShownForeColor(), kStatusGreen);
  EXPECT_EQ(t.tray().items.size(), 9u);
}

// Colours read as the forms runtime gives them to the backend to paint with.
TEST_F(Startup, HighContrastPaintsWithTheSystemsColoursAndOffAsDesigned) {
  FrmMain& frm = Start();
  FrmAbout& about = t->frmAbout();
  // Turned on while the program runs: the system's colour change makes the runtime ask again.
  t.fake.contrast.high_contrast = true;
  EXPECT_TRUE(t->runtime().ReadContrast());
  EXPECT_EQ(frm.Label1.ForeColor(), kStatusGreen);  // the program's own value stays
  EXPECT_EQ(frm.Label1.ShownForeColor(), forms::kWindowTextColor);
  EXPECT_EQ(about.vbwHyperlink1.ShownColor(), forms::kHotLightColor);
  EXPECT_EQ(about.Line1[0].ShownColor(), forms::kHighlight3dColor);
  EXPECT_EQ(about.Line1[1].ShownColor(), forms::kShadow3dColor);
  // Labels without a colour of their own keep the system's default.
  EXPECT_EQ(about.lblTitle.ShownForeColor(), forms::kDefaultColor);

  t.fake.contrast.high_contrast = false;
  EXPECT_TRUE(t->runtime().ReadContrast());
  EXPECT_FALSE(t->runtime().ReadContrast());
  EXPECT_EQ(frm.Label1.ShownForeColor(), kStatusGreen);
  EXPECT_EQ(about.vbwHyperlink1.ShownColor(), kLinkColor);
  EXPECT_EQ(about.Line1[0].ShownColor(), forms::kWhite);
  EXPECT_EQ(about.Line1[1].ShownColor(), forms::kGrey128);
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
  EXPECT_EQ(frm.mnufile[main_layout::kFileCloseItem].Caption(), "E&xit");
  EXPECT_EQ(t->frmSettings().Check4.Value(), 0);
  EXPECT_TRUE(t.fake.placement.calls.empty());
  EXPECT_FALSE(t->frmSplash().Visible());
  EXPECT_FALSE(frm.Visible());
  EXPECT_EQ(vars().VisibleOnStartup, -1);

  testing::TestProgram other;
  other.fake.settings.values[{"Ventrix 3", "settings", "Send to Tray"}] = "3";
  other->Start();
  EXPECT_EQ(other->frmMain().mnufile[main_layout::kFileCloseItem].Caption(), "&Close");
  EXPECT_EQ(other->frmSettings().Check4.Value(), 0);
}

TEST_F(Startup, CaptionsCarryTheDriveAsStoredAndOnlyEjectAndLockAreOffered) {
  Store("Device Status", "opened");
  Store("Lock Status", "1");
  FrmMain& frm = Start();
  EXPECT_EQ(frm.mnuoperations[main_layout::kEjectItem].Caption(), "Eject Drive (D:\\)");
  EXPECT_EQ(frm.mnuoperations[main_layout::kCloseItem].Caption(), "Close Drive (D:\\)");
  EXPECT_EQ(frm.mnuoperations[main_layout::kLockItem].Caption(), "Lock Drive (D:\\)");
  EXPECT_EQ(frm.mnuoperations[main_layout::kUnlockItem].Caption(), "Un-Lock Drive (D:\\)");
  EXPECT_EQ(Shown(), kEjectAndLock);
  EXPECT_EQ(Enabled(), kAllEnabled);
}

TEST_F(Startup, NoCdDriveGivesEmptyBrackets) {
  t.fake.drives.drives = {{"C:\\", 3}};
  FrmMain& frm = Start();
  EXPECT_EQ(frm.mnuoperations[main_layout::kEjectItem].Caption(), "Eject Drive ()");
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

// A store that notes what start-up had already done when the settings were first read.
class WitnessStore : public testing::FakeSettingsStore {
 public:
  std::function<void()> on_first_read;
  std::string Read(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& default_text) override {
    if (reads.empty() && on_first_read) on_first_read();
    return FakeSettingsStore::Read(application, section, key, default_text);
  }
};

TEST(StartupOrder, ThePlatformLineIsWrittenBeforeTheSettingsAreRead) {
  testing::TestPlatform fake;
  fake.version.SetWin98();
  WitnessStore store;
  Program program(fake.platform({.settings = &store}));
  std::string line_at_first_read = "<not read>";
  bool settings_window_loaded = false;
  store.on_first_read = [&] {
    if (FrmSplash* splash = program.LoadedSplash())
      line_at_first_read = splash->lblplatform.Caption();
    settings_window_loaded = program.LoadedSettings() != nullptr;
  };
  program.Start();
  EXPECT_EQ(line_at_first_read, "Windows 98");
  EXPECT_TRUE(settings_window_loaded);
  EXPECT_FALSE(store.reads.empty());
}

// A headless backend that reports every change of a window's visibility as it happens.
class VisibilityWitness : public testing::HeadlessBackend {
 public:
  std::function<void(const forms::Form&)> on_visible;

  void Realize(forms::Form& form) override {
    HeadlessBackend::Realize(form);
    form.AttachPeer(std::make_unique<Peer>(*this, form, HandleOf(form)));
  }

 private:
  class Peer : public forms::FormPeer {
   public:
    Peer(VisibilityWitness& owner, forms::Form& form, WindowHandle handle)
        : owner_(owner), form_(form), handle_(handle) {}
    void Sync(forms::FormChange change) override {
      if (change == forms::FormChange::kVisible && owner_.on_visible) owner_.on_visible(form_);
    }
    WindowHandle Handle() override { return handle_; }
    void SetFocus() override {}

   private:
    VisibilityWitness& owner_;
    forms::Form& form_;
    WindowHandle handle_;
  };
};

TEST(StartupOrder, SplashOnTopThenShownThenTickedAndMainShownBeforeItsBoxIsTicked) {
  testing::TestPlatform fake;
  VisibilityWitness ui;
  fake.Store("Banner Enabled", "1");
  fake.Store("Visible on Start-up", "1");
  Program program(fake.platform({.ui = &ui}));
  std::vector<std::string> seen;
  ui.on_visible = [&](const forms::Form& form) {
    const FrmSettings* settings = program.LoadedSettings();
    ASSERT_NE(settings, nullptr);
    seen.push_back(form.Name() + (form.Visible() ? " shown" : " hidden") +
                   " placements=" + std::to_string(fake.placement.calls.size()) +
                   " Check3=" + std::to_string(settings->Check3.Value()) +
                   " Check2=" + std::to_string(settings->Check2.Value()));
  };
  program.Start();
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "frmSplash shown placements=1 Check3=0 Check2=0",
                      "frmMain shown placements=1 Check3=1 Check2=0",
                  }));
}

}  // namespace
}  // namespace ventrix
