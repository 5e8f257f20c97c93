#pragma once
// File-existence query and starting a program by path.

#include <cstdint>
#include <string>

namespace ventrix {

inline constexpr std::int32_t kShowNormalFocus = 1;  // SW_SHOWNORMAL

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // True when a file of that name exists and is neither hidden nor a system file.
  virtual bool FileExists(const std::string& path) = 0;
  // Starts the program without waiting for it; false when it could not be started.
  virtual bool Start(const std::string& path, std::int32_t show) = 0;
};

}  // namespace ventrix
