#include "about/about_texts.h"

#include <array>
#include <cstdint>

#include "drive/win_ver.h"
#include "platform/types.h"
#include "program/product.h"

namespace ventrix::about {

namespace {

struct Release {
  std::int16_t (*test)(VersionQuery&);
  const char* text;
};

// Asked in this order; the first that answers true names the platform.
constexpr std::array<Release, 6> kReleases = {{
    {mGetWinVer::IsWindows98, "OS - Windows 98"},
    {mGetWinVer::IsWindowsMe, "OS - Windows ME"},
    {mGetWinVer::IsWindows2000, "OS - Windows 2000"},
    {mGetWinVer::IsWindows2003, "OS - Windows 2003 Server"},
    {mGetWinVer::IsWindowsXP, "OS - Windows XP"},
    {mGetWinVer::IsWindowsVista, "OS - Windows Vista"},
}};

}  // namespace

std::string PlatformText(VersionQuery& query) {
  for (const Release& release : kReleases) {
    if (release.test(query) != kFalse) return release.text;
  }
  return {};
}

std::string NoticeLine(int year) { return "Copyright (c) " + std::to_string(year) + " " + kAuthor; }

std::string VersionLine() { return "Version " + VersionText(); }

}  // namespace ventrix::about
