#pragma once
// The window frmAbout (placeholder until its feature lands).

#include "platform/forms/form.h"

namespace ventrix {

class Program;

class FrmAbout : public forms::Form {
 public:
  explicit FrmAbout(Program& program);

 private:
  Program& program_;
};

}  // namespace ventrix
