#pragma once
// The window frmMain (placeholder until its feature lands).

#include "platform/forms/form.h"

namespace ventrix {

class Program;

class FrmMain : public forms::Form {
 public:
  explicit FrmMain(Program& program);

 private:
  Program& program_;
};

}  // namespace ventrix
