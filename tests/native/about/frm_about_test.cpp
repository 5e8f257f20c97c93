#include "about/frm_about.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/components/hyperlink.h"
#include "program/product.h"
#include "program/resource_ids.h"
#include "tests/support/test_platform.h"
#include "webupdate/frm_web_update.h"

namespace ventrix::testing {
namespace {

constexpr const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

struct AboutTest : ::testing::Test {
  TestProgram program;
  AboutTest() { program->vars().AppTitle = "Ventrix 3"; }
  FrmAbout& About() { return program->frmAbout(); }
  std::vector<ShownMessageBox>& Boxes() { return program.fake.ui.message_boxes; }
  void ClickSysInfo() { program.fake.ui.Click(About().cmdSysInfo); }
};

TEST_F(AboutTest, LoadFillsTheTexts) {
  program.fake.facts.year = 2031;
  FrmAbout& about = About();
  EXPECT_EQ(about.Caption(), "About Ventrix 3");
  EXPECT_EQ(about.Icon(), IDI_VENTRIX);
  EXPECT_EQ(about.picIcon.Picture(), IDI_VENTRIX);
  EXPECT_EQ(about.lblVersion.Caption(), "Version 3.36");
  EXPECT_EQ(about.lblTitle.Caption(), "Ventrix 3");
  EXPECT_EQ(about.lblplatform.Caption(), "OS - Windows XP");
  EXPECT_EQ(about.lblDescription.Caption(), "Copyright (c) 2031 Tarrowby");
  EXPECT_EQ(about.lblDisclaimer.Caption().rfind("Warning: ", 0), 0u);
  EXPECT_EQ(about.vbwHyperlink1.Caption(), WebSiteUrl);
  EXPECT_EQ(about.vbwHyperlink1.LinkAddress(), WebSiteUrl);
  EXPECT_FALSE(about.Visible());
}

TEST_F(AboutTest, PlatformLineForEachRelease) {
  struct Case {
    void (FakeVersionQuery::*set)();
    const char* text;
  };
  const Case cases[] = {
      {&FakeVersionQuery::SetWin98, "OS - Windows 98"},
      {&FakeVersionQuery::SetWinMe, "OS - Windows ME"},
      {&FakeVersionQuery::SetWin2000, "OS - Windows 2000"},
      {&FakeVersionQuery::SetWin2003, "OS - Windows 2003 Server"},
      {&FakeVersionQuery::SetWinXP, "OS - Windows XP"},
      {&FakeVersionQuery::SetWin7, "OS - Windows Vista"},
      {&FakeVersionQuery::SetNt4, "Platform"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TestProgram fresh;
    (fresh.fake.version.*c.set)();
    EXPECT_EQ(fresh->frmAbout().lblplatform.Caption(), c.text);
  }
}

TEST_F(AboutTest, OkAndTheCloseBoxUnloadAndTheNextOpeningLoadsAfresh) {
  program.fake.facts.year = 2030;
  FrmAbout* first = &About();
  first->Show();
  program.fake.ui.Click(first->cmdOK);
  EXPECT_EQ(program->LoadedAbout(), nullptr);

  program.fake.facts.year = 2032;
  FrmAbout& second = About();
  EXPECT_EQ(second.lblDescription.Caption(), "Copyright (c) 2032 Tarrowby");
  program.fake.ui.CloseBox(second);
  EXPECT_EQ(program->LoadedAbout(), nullptr);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AboutTest, WebUpdateOpensOneWindowAndKeepsTheBoxOpen) {
  FrmAbout& about = About();
  program.fake.ui.Click(about.Command1);
  FrmWebUpdate* web = program->LoadedWebUpdate();
  ASSERT_NE(web, nullptr);
  EXPECT_TRUE(web->Visible());
  EXPECT_EQ(program.fake.ui.Focused(), web);
  program.fake.ui.Click(about.Command1);
  EXPECT_EQ(program->LoadedWebUpdate(), web);
  EXPECT_EQ(program->LoadedAbout(), &about);
}

TEST_F(AboutTest, SysInfoFromThePathValueWithoutCheckingTheFile) {
  program.fake.registry.keys[kPathKey]["PATH"] = {kRegSz, std::string("C:\\x\\msinfo32.exe\0", 18)};
  ClickSysInfo();
  ASSERT_EQ(program.fake.programs.started.size(), 1u);
  EXPECT_EQ(program.fake.programs.started[0].first, "C:\\x\\msinfo32.exe");
  EXPECT_EQ(program.fake.programs.started[0].second, 1);
  EXPECT_TRUE(program.fake.programs.queried.empty());
  EXPECT_TRUE(Boxes().empty());
  // Read access only (KEY_READ): the fake registry, as Windows for a standard user, refuses
  // any write access under HKEY_LOCAL_MACHINE.
  EXPECT_EQ(program.fake.registry.open_access, (std::vector<std::uint32_t>{0x20019}));
  EXPECT_EQ(program.fake.registry.closed.size(), 1u);
}

TEST_F(AboutTest, SysInfoStartFailureShowsTheMessage) {
  program.fake.registry.keys[kPathKey]["PATH"] = {kRegSz, "C:\\gone\\msinfo32.exe"};
  program.fake.programs.start_succeeds = false;
  ClickSysInfo();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, kUnavailable);
  EXPECT_EQ(Boxes()[0].style, 0);
  EXPECT_EQ(Boxes()[0].caption, "Ventrix3");
  EXPECT_NE(program->LoadedAbout(), nullptr);
}

TEST_F(AboutTest, SysInfoFromTheLocationFolder) {
  program.fake.registry.keys[kLocationKey]["MSINFO"] = {kRegSz, "C:\\Common\\MSInfo"};
  program.fake.programs.existing_files = {"C:\\Common\\MSInfo\\MSINFO32.EXE"};
  ClickSysInfo();
  ASSERT_EQ(program.fake.programs.started.size(), 1u);
  EXPECT_EQ(program.fake.programs.started[0].first, "C:\\Common\\MSInfo\\MSINFO32.EXE");
  EXPECT_TRUE(Boxes().empty());
  // The first key never opened, so only the second was closed.
  EXPECT_EQ(program.fake.registry.open_access.size(), 2u);
  EXPECT_EQ(program.fake.registry.closed.size(), 1u);
}

TEST_F(AboutTest, SysInfoUnavailableWhenNothingIsFound) {
  // Location known but the tool is not in it.
  program.fake.registry.keys[kLocationKey]["MSINFO"] = {kRegSz, "C:\\Common\\MSInfo"};
  ClickSysInfo();
  EXPECT_EQ(program.fake.programs.queried,
            (std::vector<std::string>{"C:\\Common\\MSInfo\\MSINFO32.EXE"}));
  // Neither key present.
  program.fake.registry.keys.clear();
  ClickSysInfo();
  // A PATH value of another type leaves no path to start.
  program.fake.registry.keys[kPathKey]["PATH"] = {3, "\x01\x02"};
  ClickSysInfo();
  EXPECT_TRUE(program.fake.programs.started.empty());
  ASSERT_EQ(Boxes().size(), 3u);
  for (const ShownMessageBox& box : Boxes()) EXPECT_EQ(box.text, kUnavailable);
}

bool SameRect(const forms::Rect& a, const forms::Rect& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST_F(AboutTest, LayoutTabOrderAndFonts) {
  FrmAbout& about = About();
  EXPECT_EQ(about.Design().caption, "About");
  EXPECT_EQ(about.Design().client_width, 5175);
  EXPECT_EQ(about.Design().client_height, 3045);
  EXPECT_FALSE(about.Design().min_button);
  EXPECT_FALSE(about.Design().max_button);
  EXPECT_TRUE(about.cmdOK.IsDefault());
  EXPECT_TRUE(about.cmdOK.IsCancel());
  struct Place {
    const forms::Control& control;
    forms::Rect rect;
    int tab;
  };
  const Place places[] = {
      {about.picIcon, {120, 240, 480, 480}, 1},
      {about.lblTitle, {840, 240, 3885, 225}, 5},
      {about.lblplatform, {840, 480, 3885, 255}, 7},
      {about.lblVersion, {840, 720, 3885, 195}, 6},
      {about.lblDescription, {840, 960, 3885, 210}, 3},
      {about.lblhyperlink, {120, 1200, 615, 255}, 9},
      {about.vbwHyperlink1, {840, 1200, 3990, 210}, 8},
      {about.lblDisclaimer, {120, 1680, 3735, 1260}, 4},
      {about.cmdOK, {3960, 1680, 1140, 345}, 0},
      {about.Command1, {3960, 2040, 1140, 345}, 10},
      {about.cmdSysInfo, {3960, 2400, 1125, 345}, 2},
  };
  for (const Place& place : places) {
    SCOPED_TRACE(place.control.Name());
    EXPECT_TRUE(SameRect(place.control.rect(), place.rect));
    EXPECT_EQ(place.control.TabIndex(), place.tab);
  }
  EXPECT_EQ(about.cmdOK.Caption(), "OK");
  EXPECT_EQ(about.Command1.Caption(), "Web Update");
  EXPECT_EQ(about.cmdSysInfo.Caption(), "&System Info...");
  EXPECT_EQ(about.lblhyperlink.Caption(), "Website");
  EXPECT_EQ(about.lblTitle.font().name, "MS Sans Serif");
  EXPECT_DOUBLE_EQ(about.lblTitle.font().points, 8.25);
  EXPECT_TRUE(about.lblTitle.font().bold);
  EXPECT_EQ(about.vbwHyperlink1.font().name, "Tahoma");
  EXPECT_DOUBLE_EQ(about.vbwHyperlink1.font().points, 9);
  EXPECT_FALSE(about.vbwHyperlink1.font().bold);
  EXPECT_TRUE(about.vbwHyperlink1.font().underline);
  // The separator: grey groove and white highlight across the window.
  EXPECT_EQ(about.Line1[1].BorderColor(), forms::kGrey128);
  EXPECT_EQ(about.Line1[0].BorderColor(), forms::kWhite);
  for (const forms::Line& line : about.Line1) {
    EXPECT_EQ(line.rect().left, 0);
    EXPECT_EQ(line.rect().width, 5160);
    EXPECT_EQ(line.rect().height, 0);
  }
  EXPECT_EQ(about.Line1[1].rect().top, 1560);
}

TEST_F(AboutTest, TheLinkOpensItsAddressThroughTheShell) {
  FrmAbout& about = About();
  EXPECT_TRUE(about.vbwHyperlink1.Click());
  ASSERT_EQ(program.fake.shell.calls.size(), 1u);
  EXPECT_EQ(program.fake.shell.calls[0].verb, "open");
  EXPECT_EQ(program.fake.shell.calls[0].file, WebSiteUrl);
  EXPECT_EQ(program.fake.shell.calls[0].show, 1);
  about.vbwHyperlink1.set_LinkAddress("C:\\Windows\\notepad.exe");
  EXPECT_FALSE(about.vbwHyperlink1.Click());
  EXPECT_EQ(program.fake.shell.calls.size(), 1u);
}

TEST(HyperlinkSchemes, OnlyWebAndMailAddressesOpen) {
  EXPECT_TRUE(IsOpenableLink("https://www.tarrowby.com"));
  EXPECT_TRUE(IsOpenableLink("HTTP://example.com"));
  EXPECT_TRUE(IsOpenableLink("mailto:someone@example.com"));
  EXPECT_FALSE(IsOpenableLink("file:///C:/Windows/notepad.exe"));
  EXPECT_FALSE(IsOpenableLink("C:\\Windows\\notepad.exe"));
  EXPECT_FALSE(IsOpenableLink("javascript:alert(1)"));
  EXPECT_FALSE(IsOpenableLink("https://"));
  EXPECT_FALSE(IsOpenableLink(""));
}

}  // namespace
}  // namespace ventrix::testing
