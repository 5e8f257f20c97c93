#pragma once
// Facts about the running program and the clock.

#include <string>

namespace ventrix {

class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  // The executable's file name without folder and extension ("ventrix" for ventrix.exe).
  virtual std::string ExecutableBaseName() = 0;
  // The current year in the local time zone, four digits.
  virtual int CurrentYear() = 0;
};

}  // namespace ventrix
