#include "main/platform_text.h"

#include <array>
#include <cstdint>

#include "drive/win_ver.h"
#include "platform/types.h"

namespace ventrix {

namespace {

struct PlatformRow {
  std::int16_t (*test)(VersionQuery&);
  const char* text;
};

// Windows 98 alone carries no "OS - " prefix.
constexpr std::array<PlatformRow, 6> kPlatformRows{{
    {mGetWinVer::IsWindows98, "Windows 98"},
    {mGetWinVer::IsWindowsMe, "OS - Windows ME"},
    {mGetWinVer::IsWindows2000, "OS - Windows 2000"},
    {mGetWinVer::IsWindows2003, "OS - Windows 2003 Server"},
    {mGetWinVer::IsWindowsXP, "OS - Windows XP"},
    {mGetWinVer::IsWindowsVista, "OS - Windows Vista"},
}};

constexpr const char* kOtherWindowsText = "OS - Windows";

}  // namespace

std::string StartupPlatformText(VersionQuery& version) {
  for (const PlatformRow& row : kPlatformRows) {
    if (row.test(version) != kFalse) return row.text;
  }
  return kOtherWindowsText;
}

}  // namespace ventrix
