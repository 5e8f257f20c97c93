#pragma once
// frmSplash: names the program, its version, author, platform and web site; hides itself.

#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/picture.h"
#include "platform/forms/timer.h"

namespace ventrix {

class Program;

class FrmSplash : public forms::Form {
 public:
  explicit FrmSplash(Program& program);

  void Form_Load() override;
  // The close box (if the backend offers one) hides the window instead of unloading it.
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_KeyPress(char KeyAscii);
  void Frame1_Click();
  void Timer1_Timer();

  forms::Timer Timer1;
  forms::Frame Frame1;
  forms::Label lblProductName;
  forms::Label lblplatform;
  forms::Label lblVersion;
  forms::Label lblCopyright;
  forms::Label lblCompany;
  forms::Label lblwebaddress;
  forms::Image imgLogo;

 private:
  Program& program_;
};

}  // namespace ventrix
