#pragma once
// mShellExecute: asks the shell to carry out a verb on a document, program or address, and turns
// a refusal into a numbered failure record instead of raising anything.

#include <cstdint>
#include <string>

#include "platform/shell.h"
#include "platform/system_facts.h"
#include "platform/types.h"

namespace ventrix {

class Program;

// What went wrong with the last refused request.
struct ShellFailure {
  std::int32_t number = 0;
  std::string source;
  std::string description;
};

namespace mShellExecute {

// The record for a shell result code from 0 to 32; source is "<executable>.GShell".
ShellFailure FailureFor(std::intptr_t result_code, const std::string& executable_name);

// Owns the failure record of its calls, so a caller that wants it keeps one of these.
class ShellOpener {
 public:
  ShellOpener(Shell& shell, SystemFacts& facts) : shell_(shell), facts_(facts) {}

  // True when the shell accepted the request; on refusal sets LastShellFailure and returns false.
  bool ShellOpen(const std::string& file, std::int32_t show_command, const std::string& parameters,
                 const std::string& directory, std::string& verb, WindowHandle& owner);
  // The record of the last refused call; a successful call leaves it as it was.
  const ShellFailure& LastShellFailure() const { return last_failure_; }

 private:
  Shell& shell_;
  SystemFacts& facts_;
  ShellFailure last_failure_;
};

// For callers that only want the answer: the failure record goes with the call.
bool ShellOpen(Program& program, const std::string& file, std::int32_t show_command,
               const std::string& parameters, const std::string& directory, std::string& verb,
               WindowHandle& owner);

}  // namespace mShellExecute
}  // namespace ventrix
