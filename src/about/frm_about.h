#pragma once
// frmAbout: title, version, platform, notice and web-site link; opens the web update window and
// starts the system information tool.

#include <array>

#include "platform/components/hyperlink.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/picture.h"

namespace ventrix {

class Program;

class FrmAbout : public forms::Form {
 public:
  explicit FrmAbout(Program& program);

  void Form_Load() override;
  // Every close, whatever started it, goes the way of OK and is never cancelled.
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void cmdOK_Click();
  void Command1_Click();
  void cmdSysInfo_Click();
  void StartSysInfo();

  forms::PictureBox picIcon;
  forms::Label lblTitle;
  forms::Label lblplatform;
  forms::Label lblVersion;
  forms::Label lblDescription;
  forms::Label lblhyperlink;
  Hyperlink vbwHyperlink1;
  // An etched separator: index 1 the grey groove, index 0 the white highlight below it.
  std::array<forms::Line, 2> Line1;
  forms::Label lblDisclaimer;
  forms::CommandButton cmdOK;
  forms::CommandButton Command1;
  forms::CommandButton cmdSysInfo;

 private:
  Program& program_;
  bool unloading_ = false;
};

}  // namespace ventrix
