#include "platform/win32/version_query_win32.h"

namespace ventrix::win32 {

static_assert(sizeof(OSVERSIONINFOA) == OsVersionRecord::kSize);

// https://learn.microsoft.com/windows/win32/api/sysinfoapi/nf-sysinfoapi-getversionexa
std::int32_t Win32VersionQuery::GetVersionEx(OsVersionRecord& record) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  const BOOL result = ::GetVersionExA(&info);
  record.size = info.dwOSVersionInfoSize;
  record.major = info.dwMajorVersion;
  record.minor = info.dwMinorVersion;
  record.build = static_cast<std::int32_t>(info.dwBuildNumber);
  record.platform_id = info.dwPlatformId;
  return result;
}

}  // namespace ventrix::win32
