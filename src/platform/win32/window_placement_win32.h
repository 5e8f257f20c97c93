#pragma once
// WindowPlacement through SetWindowPos.

#include "platform/window_placement.h"

namespace ventrix::win32 {

class Win32WindowPlacement : public WindowPlacement {
 public:
  bool SetWindowPos(WindowHandle window, std::intptr_t insert_after, int x, int y, int cx, int cy,
                    std::uint32_t flags) override;
};

}  // namespace ventrix::win32
