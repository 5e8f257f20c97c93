#pragma once
// Window z-order (SetWindowPos).

#include <cstdint>

#include "platform/types.h"

namespace ventrix {

inline constexpr std::intptr_t kHwndTopmost = -1;
inline constexpr std::intptr_t kHwndNoTopmost = -2;
inline constexpr std::uint32_t kSwpNoMove = 0x2;
inline constexpr std::uint32_t kSwpNoSize = 0x1;

class WindowPlacement {
 public:
  virtual ~WindowPlacement() = default;
  virtual bool SetWindowPos(WindowHandle window, std::intptr_t insert_after, int x, int y, int cx,
                            int cy, std::uint32_t flags) = 0;
};

}  // namespace ventrix
