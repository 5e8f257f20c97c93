#include <gtest/gtest.h>

#include "about/frm_about.h"
#include "main/frm_main_layout.h"
#include "program/product.h"
#include "settings/frm_settings.h"
#include "tests/native/main/main_fixture.h"
#include "webupdate/frm_web_update.h"

namespace ventrix {
namespace {

using Menus = MainFixture;

TEST_F(Menus, FileHidesToTheTrayWhenSendToTrayIsOn) {
  Store("Visible on Start-up", "1");
  FrmMain& frm = Start();
  frm.mnufile[main_layout::kFileCloseItem].set_caption("Close");
  ASSERT_TRUE(ui().PickMenu(frm.mnufile, main_layout::kFileCloseItem));
  EXPECT_FALSE(frm.Visible());
  EXPECT_EQ(frm.mnufile[main_layout::kFileCloseItem].Caption(), "&Close");
  EXPECT_FALSE(t->runtime().Ended());
}

TEST_F(Menus, FileEndsTheProgramWhenSendToTrayIsOff) {
  Store("Send to Tray", "0");
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnufile, main_layout::kFileCloseItem));
  EXPECT_TRUE(t->runtime().Ended());
  EXPECT_TRUE(t.fake.settings.writes.empty());
}

TEST_F(Menus, FileFollowsTheBoxAtOnceAndIgnoresOtherValues) {
  Store("Send to Tray", "0");
  Store("Visible on Start-up", "1");
  FrmMain& frm = Start();
  ui().Click(t->frmSettings().Check4);  // ticked, not yet saved
  ASSERT_EQ(frm.mnufile[main_layout::kFileCloseItem].Caption(), "E&xit");
  ASSERT_TRUE(ui().PickMenu(frm.mnufile, main_layout::kFileCloseItem));
  EXPECT_FALSE(t->runtime().Ended());
  EXPECT_FALSE(frm.Visible());

  frm.Show();
  vars().SendToTray = 2;
  ASSERT_TRUE(ui().PickMenu(frm.mnufile, main_layout::kFileCloseItem));
  Event([&] { frm.mnufile_Click(1); });
  EXPECT_TRUE(frm.Visible());
  EXPECT_FALSE(t->runtime().Ended());
}

TEST_F(Menus, OptionsShowsTheSettingsWindow) {
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuoptions, main_layout::kSettingsItem));
  EXPECT_TRUE(t->frmSettings().Visible());
}

TEST_F(Menus, CheckForUpdateAndAboutOpenOneWindowEachAndBringItForward) {
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuHelp, main_layout::kCheckForUpdateItem));
  FrmWebUpdate* update = t->LoadedWebUpdate();
  ASSERT_NE(update, nullptr);
  EXPECT_TRUE(update->Visible());
  EXPECT_EQ(ui().Focused(), update);
  ASSERT_TRUE(ui().PickMenu(frm.mnuHelp, main_layout::kAboutItem));
  FrmAbout* about = t->LoadedAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->Visible());
  EXPECT_EQ(ui().Focused(), about);

  ASSERT_TRUE(ui().PickMenu(frm.mnuHelp, main_layout::kCheckForUpdateItem));
  EXPECT_EQ(t->LoadedWebUpdate(), update);
  EXPECT_EQ(ui().Focused(), update);
  ASSERT_TRUE(ui().PickMenu(frm.mnuHelp, main_layout::kAboutItem));
  EXPECT_EQ(t->LoadedAbout(), about);
  EXPECT_FALSE(frm.Visible());
}

TEST_F(Menus, VisitWebsiteOpensTheSiteThroughTheShell) {
  FrmMain& frm = Start();
  ASSERT_TRUE(ui().PickMenu(frm.mnuHelp, main_layout::kVisitWebsiteItem));
  ASSERT_EQ(t.fake.shell.calls.size(), 1u);
  const testing::ShellCall& call = t.fake.shell.calls[0];
  EXPECT_EQ(call.file, WebSiteUrl);
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.owner, kNoWindow);
  // No parameters and no directory: the shell gets null for both and a normal window.
  EXPECT_FALSE(call.parameters.has_value());
  EXPECT_FALSE(call.directory.has_value());
  EXPECT_EQ(call.show, 1);

  t.fake.shell.result = 31;  // no association: silent
  ASSERT_TRUE(ui().PickMenu(frm.mnuHelp, main_layout::kVisitWebsiteItem));
  EXPECT_TRUE(ui().message_boxes.empty());
}

TEST_F(Menus, OtherHelpIndicesDoNothingAndTheHiddenItemsCannotBePicked) {
  FrmMain& frm = Start();
  for (std::int16_t index : {0, 1, 2}) EXPECT_FALSE(ui().PickMenu(frm.mnuHelp, index));
  for (std::int16_t index : {0, 1, 2, 5, 7, -1}) Event([&] { frm.mnuHelp_Click(index); });
  Event([&] { frm.mnuoptions_Click(1); });
  EXPECT_EQ(t->LoadedWebUpdate(), nullptr);
  EXPECT_EQ(t->LoadedAbout(), nullptr);
  EXPECT_FALSE(t->frmSettings().Visible());
  EXPECT_TRUE(t.fake.shell.calls.empty());
}

}  // namespace
}  // namespace ventrix
