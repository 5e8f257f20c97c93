#include "webupdate/frm_web_update.h"

#include <functional>
#include <utility>

#include "platform/forms/runtime.h"
#include "program/product.h"
#include "program/program.h"
#include "program/resource_ids.h"
#include "webupdate/web_update_texts.h"

namespace ventrix {

namespace {

constexpr const char* kCaption = "Web Update";
constexpr int kClientWidth = 4245;  // twips
constexpr int kClientHeight = 1755;
constexpr const char* kExplanation =
    "Press the check button to Check for the Latest Version . For the test to fully work, you "
    "should be connected to the internet. ";

forms::FormDesign WebUpdateDesign() {
  return {.caption = kCaption, .client_width = kClientWidth, .client_height = kClientHeight};
}

enum TabOrder { kTabCheck, kTabExplanation, kTabVersion, kTabClose };

}  // namespace

FrmWebUpdate::FrmWebUpdate(Program& program)
    : forms::Form(program.runtime(), "frmWebUpdate", WebUpdateDesign()),
      Command1(*this, "Command1", {120, 120, 1575, 375}, "Check For Update"),
      Label1(*this, "Label1", {120, 600, 3975, 615}, kExplanation),
      lblVersion(*this, "lblVersion", {1560, 1440, 2055, 225}, ""),
      Command2(*this, "Command2", {120, 1320, 1215, 375}, "C&lose"),
      WebVrChk1(program.platform().web_checks.Create()),
      program_(program) {
  Command1.set_tab_index(kTabCheck);
  Label1.set_tab_index(kTabExplanation);
  lblVersion.set_tab_index(kTabVersion);
  Command2.set_tab_index(kTabClose);
  // Esc closes the window as "C&lose" does.
  Command2.set_cancel(true);
  Command1.on_click = [this] { Command1_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
  WebVrChk1->autolaunchbrowser = true;
  WireCheckEvents();
}

FrmWebUpdate::~FrmWebUpdate() = default;

// An outcome that comes while a handler runs (inside a message box) waits until that handler
// returns instead of showing its own box inside it; the browser of a new version opens after
// that box. Each outcome is held on its own (no key), and none is left once this window
// unloads.
void FrmWebUpdate::WireCheckEvents() {
  forms::Runtime& runtime = program_.runtime();
  WebVrChk1->deliver = [this, &runtime](std::function<void()> outcome) {
    runtime.Raise(
        forms::EventKind::kWebOutcome,
        [this, outcome = std::move(outcome)] {
          if (IsCurrent()) outcome();
        },
        nullptr, this);
  };
  WebVrChk1->NewVersionFound = [this](const std::string& available, const std::string& download,
                                      const std::string& information, const std::string& fourth) {
    WebVrChk1_NewVersionFound(available, download, information, fourth);
  };
  WebVrChk1->CheckFailed = [this](std::int32_t code) { WebVrChk1_CheckFailed(code); };
  WebVrChk1->NoNewVersion = [this] { WebVrChk1_NoNewVersion(); };
}

bool FrmWebUpdate::IsCurrent() const { return program_.LoadedWebUpdate() == this; }

void FrmWebUpdate::Form_Load() {
  set_caption(kCaption);
  set_icon(IDI_VENTRIX);
  WebVrChk1->version = VersionText();
  lblVersion.set_caption(web_update::CurrentVersionLabel(VersionText()));
}

void FrmWebUpdate::Command1_Click() {
  WebVrChk1->url = program_.vars().WebUpdateUrl;
  WebVrChk1->CheckForNewVersion();
}

void FrmWebUpdate::Command2_Click() { Unload(); }

void FrmWebUpdate::WebVrChk1_NewVersionFound(const std::string& available,
                                             const std::string& download,
                                             const std::string& information,
                                             const std::string& fourth) {
  (void)fourth;
  const std::string& title = program_.vars().AppTitle;
  program_.runtime().MsgBox(
      web_update::NewVersionText(title, available, WebVrChk1->version, download, information),
      forms::kMsgBoxInformation, web_update::NewVersionCaption(title));
}

void FrmWebUpdate::WebVrChk1_CheckFailed(std::int32_t code) {
  if (code != kCheckCouldNotConnect && code != kCheckFileNotFound) return;
  program_.runtime().MsgBox(web_update::kCouldNotConnect, forms::kMsgBoxOkOnly);
}

void FrmWebUpdate::WebVrChk1_NoNewVersion() {
  program_.runtime().MsgBox(web_update::UpToDateText(WebVrChk1->version), forms::kMsgBoxInformation,
                            web_update::kUpToDateCaption);
}

}  // namespace ventrix
