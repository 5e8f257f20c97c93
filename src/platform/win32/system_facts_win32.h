#pragma once
// SystemFacts from the running module's file name and the local clock.

#include "platform/system_facts.h"

namespace ventrix::win32 {

class Win32SystemFacts : public SystemFacts {
 public:
  std::string ExecutableBaseName() override;
  int CurrentYear() override;
};

}  // namespace ventrix::win32
