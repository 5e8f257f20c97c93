#include "splash/frm_splash.h"

#include <gtest/gtest.h>

#include "platform/window_placement.h"
#include "program/product.h"
#include "program/resource_ids.h"
#include "tests/support/test_platform.h"

namespace ventrix {
namespace {

struct Splash : ::testing::Test {
  testing::TestProgram t;
  FrmSplash& StartWithBanner() {
    t.fake.settings.values[{"Ventrix 3", "settings", "Banner Enabled"}] = "1";
    t->Start();
    return t->frmSplash();
  }
};

TEST_F(Splash, LoadFillsTheLabelsAndStartUpOverwritesThePlatform) {
  t.fake.facts.year = 2031;
  t->vars().AppTitle = "Ventrix 3";
  FrmSplash& splash = t->frmSplash();
  EXPECT_FALSE(splash.Visible());
  EXPECT_EQ(splash.lblProductName.Caption(), "Ventrix 3");
  EXPECT_EQ(splash.lblplatform.Caption(), "NT 4.0, 2000 && XP");
  EXPECT_EQ(splash.lblCopyright.Caption(), "Copyright (c) 2031");
  EXPECT_EQ(splash.lblCompany.Caption(), "Tarrowby");
  EXPECT_EQ(splash.lblVersion.Caption(), "Version 3.36");
  EXPECT_EQ(splash.lblwebaddress.Caption(), WebSiteUrl);
  EXPECT_EQ(splash.imgLogo.Picture(), IDI_VENTRIX);

  t->Start();
  EXPECT_EQ(&t->frmSplash(), &splash);
  EXPECT_EQ(splash.lblplatform.Caption(), "OS - Windows XP");
}

TEST_F(Splash, ACharacterKeyOrAFrameClickHidesItLabelsDoNot) {
  FrmSplash& splash = StartWithBanner();
  ASSERT_TRUE(splash.Visible());
  t.fake.ui.Click(splash.lblProductName);
  EXPECT_TRUE(splash.Visible());
  t.fake.ui.PressKey(splash, 'a');
  EXPECT_FALSE(splash.Visible());

  splash.Show();
  t.fake.ui.Click(splash.Frame1);
  EXPECT_FALSE(splash.Visible());
  EXPECT_EQ(t->LoadedSplash(), &splash);
}

TEST_F(Splash, EveryTimerTickHidesItCountedFromCreation) {
  FrmSplash& splash = StartWithBanner();
  t.fake.ui.Advance(1999);
  EXPECT_TRUE(splash.Visible());
  t.fake.ui.Advance(1);
  EXPECT_FALSE(splash.Visible());
  t.fake.ui.Advance(1000);
  splash.Show();
  t.fake.ui.Advance(1000);
  EXPECT_FALSE(splash.Visible());
  EXPECT_EQ(splash.lblVersion.Caption(), "Version 3.36");
}

TEST_F(Splash, TheCloseBoxOnlyHidesItSoItIsNeverUnloaded) {
  FrmSplash& splash = StartWithBanner();
  t.fake.ui.CloseBox(splash);
  EXPECT_FALSE(splash.Visible());
  EXPECT_EQ(t->LoadedSplash(), &splash);
  EXPECT_EQ(splash.lblplatform.Caption(), "OS - Windows XP");
  EXPECT_FALSE(t->runtime().Ended());
}

TEST_F(Splash, WithoutTheBannerItIsLoadedFilledAndNeverSeen) {
  t->Start();
  FrmSplash* splash = t->LoadedSplash();
  ASSERT_NE(splash, nullptr);
  EXPECT_FALSE(splash->Visible());
  EXPECT_EQ(splash->lblProductName.Caption(), "Ventrix 3");
  EXPECT_EQ(splash->lblVersion.Caption(), "Version 3.36");
  EXPECT_EQ(splash->lblplatform.Caption(), "OS - Windows XP");
  EXPECT_TRUE(t.fake.placement.calls.empty());
  t.fake.ui.Advance(6000);
  EXPECT_FALSE(splash->Visible());
  EXPECT_EQ(t->LoadedSplash(), splash);
}

TEST_F(Splash, EnterEscAndSpaceHideItLikeALetter) {
  FrmSplash& splash = StartWithBanner();
  for (const char key : {'\r', '\x1b', ' '}) {
    splash.Show();
    t.fake.ui.PressKey(splash, key);
    EXPECT_FALSE(splash.Visible()) << static_cast<int>(key);
  }
  EXPECT_EQ(t->LoadedSplash(), &splash);
}

TEST_F(Splash, TheBannerMakesItTopmostAndShowsIt) {
  FrmSplash& splash = StartWithBanner();
  const auto& calls = t.fake.placement.calls;
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].window, t.fake.ui.HandleOf(splash));
  EXPECT_EQ(calls[0].insert_after, kHwndTopmost);
  EXPECT_EQ(calls[0].x + calls[0].y + calls[0].cx + calls[0].cy, 0);
  EXPECT_EQ(calls[0].flags, 3u);
  EXPECT_TRUE(splash.Visible());
}

}  // namespace
}  // namespace ventrix
