#pragma once
// frmWebUpdate: hands the version-file address and the running version to the web version
// check and turns its outcome into a message box.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/components/web_version_check.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/label.h"

namespace ventrix {

class Program;

class FrmWebUpdate : public forms::Form {
 public:
  explicit FrmWebUpdate(Program& program);
  ~FrmWebUpdate() override;

  void Form_Load() override;
  void Command1_Click();
  void Command2_Click();
  void WebVrChk1_NewVersionFound(const std::string& available, const std::string& download,
                                 const std::string& information, const std::string& fourth);
  void WebVrChk1_CheckFailed(std::int32_t code);
  void WebVrChk1_NoNewVersion();

  forms::CommandButton Command1;
  forms::Label Label1;
  forms::Label lblVersion;
  forms::CommandButton Command2;
  std::unique_ptr<WebVersionCheck> WebVrChk1;

 private:
  void WireCheckEvents();
  // Outcomes are handled only while this window is the loaded one.
  bool IsCurrent() const;

  Program& program_;
};

}  // namespace ventrix
