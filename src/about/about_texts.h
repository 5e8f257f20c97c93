#pragma once
// The About box's computed texts.

#include <string>

#include "platform/version_query.h"

namespace ventrix::about {

inline constexpr const char* kPlatformDesign = "Platform";
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kDisclaimer =
    "Warning: This program is protected by copyright law and by international treaties, and "
    "copying or distributing it without permission, in whole or in part, can lead to severe civil "
    "and criminal penalties and will be prosecuted as far as the law allows.";

// "OS - Windows ..." for the first version test that answers true, or "" when none does.
std::string PlatformText(VersionQuery& query);
// "Copyright (c) <year> <author>".
std::string NoticeLine(int year);
// "Version <major>.<minor>".
std::string VersionLine();

}  // namespace ventrix::about
