#pragma once
// Fixed facts about the product.

#include <string>

#include "program/version.h"

namespace ventrix {

inline constexpr const char* kAppTitle = "Ventrix 3";
// The program title: the caption of a message box shown without one.
inline constexpr const char* kProgramTitle = "Ventrix3";
// The maker's web site, without a trailing slash.
inline constexpr const char* WebSiteUrl = "https://www.tarrowby.com";
inline constexpr const char* kAuthor = "Tarrowby";
inline constexpr int kVersionMajor = VENTRIX_VERSION_MAJOR;
inline constexpr int kVersionMinor = VENTRIX_VERSION_MINOR;

// major + "." + minor in plain decimal: "3.36".
std::string VersionText();

// The status line's green (red 0, green 255, blue 0).
inline constexpr unsigned kStatusGreen = 65280;

}  // namespace ventrix
