#include "platform/components/version_file.h"

#include <algorithm>

#include "platform/components/no_case.h"

namespace ventrix {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHttpScheme = "http://";
constexpr std::string_view kHttpsScheme = "https://";
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr int kFirstSuccessStatus = 200;
constexpr int kFirstNonSuccessStatus = 300;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// UTF-8 continuation bytes are 10xxxxxx.
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationTag = 0x80;
constexpr unsigned char kFirstNonAscii = 0x80;

// Length of the UTF-8 sequence at the start of text, or 0 when it is not well formed
// (overlong forms, surrogates and code points above U+10FFFF included). The lead and second
// byte ranges are those of the well-formed byte sequences table of the Unicode standard.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto continuation = [&](std::size_t i) {
    return i < text.size() && (byte(i) & kContinuationMask) == kContinuationTag;
  };
  const unsigned char lead = byte(0);
  if (lead < kFirstNonAscii) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return continuation(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (!continuation(1) || !continuation(2)) return 0;
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && byte(1) >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (!continuation(1) || !continuation(2) || !continuation(3)) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // above U+10FFFF
    return 4;
  }
  return 0;
}

// Well-formed UTF-8 whose only control bytes are tab, LF, and CR directly before LF.
bool IsCleanText(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < kFirstPrintable || c == kDelete) {
      const bool line_end = c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
      if (c != '\t' && !line_end) return false;
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// Stores one key's value; false when the key was already given.
bool Assign(std::optional<std::string>& slot, std::string_view value) {
  if (slot) return false;
  slot = std::string(value);
  return true;
}

}  // namespace

std::optional<VersionNumber> ParseVersion(std::string_view text) {
  text = Trim(text);
  VersionNumber number;
  while (true) {
    const std::size_t dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    if (part.empty() || part.size() > kMaxVersionComponentDigits ||
        !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return std::nullopt;
    }
    if (number.size() == kMaxVersionComponents) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : part) value = value * 10 + static_cast<std::uint32_t>(c - '0');
    number.push_back(value);
    if (dot == std::string_view::npos) return number;
    text.remove_prefix(dot + 1);
  }
}

int CompareVersions(const VersionNumber& a, const VersionNumber& b) {
  const std::size_t count = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t x = i < a.size() ? a[i] : 0;
    const std::uint32_t y = i < b.size() ? b[i] : 0;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

std::variant<VersionFile, std::int32_t> ParseVersionFile(std::string_view body) {
  if (body.size() > kMaxVersionFileBytes) return kCheckFileTooLarge;
  if (body.starts_with(kByteOrderMark)) body.remove_prefix(kByteOrderMark.size());
  if (!IsCleanText(body)) return kCheckMalformedFile;

  std::optional<std::string> version, download, information;
  while (!body.empty()) {
    const std::size_t end = body.find('\n');
    std::string_view line = body.substr(0, end);
    body.remove_prefix(end == std::string_view::npos ? body.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.size() > kMaxVersionFileLineBytes) return kCheckMalformedFile;

    line = Trim(line);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t separator = line.find_first_of(":=");
    if (separator == std::string_view::npos) return kCheckMalformedFile;
    const std::string_view key = Trim(line.substr(0, separator));
    const std::string_view value = Trim(line.substr(separator + 1));
    bool fresh = true;
    if (EqualsNoCase(key, "version")) {
      fresh = Assign(version, value);
    } else if (EqualsNoCase(key, "download")) {
      fresh = Assign(download, value);
    } else if (EqualsNoCase(key, "information")) {
      fresh = Assign(information, value);
    }
    if (!fresh) return kCheckMalformedFile;
  }

  if (!version) return kCheckMalformedFile;
  std::optional<VersionNumber> number = ParseVersion(*version);
  if (!number) return kCheckMalformedFile;
  return VersionFile{*version, std::move(*number), download.value_or(""), information.value_or("")};
}

CheckOutcome DecideCheckOutcome(const HttpAnswer& answer, std::string_view running_version) {
  const std::optional<VersionNumber> running = ParseVersion(running_version);
  if (!running) return CheckFailedOutcome{kCheckBadRunningVersion};
  if (!answer.status) return CheckFailedOutcome{kCheckCouldNotConnect};
  if (*answer.status < kFirstSuccessStatus || *answer.status >= kFirstNonSuccessStatus) {
    return CheckFailedOutcome{kCheckFileNotFound};
  }
  auto parsed = ParseVersionFile(answer.body);
  if (const auto* code = std::get_if<std::int32_t>(&parsed)) return CheckFailedOutcome{*code};
  auto& file = std::get<VersionFile>(parsed);
  if (CompareVersions(file.number, *running) > 0) {
    return NewVersionOutcome{std::move(file.version), std::move(file.download),
                             std::move(file.information)};
  }
  return NoNewVersionOutcome{};
}

bool IsHttpAddress(std::string_view address) {
  if (address.size() > kMaxHttpAddressBytes) return false;
  std::size_t scheme = 0;
  if (StartsWithNoCase(address, kHttpScheme)) {
    scheme = kHttpScheme.size();
  } else if (StartsWithNoCase(address, kHttpsScheme)) {
    scheme = kHttpsScheme.size();
  } else {
    return false;
  }
  return address.size() > scheme && std::none_of(address.begin(), address.end(), [](char c) {
           const auto byte = static_cast<unsigned char>(c);
           return byte <= kFirstPrintable || byte == kDelete;
         });
}

}  // namespace ventrix
