#pragma once
// The published version file and the outcome of one web version check.
//
// The version file is plain text, UTF-8 (ASCII is a subset), at most kMaxVersionFileBytes:
//
//   # Ventrix release information
//   version: 3.37
//   download: https://example.com/download/ventrix/ventrix337.exe
//   information: Locks the tray on Windows 11 too.
//
// - One `key: value` or `key = value` per line; the key ends at the first ':' or '='.
//   Keys are compared without case; blanks around keys and values are ignored.
// - `version` is required: one to kMaxVersionComponents whole numbers joined by '.', each
//   of one to kMaxVersionComponentDigits digits (3, 3.36, 3.36.0.12).
// - `download` and `information` are optional and empty when absent. Other keys are
//   ignored, so later files may carry more; a key given twice makes the file malformed.
// - Lines starting with '#' (after blanks) and blank lines are skipped. Lines end in LF or
//   CR LF; a UTF-8 byte order mark at the start is skipped.
// - Malformed: any other control byte (NUL, 0x01..., a lone CR, DEL), invalid UTF-8, a line
//   longer than kMaxVersionFileLineBytes, a line without ':' or '=', or a bad version.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/components/web_version_check.h"

namespace ventrix {

inline constexpr std::size_t kMaxVersionFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxVersionFileLineBytes = 2048;
inline constexpr std::size_t kMaxVersionComponents = 4;
// Nine digits always fit a 32-bit unsigned component.
inline constexpr std::size_t kMaxVersionComponentDigits = 9;
// Longest address accepted for fetching or for opening in the browser.
inline constexpr std::size_t kMaxHttpAddressBytes = 2048;

// Further CheckFailed codes beside -1, -2 and -3.
inline constexpr std::int32_t kCheckFileTooLarge = -4;
inline constexpr std::int32_t kCheckBadRunningVersion = -5;

// A version as its numeric components, most significant first.
using VersionNumber = std::vector<std::uint32_t>;

// Parses "3.36"-style text (blanks around it allowed); nullopt when it is not one.
std::optional<VersionNumber> ParseVersion(std::string_view text);

// Negative, zero or positive as a is older than, equal to or newer than b. Components compare
// as integers and missing ones count as 0: 3.5 < 3.36, 3.36 == 3.36.0.
int CompareVersions(const VersionNumber& a, const VersionNumber& b);

struct VersionFile {
  std::string version;  // as written, without surrounding blanks
  VersionNumber number;
  std::string download;
  std::string information;
};

// The file's contents, or the CheckFailed code that explains why it cannot be used.
std::variant<VersionFile, std::int32_t> ParseVersionFile(std::string_view body);

// What came back from the server: no status when nothing came back at all. The body holds
// at most kMaxVersionFileBytes + 1 bytes, so an over-long file shows as one.
struct HttpAnswer {
  std::optional<int> status;
  std::string body;
};

struct NewVersionOutcome {
  std::string available;
  std::string download;
  std::string information;
};
struct NoNewVersionOutcome {};
struct CheckFailedOutcome {
  std::int32_t code;
};
using CheckOutcome = std::variant<NewVersionOutcome, NoNewVersionOutcome, CheckFailedOutcome>;

// Decides the one event a check raises: an unusable running version, then transport failure
// (-1), then any status other than 2xx (-2), then the file itself.
CheckOutcome DecideCheckOutcome(const HttpAnswer& answer, std::string_view running_version);

// True for an http:// or https:// address (scheme without case) with something after the
// scheme, no blanks or control bytes, and at most kMaxHttpAddressBytes long.
bool IsHttpAddress(std::string_view address);

}  // namespace ventrix
