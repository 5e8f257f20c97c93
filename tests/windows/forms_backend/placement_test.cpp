// The window placement service on a form window of the win32 forms backend.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "platform/win32/window_placement_win32.h"
#include "tests/windows/forms_backend/sample_form.h"

namespace ventrix::win32 {
namespace {

TEST(Win32WindowPlacement, PassesThePlacementToTheWindow) {
  Win32Backend backend(GetModuleHandleA(nullptr));
  forms::Runtime runtime(backend);
  testing::FakeShell shell;
  SampleForm form(runtime, shell);
  runtime.Load(form);
  form.Show();
  Win32WindowPlacement placement;
  constexpr std::intptr_t kHwndTop = 0;
  EXPECT_TRUE(placement.SetWindowPos(form.hWnd(), kHwndTop, 40, 30, 0, 0, kSwpNoSize));
  RECT place{};
  GetWindowRect(WindowOf(form), &place);
  EXPECT_EQ(place.left, 40);
  EXPECT_EQ(place.top, 30);
  // Topmost and back; under a bare X server Wine leaves the style flag to a window manager, so
  // only the calls' success is checked here.
  EXPECT_TRUE(
      placement.SetWindowPos(form.hWnd(), kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
  EXPECT_TRUE(
      placement.SetWindowPos(form.hWnd(), kHwndNoTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
  EXPECT_FALSE(
      placement.SetWindowPos(kNoWindow, kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize));
}

}  // namespace
}  // namespace ventrix::win32
