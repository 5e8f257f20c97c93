#pragma once
// The texts of the web update window's outcome messages.

#include <string>

namespace ventrix::web_update {

inline constexpr const char* kCouldNotConnect = "Could not connect to web site or file not found";
inline constexpr const char* kUpToDateCaption = "You Have the most recent version";

std::string CurrentVersionLabel(const std::string& version);
std::string NewVersionCaption(const std::string& app_title);
// Lines joined by a bare line feed; the version is the one the check was given.
std::string NewVersionText(const std::string& app_title, const std::string& available,
                           const std::string& version, const std::string& download,
                           const std::string& information);
std::string UpToDateText(const std::string& version);

}  // namespace ventrix::web_update
