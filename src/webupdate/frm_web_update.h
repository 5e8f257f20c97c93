#pragma once
// The window frmWebUpdate (placeholder until its feature lands).

#include "platform/forms/form.h"

namespace ventrix {

class Program;

class FrmWebUpdate : public forms::Form {
 public:
  explicit FrmWebUpdate(Program& program);

 private:
  Program& program_;
};

}  // namespace ventrix
