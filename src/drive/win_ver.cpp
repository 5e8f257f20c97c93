#include "drive/win_ver.h"

#include "platform/types.h"

namespace ventrix::mGetWinVer {
namespace {

// The platform reports success as exactly 1; any other value means the record is not trusted.
constexpr std::int32_t kQuerySucceeded = 1;

constexpr std::uint32_t kMajor9x = 4;
constexpr std::uint32_t kMinor98 = 10;
constexpr std::uint32_t kMinorMe = 90;
constexpr std::int32_t kFirstBuild98 = 1998;
constexpr std::int32_t kFirstBuildMe = 3000;

constexpr std::uint32_t kMajorNt5 = 5;
constexpr std::uint32_t kMinor2000 = 0;
constexpr std::uint32_t kMinorXP = 1;
constexpr std::uint32_t kMinor2003 = 2;
constexpr std::int32_t kFirstBuild2000 = 2195;
constexpr std::int32_t kFirstBuildXP = 2600;
constexpr std::int32_t kBuild2003 = 3790;

constexpr std::uint32_t kMajorVista = 6;

bool Is(const VersionAnswer& answer, std::uint32_t platform_id, std::uint32_t major,
        std::uint32_t minor) {
  return answer.result == kQuerySucceeded && answer.record.platform_id == platform_id &&
         answer.record.major == major && answer.record.minor == minor;
}

std::int16_t Flag(bool value) { return value ? kTrue : kFalse; }

}  // namespace

bool Matches98(const VersionAnswer& answer) {
  return Is(answer, kPlatformWin32Windows, kMajor9x, kMinor98) &&
         answer.record.build >= kFirstBuild98;
}

bool MatchesMe(const VersionAnswer& answer) {
  return Is(answer, kPlatformWin32Windows, kMajor9x, kMinorMe) &&
         answer.record.build >= kFirstBuildMe;
}

bool Matches2000(const VersionAnswer& answer) {
  return Is(answer, kPlatformWin32Nt, kMajorNt5, kMinor2000) &&
         answer.record.build >= kFirstBuild2000;
}

bool Matches2003(const VersionAnswer& answer) {
  return Is(answer, kPlatformWin32Nt, kMajorNt5, kMinor2003) && answer.record.build == kBuild2003;
}

bool MatchesXP(const VersionAnswer& answer) {
  return Is(answer, kPlatformWin32Nt, kMajorNt5, kMinorXP) && answer.record.build >= kFirstBuildXP;
}

// Every 6.x release counts: 6.0, 6.1, 6.2 and so on.
bool MatchesVista(const VersionAnswer& answer) {
  return answer.result == kQuerySucceeded && answer.record.platform_id == kPlatformWin32Nt &&
         answer.record.major == kMajorVista;
}

VersionAnswer QueryVersion(VersionQuery& query) {
  VersionAnswer answer;
  answer.record = OsVersionRecord{};
  answer.record.size = OsVersionRecord::kSize;
  answer.result = query.GetVersionEx(answer.record);
  return answer;
}

// Each test asks the platform again: nothing is cached between calls.
std::int16_t IsWindows98(VersionQuery& query) { return Flag(Matches98(QueryVersion(query))); }
std::int16_t IsWindowsMe(VersionQuery& query) { return Flag(MatchesMe(QueryVersion(query))); }
std::int16_t IsWindows2000(VersionQuery& query) { return Flag(Matches2000(QueryVersion(query))); }
std::int16_t IsWindows2003(VersionQuery& query) { return Flag(Matches2003(QueryVersion(query))); }
std::int16_t IsWindowsXP(VersionQuery& query) { return Flag(MatchesXP(QueryVersion(query))); }
std::int16_t IsWindowsVista(VersionQuery& query) { return Flag(MatchesVista(QueryVersion(query))); }

}  // namespace ventrix::mGetWinVer

namespace ventrix {

const WindowsRelease* RunningRelease(VersionQuery& query) {
  for (const WindowsRelease& release : kWindowsReleases) {
    if (release.test(query) != kFalse) return &release;
  }
  return nullptr;
}

}  // namespace ventrix
