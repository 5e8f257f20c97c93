#pragma once
// ProgramLauncher on GetFileAttributesA and CreateProcessA.

#include <cstddef>

#include "platform/programs.h"

namespace ventrix::win32 {

// Longest path accepted, terminator excluded (the ANSI file calls stop at MAX_PATH).
inline constexpr std::size_t kMaxProgramPathLength = 259;

class Win32ProgramLauncher : public ProgramLauncher {
 public:
  bool FileExists(const std::string& path) override;
  // show is a ShowWindow command (0 to 11); anything else is refused.
  bool Start(const std::string& path, std::int32_t show) override;
};

}  // namespace ventrix::win32
