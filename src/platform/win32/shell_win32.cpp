#include "platform/win32/shell_win32.h"

#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>
// shellapi.h maps ShellExecute to ShellExecuteA, which would rename the member below.
#undef ShellExecute

namespace ventrix::win32 {
namespace {

bool HasNul(const std::string& text) { return text.find('\0') != std::string::npos; }

bool HasNul(const std::optional<std::string>& text) { return text && HasNul(*text); }

const char* OrNull(const std::optional<std::string>& text) {
  return text ? text->c_str() : nullptr;
}

}  // namespace

std::intptr_t Win32Shell::ShellExecute(WindowHandle owner, const std::string& verb,
                                       const std::string& file,
                                       const std::optional<std::string>& parameters,
                                       const std::optional<std::string>& directory,
                                       std::int32_t show) {
  if (HasNul(verb) || HasNul(file) || HasNul(parameters) || HasNul(directory)) {
    return ERROR_FILE_NOT_FOUND;
  }
  const HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), verb.c_str(), file.c_str(),
                                         OrNull(parameters), OrNull(directory), show);
  // The "instance" is a result code: above 32 success, 0 to 32 a failure code.
  return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace ventrix::win32
