#pragma once
// Which addresses the web version check follows while it fetches, and which it hands to the
// browser.

#include <optional>
#include <string>
#include <string_view>

namespace ventrix {

// Most redirects one check follows; a file further away than that counts as not found.
inline constexpr int kMaxRedirects = 5;

// Whether a fetch of `from` may go on to `to`: only to an http or https address
// (IsHttpAddress), and never from https down to plain http.
bool MayFollowRedirect(std::string_view from, std::string_view to);

// The address with every byte outside the URL character set (RFC 3986: letters, digits,
// "-._~:/?#[]@!$&'()*+,;=" and '%') written as %XX: non-ASCII text survives an ANSI command
// line, and a quote cannot end the browser's argument early.
std::string PercentEncodeForBrowser(std::string_view address);

// What the shell may open for a newer version's download address: nothing unless the browser
// is to be launched and the address is an http or https address, encoded for the browser.
std::optional<std::string> DownloadToOpen(bool autolaunchbrowser, std::string_view download);

}  // namespace ventrix
