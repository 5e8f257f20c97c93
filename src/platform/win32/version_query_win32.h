#pragma once
// VersionQuery over GetVersionExA.

// <windows.h> maps GetVersionEx to GetVersionExA by macro; the interface uses that name for its
// own member, so the macro goes before the interface is seen.
#include <windows.h>
#undef GetVersionEx

#include "platform/version_query.h"

namespace ventrix::win32 {

class Win32VersionQuery : public VersionQuery {
 public:
  std::int32_t GetVersionEx(OsVersionRecord& record) override;
};

}  // namespace ventrix::win32
