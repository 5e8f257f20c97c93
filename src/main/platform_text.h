#pragma once
// The platform line shown on the splash screen at start-up.

#include <string>

#include "platform/version_query.h"

namespace ventrix {

// The text of the first version test that answers true, asked in a fixed order (later tests are
// not asked); "OS - Windows" when none does.
std::string StartupPlatformText(VersionQuery& version);

}  // namespace ventrix
