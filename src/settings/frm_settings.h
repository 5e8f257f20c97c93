#pragma once
// The window frmSettings (placeholder until its feature lands).

#include "platform/forms/form.h"

namespace ventrix {

class Program;

class FrmSettings : public forms::Form {
 public:
  explicit FrmSettings(Program& program);

 private:
  Program& program_;
};

}  // namespace ventrix
