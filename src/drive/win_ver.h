#pragma once
// mGetWinVer: which Windows release is running. Pure predicates over a version answer, and the
// tests that query the platform anew at every call (16-bit flags: -1 true, 0 false).

#include <array>
#include <cstdint>

#include "platform/version_query.h"

namespace ventrix {

// The platform call's result and the record it filled.
struct VersionAnswer {
  std::int32_t result = 0;
  OsVersionRecord record;
};

namespace mGetWinVer {

bool Matches98(const VersionAnswer& answer);
bool MatchesMe(const VersionAnswer& answer);
bool Matches2000(const VersionAnswer& answer);
bool Matches2003(const VersionAnswer& answer);
bool MatchesXP(const VersionAnswer& answer);
bool MatchesVista(const VersionAnswer& answer);

// A zeroed record with its size set, filled by the platform.
VersionAnswer QueryVersion(VersionQuery& query);

std::int16_t IsWindows98(VersionQuery& query);
std::int16_t IsWindowsMe(VersionQuery& query);
std::int16_t IsWindows2000(VersionQuery& query);
std::int16_t IsWindows2003(VersionQuery& query);
std::int16_t IsWindowsXP(VersionQuery& query);
std::int16_t IsWindowsVista(VersionQuery& query);

}  // namespace mGetWinVer

// One Windows release the program names: its test, and the text each window that shows the
// platform gives it.
struct WindowsRelease {
  std::int16_t (*test)(VersionQuery&);
  const char* startup_text;  // the splash screen's platform line, written at start-up
  const char* about_text;    // the About box's platform line
};

// The releases in the order their tests are asked; a new release is one row. At start-up
// Windows 98 alone carries no "OS - " prefix.
inline constexpr std::array<WindowsRelease, 6> kWindowsReleases{{
    {mGetWinVer::IsWindows98, "Windows 98", "OS - Windows 98"},
    {mGetWinVer::IsWindowsMe, "OS - Windows ME", "OS - Windows ME"},
    {mGetWinVer::IsWindows2000, "OS - Windows 2000", "OS - Windows 2000"},
    {mGetWinVer::IsWindows2003, "OS - Windows 2003 Server", "OS - Windows 2003 Server"},
    {mGetWinVer::IsWindowsXP, "OS - Windows XP", "OS - Windows XP"},
    {mGetWinVer::IsWindowsVista, "OS - Windows Vista", "OS - Windows Vista"},
}};

// The first release whose test answers true, asking in table order and none after it; nullptr
// when none does.
const WindowsRelease* RunningRelease(VersionQuery& query);
}  // namespace ventrix
