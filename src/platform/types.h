#pragma once
// Value types shared by the platform interfaces.

#include <cstdint>

namespace ventrix {

// A native window as platform calls see it; 0 is "no window".
using WindowHandle = std::intptr_t;
inline constexpr WindowHandle kNoWindow = 0;

// The 16-bit yes/no convention of the version tests and ShellOpen.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

}  // namespace ventrix
