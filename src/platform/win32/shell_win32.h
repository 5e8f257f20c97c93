#pragma once
// Shell on ShellExecuteA.

#include "platform/shell.h"

namespace ventrix::win32 {

class Win32Shell : public Shell {
 public:
  // Texts holding a NUL are refused with ERROR_FILE_NOT_FOUND: the shell would see them cut short.
  std::intptr_t ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                             const std::optional<std::string>& parameters,
                             const std::optional<std::string>& directory,
                             std::int32_t show) override;
};

}  // namespace ventrix::win32
