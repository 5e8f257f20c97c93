#include "platform/components/web_addresses.h"

#include "platform/components/no_case.h"
#include "platform/components/version_file.h"

namespace ventrix {
namespace {

constexpr std::string_view kHttpsScheme = "https://";
constexpr std::string_view kUrlPunctuation = "-._~:/?#[]@!$&'()*+,;=%";

bool IsHttps(std::string_view address) { return StartsWithNoCase(address, kHttpsScheme); }

// ASCII only, whatever the C library's locale says.
bool IsUrlCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         (c != '\0' && kUrlPunctuation.find(c) != std::string_view::npos);
}

}  // namespace

bool MayFollowRedirect(std::string_view from, std::string_view to) {
  return IsHttpAddress(to) && (IsHttps(to) || !IsHttps(from));
}

std::string PercentEncodeForBrowser(std::string_view address) {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  constexpr unsigned kNibbleBits = 4;
  constexpr unsigned char kNibbleMask = 0xF;
  std::string encoded;
  encoded.reserve(address.size());
  for (const char c : address) {
    if (IsUrlCharacter(c)) {
      encoded += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    encoded += '%';
    encoded += kHexDigits[byte >> kNibbleBits];
    encoded += kHexDigits[byte & kNibbleMask];
  }
  return encoded;
}

std::optional<std::string> DownloadToOpen(bool autolaunchbrowser, std::string_view download) {
  if (!autolaunchbrowser || !IsHttpAddress(download)) return std::nullopt;
  return PercentEncodeForBrowser(download);
}

}  // namespace ventrix
