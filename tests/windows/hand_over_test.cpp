// The instance window as another process reaches it: only a known command, with no drive or one
// drive letter A to Z, is taken; anything else is refused before it can run.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/hand_over_win32.h"

namespace ventrix::win32 {
namespace {

struct Received {
  HandedCommand command;
  std::string drive;
};

// Runs what the window posted to itself.
void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

TEST(InstanceWindow, TakesAKnownCommandWithNoneOrOneDriveLetterOnly) {
  struct Row {
    const char* name;
    std::vector<std::uint32_t> data;
    std::optional<std::string> drive;  // nothing: refused
  };
  const Row rows[] = {
      {"a command without a drive", {1}, ""},
      {"a command on E:", {1, 'E'}, "E:"},
      {"a command on Z:", {5, 'Z'}, "Z:"},
      {"an unknown command", {6, 'E'}, std::nullopt},
      {"a drive letter of 0", {1, 0}, std::nullopt},
      {"a lower-case letter", {1, 'e'}, std::nullopt},
      {"the character before A", {1, 'A' - 1}, std::nullopt},
      {"the character after Z", {1, 'Z' + 1}, std::nullopt},
      {"a letter in a wider value", {1, 0x100 + 'E'}, std::nullopt},
      {"one field more", {1, 'E', 0}, std::nullopt},
      {"show, handed as a command", {0}, std::nullopt},
  };
  std::vector<Received> received;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const InstanceWindow window(instance,
                              {"Ventrix3-hand-over-test", "Local\\Ventrix3-hand-over-test"},
                              [&received](HandedCommand command, const std::string& drive,
                                          InstanceWindow::StillWanted, InstanceWindow::Answer) {
                                received.push_back({command, drive});
                              });
  ASSERT_NE(window.hwnd(), nullptr);
  const OwnedWindow asker(
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
  ASSERT_NE(asker.get(), nullptr);

  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    received.clear();
    std::vector<std::uint32_t> data = row.data;
    COPYDATASTRUCT copy{kHandOverTag, static_cast<DWORD>(data.size() * sizeof(data[0])),
                        data.data()};
    const LRESULT taken =
        SendMessageA(window.hwnd(), WM_COPYDATA, reinterpret_cast<WPARAM>(asker.get()),
                     reinterpret_cast<LPARAM>(&copy));
    Pump();
    EXPECT_EQ(taken != FALSE, row.drive.has_value());
    if (!row.drive) {
      EXPECT_TRUE(received.empty());
      continue;
    }
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(static_cast<std::uint32_t>(received[0].command), row.data[0]);
    EXPECT_EQ(received[0].drive, *row.drive);
  }
}

}  // namespace
}  // namespace ventrix::win32
