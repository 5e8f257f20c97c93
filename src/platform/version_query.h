#pragma once
// The operating-system version query (GetVersionExA).

#include <cstdint>

namespace ventrix {

// The fields of OSVERSIONINFOA that the version tests read.
struct OsVersionRecord {
  static constexpr std::uint32_t kSize = 148;  // sizeof(OSVERSIONINFOA)
  std::uint32_t size = kSize;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::int32_t build = 0;  // the whole 32-bit field, signed
  std::uint32_t platform_id = 0;
};

inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // 95/98/Me
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

class VersionQuery {
 public:
  virtual ~VersionQuery() = default;
  // Fills the record; returns the platform call's result (1 on success).
  virtual std::int32_t GetVersionEx(OsVersionRecord& record) = 0;
};

}  // namespace ventrix
