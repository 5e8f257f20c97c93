#pragma once
// Before the program starts: the command line, and whether this process becomes this user's
// instance in this session or passes its request to the one that runs.

#include <windows.h>

#include <optional>

#include "platform/win32/single_instance_win32.h"

namespace ventrix::app {

// The exit code when this process is done (usage, a command handed over or withdrawn, a second
// start that handed "show" over, an instance that could not be reached or started); nothing
// when it is to run as the instance, then holding `lock`.
std::optional<int> PassToRunningInstance(const char* arguments,
                                         const win32::InstanceIdentity& identity,
                                         win32::InstanceLock& lock);

}  // namespace ventrix::app
