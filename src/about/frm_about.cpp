#include "about/frm_about.h"

#include "about/about_texts.h"
#include "about/sys_info.h"
#include "platform/forms/runtime.h"
#include "program/product.h"
#include "program/program.h"
#include "program/resource_ids.h"
#include "webupdate/frm_web_update.h"

namespace ventrix {

namespace {

constexpr const char* kDesignCaption = "About";
constexpr int kClientWidth = 5175;  // twips
constexpr int kClientHeight = 3045;
constexpr int kSeparatorTop = 1560;
constexpr int kSeparatorWidth = 5160;
// The highlight sits one pixel (at 96 dpi) under the groove, so the pair reads as etched.
constexpr int kEtchOffset = forms::kTwipsPerPixelAt96Dpi;

forms::FormDesign AboutDesign() {
  return {.caption = kDesignCaption, .client_width = kClientWidth, .client_height = kClientHeight};
}

forms::Font TitleFont() {
  forms::Font font;
  font.bold = true;
  return font;
}

enum TabOrder {
  kTabOk = 0,
  kTabIcon = 1,
  kTabSysInfo = 2,
  kTabDescription = 3,
  kTabDisclaimer = 4,
  kTabTitle = 5,
  kTabVersion = 6,
  kTabPlatform = 7,
  kTabLink = 8,
  kTabWebsite = 9,
  kTabWebUpdate = 10,
};

}  // namespace

FrmAbout::FrmAbout(Program& program)
    : forms::Form(program.runtime(), "frmAbout", AboutDesign()),
      picIcon(*this, "picIcon", {120, 240, 480, 480}),
      lblTitle(*this, "lblTitle", {840, 240, 3885, 225}, "Application Title"),
      lblplatform(*this, "lblplatform", {840, 480, 3885, 255}, about::kPlatformDesign),
      lblVersion(*this, "lblVersion", {840, 720, 3885, 195}, "Version"),
      lblDescription(*this, "lblDescription", {840, 960, 3885, 210}, "App Description"),
      lblhyperlink(*this, "lblhyperlink", {120, 1200, 615, 255}, "Website"),
      vbwHyperlink1(*this, "vbwHyperlink1", {840, 1200, 3990, 210}, WebSiteUrl,
                    program.platform().shell),
      // Under high contrast the etching takes the system's 3D highlight and shadow colours.
      Line1{{{*this, "Line1(0)", 0, kSeparatorTop + kEtchOffset, kSeparatorWidth,
              kSeparatorTop + kEtchOffset, forms::kWhite, forms::kHighlight3dColor},
             {*this, "Line1(1)", 0, kSeparatorTop, kSeparatorWidth, kSeparatorTop, forms::kGrey128,
              forms::kShadow3dColor}}},
      lblDisclaimer(*this, "lblDisclaimer", {120, 1680, 3735, 1260}, "Warning: ..."),
      cmdOK(*this, "cmdOK", {3960, 1680, 1140, 345}, "OK"),
      Command1(*this, "Command1", {3960, 2040, 1140, 345}, "Web Update"),
      cmdSysInfo(*this, "cmdSysInfo", {3960, 2400, 1125, 345}, "&System Info..."),
      program_(program) {
  lblTitle.set_font(TitleFont());
  picIcon.set_tab_index(kTabIcon);
  lblTitle.set_tab_index(kTabTitle);
  lblplatform.set_tab_index(kTabPlatform);
  lblVersion.set_tab_index(kTabVersion);
  lblDescription.set_tab_index(kTabDescription);
  lblhyperlink.set_tab_index(kTabWebsite);
  vbwHyperlink1.set_tab_index(kTabLink);
  lblDisclaimer.set_tab_index(kTabDisclaimer);
  cmdOK.set_tab_index(kTabOk);
  Command1.set_tab_index(kTabWebUpdate);
  cmdSysInfo.set_tab_index(kTabSysInfo);
  // OK answers both Enter and Esc.
  cmdOK.set_default(true);
  cmdOK.set_cancel(true);

  cmdOK.on_click = [this] { cmdOK_Click(); };
  Command1.on_click = [this] { Command1_Click(); };
  cmdSysInfo.on_click = [this] { cmdSysInfo_Click(); };
}

void FrmAbout::Form_Load() {
  set_icon(IDI_VENTRIX);
  picIcon.set_picture(IDI_VENTRIX);
  const std::string& title = program_.vars().AppTitle;
  set_caption("About " + title);
  lblVersion.set_caption(about::VersionLine());
  lblTitle.set_caption(title);
  const std::string platform = about::PlatformText(program_.platform().version);
  if (!platform.empty()) lblplatform.set_caption(platform);
  lblDescription.set_caption(about::NoticeLine(program_.platform().facts.CurrentYear()));
  lblDisclaimer.set_caption(about::kDisclaimer);
  vbwHyperlink1.set_LinkAddress(WebSiteUrl);
}

void FrmAbout::Form_QueryUnload(int& Cancel, int UnloadMode) {
  (void)UnloadMode;
  Cancel = 0;
  cmdOK_Click();
}

void FrmAbout::cmdOK_Click() {
  // The unload runs Form_QueryUnload, which comes back here: unload only once.
  if (unloading_) return;
  unloading_ = true;
  Unload();
}

void FrmAbout::Command1_Click() {
  FrmWebUpdate& web_update = program_.frmWebUpdate();
  web_update.Show();
  web_update.SetFocus();
}

void FrmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void FrmAbout::StartSysInfo() {
  bool started = false;
  try {
    started = sys_info::StartSystemInformation(program_.platform().registry,
                                               program_.platform().programs);
  } catch (...) {
    started = false;
  }
  if (!started) program_.runtime().MsgBox(about::kSysInfoUnavailable, forms::kMsgBoxOkOnly);
}

}  // namespace ventrix
