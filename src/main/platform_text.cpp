#include "main/platform_text.h"

#include "drive/win_ver.h"

namespace ventrix {

namespace {

constexpr const char* kOtherWindowsText = "OS - Windows";

}  // namespace

std::string StartupPlatformText(VersionQuery& version) {
  const WindowsRelease* release = RunningRelease(version);
  return release != nullptr ? release->startup_text : kOtherWindowsText;
}

}  // namespace ventrix
