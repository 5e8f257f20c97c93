#pragma once
// The window frmSplash (placeholder until its feature lands).

#include "platform/forms/form.h"

namespace ventrix {

class Program;

class FrmSplash : public forms::Form {
 public:
  explicit FrmSplash(Program& program);

 private:
  Program& program_;
};

}  // namespace ventrix
