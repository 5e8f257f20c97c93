#pragma once
// mGetWinVer: which Windows release is running. Pure predicates over a version answer, and the
// tests that query the platform anew at every call (16-bit flags: -1 true, 0 false).

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
}  // namespace ventrix
