#pragma once
// Shell execution (ShellExecuteA).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace ventrix {

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA(owner, verb, file, parameters, directory, show); nullopt passes a null pointer.
  // Returns the result code as a signed value (above 32 is success).
  virtual std::intptr_t ShellExecute(WindowHandle owner, const std::string& verb,
                                     const std::string& file,
                                     const std::optional<std::string>& parameters,
                                     const std::optional<std::string>& directory,
                                     std::int32_t show) = 0;
};

}  // namespace ventrix
