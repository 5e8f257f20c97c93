#pragma once
// ProgramLauncher on GetFileAttributesA and CreateProcessW.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/programs.h"
#include "platform/win32/handles_win32.h"

namespace ventrix::win32 {

// Longest path accepted, terminator excluded (the ANSI file calls stop at MAX_PATH).
inline constexpr std::size_t kMaxProgramPathLength = 259;

// Starts the program at `path` (Unicode, so any folder name works) with no arguments as a process
// of its own, its first window shown with `show` (a ShowWindow command) or, without one, as it
// decides, in `folder` as its current directory (this process's when null). The process's
// handle; null when it did not start. Nothing else of the process is kept.
KernelHandle StartProcess(const wchar_t* path, std::optional<WORD> show = std::nullopt,
                          const wchar_t* folder = nullptr);

class Win32ProgramLauncher : public ProgramLauncher {
 public:
  bool FileExists(const std::string& path) override;
  // show is a ShowWindow command (0 to 11); anything else is refused.
  bool Start(const std::string& path, std::int32_t show) override;
};

}  // namespace ventrix::win32
