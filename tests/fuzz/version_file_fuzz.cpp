// Fuzzes the version file parser, the version number parser and comparison, and the web
// address guard with one input: the whole input is the file body, the version text and the
// address; its first line and the rest are also compared as two versions.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/components/version_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace ventrix::fuzzing {
namespace {

using Parsed = std::variant<VersionFile, std::int32_t>;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHttpScheme = "http://";
constexpr std::string_view kHttpsScheme = "https://";
constexpr std::uint32_t kMaxComponentValue = 999999999;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
// One input in this many is also padded to the size bound, which costs a 64 KiB parse.
constexpr std::size_t kPaddingSampleRate = 8;
constexpr std::size_t kPaddingLineBytes = 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reference for the version grammar: 1 to 4 groups of 1 to 9 digits joined by single dots.
bool IsVersionText(std::string_view text) {
  std::size_t groups = 1;
  std::size_t digits = 0;
  for (const char c : text) {
    if (IsDigit(c)) {
      if (++digits > kMaxVersionComponentDigits) return false;
    } else if (c == '.') {
      if (digits == 0 || ++groups > kMaxVersionComponents) return false;
      digits = 0;
    } else {
      return false;
    }
  }
  return digits > 0;
}

std::string VersionText(const VersionNumber& number) {
  std::string text;
  for (const std::uint32_t component : number) {
    if (!text.empty()) text += '.';
    text += std::to_string(component);
  }
  return text;
}

// The UTF-8 lead bytes: which bits tag the form, which carry the code point, the sequence's
// length and the smallest code point that needs it (anything smaller is an overlong form).
struct Utf8Lead {
  unsigned char mask;
  unsigned char tag;
  std::size_t length;
  char32_t smallest;
};
constexpr Utf8Lead kUtf8Leads[] = {
    {0x80, 0x00, 1, 0}, {0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationTag = 0x80;
constexpr unsigned kContinuationBits = 6;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

// Reference UTF-8 check by decoding: no overlong form, no surrogate, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto* form = std::find_if(std::begin(kUtf8Leads), std::end(kUtf8Leads),
                                    [&](const Utf8Lead& f) { return (lead & f.mask) == f.tag; });
    if (form == std::end(kUtf8Leads) || i + form->length > text.size()) return false;
    char32_t code = lead & static_cast<unsigned char>(~form->mask);
    for (std::size_t k = 1; k < form->length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & kContinuationMask) != kContinuationTag) return false;
      code = (code << kContinuationBits) | (next & static_cast<unsigned char>(~kContinuationMask));
    }
    if (code < form->smallest || code > kMaxCodePoint ||
        (code >= kFirstSurrogate && code <= kLastSurrogate)) {
      return false;
    }
    i += form->length;
  }
  return true;
}

// A value as the parser hands it out: one clean, trimmed line within the line bound.
void CheckValue(std::string_view value, const char* what) {
  Check(value.size() <= kMaxVersionFileLineBytes, what);
  Check(Trimmed(value) == value, what);
  Check(IsUtf8(value), what);
  Check(std::none_of(value.begin(), value.end(),
                     [](char c) {
                       const auto byte = static_cast<unsigned char>(c);
                       return (byte < kFirstPrintable && c != '\t') || byte == kDelete;
                     }),
        what);
}

bool SameResult(const Parsed& a, const Parsed& b) {
  if (a.index() != b.index()) return false;
  if (const auto* code = std::get_if<std::int32_t>(&a)) return *code == std::get<std::int32_t>(b);
  const auto& x = std::get<VersionFile>(a);
  const auto& y = std::get<VersionFile>(b);
  return x.version == y.version && x.number == y.number && x.download == y.download &&
         x.information == y.information;
}

void CheckParsedFile(std::string_view body, const Parsed& parsed) {
  if (const auto* code = std::get_if<std::int32_t>(&parsed)) {
    if (body.size() > kMaxVersionFileBytes) {
      Check(*code == kCheckFileTooLarge, "an over-long body reads as too large");
    } else {
      Check(*code == kCheckMalformedFile, "a body within the bound fails only as malformed");
    }
    return;
  }
  Check(body.size() <= kMaxVersionFileBytes, "an over-long body never parses");
  const auto& file = std::get<VersionFile>(parsed);
  const std::string_view text =
      body.starts_with(kByteOrderMark) ? body.substr(kByteOrderMark.size()) : body;
  Check(IsUtf8(text), "a file that parses is UTF-8");
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    Check(line.size() <= kMaxVersionFileLineBytes, "a file that parses has no over-long line");
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  Check(IsVersionText(file.version), "the version text follows the version grammar");
  Check(ParseVersion(file.version) == file.number, "the number is the version text's");
  Check(!file.number.empty() && file.number.size() <= kMaxVersionComponents,
        "one to four components");
  CheckValue(file.version, "the version is one clean trimmed line");
  CheckValue(file.download, "the download is one clean trimmed line");
  CheckValue(file.information, "the information is one clean trimmed line");

  // The parsed file, written out in the plain form, reads back the same.
  const std::string canonical = "version: " + file.version + "\ndownload: " + file.download +
                                "\ninformation: " + file.information + "\n";
  Check(SameResult(ParseVersionFile(canonical), parsed), "the parsed file round-trips");
}

// Rewrites that must not change the outcome of a body within the bound.
void CheckEquivalentBodies(std::string_view body, const Parsed& parsed) {
  const std::string text(body);
  const auto check_same = [&](const std::string& variant, const char* what) {
    if (variant.size() <= kMaxVersionFileBytes)
      Check(SameResult(ParseVersionFile(variant), parsed), what);
  };
  if (!body.starts_with(kByteOrderMark)) {
    check_same(std::string(kByteOrderMark) + text, "a byte order mark changes nothing");
  }
  if (body.find('\r') == std::string_view::npos) {
    std::string crlf;
    for (const char c : body) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    check_same(crlf, "CR LF line ends read as LF ones");
  }
  if (!body.ends_with('\r')) {
    const std::string ended = body.empty() || body.ends_with('\n') ? text : text + "\n";
    check_same(ended + "# comment\n\n  \t\n", "comments and blank lines are skipped");

    // Padded with comment lines to exactly the bound it reads the same; one byte more is too much.
    if (body.size() % kPaddingSampleRate == 0 && ended.size() < kMaxVersionFileBytes) {
      std::string padded = ended;
      while (padded.size() < kMaxVersionFileBytes) {
        const std::size_t room = kMaxVersionFileBytes - padded.size();
        const std::size_t line = std::min(room, kPaddingLineBytes);
        padded += line == 1 ? std::string("\n") : "#" + std::string(line - 2, '-') + "\n";
      }
      check_same(padded, "a body of exactly the bound is read");
      Check(SameResult(ParseVersionFile(padded + "\n"), Parsed(kCheckFileTooLarge)),
            "one byte over the bound is too large");
    }
  }
}

void CheckVersionText(std::string_view text) {
  const std::optional<VersionNumber> number = ParseVersion(text);
  Check(number.has_value() == IsVersionText(Trimmed(text)), "versions follow the grammar");
  if (!number) return;
  Check(std::all_of(number->begin(), number->end(),
                    [](std::uint32_t component) { return component <= kMaxComponentValue; }),
        "components within nine digits");
  Check(ParseVersion(VersionText(*number)) == number, "a version's plain text reads back");
  Check(CompareVersions(*number, *number) == 0, "a version equals itself");
  if (number->size() < kMaxVersionComponents) {
    VersionNumber longer = *number;
    longer.push_back(0);
    Check(CompareVersions(*number, longer) == 0, "a trailing zero component changes nothing");
  }
}

void CheckComparison(std::string_view text) {
  const std::size_t newline = text.find('\n');
  if (newline == std::string_view::npos) return;
  const std::optional<VersionNumber> a = ParseVersion(text.substr(0, newline));
  const std::optional<VersionNumber> b = ParseVersion(text.substr(newline + 1));
  if (!a || !b) return;
  const int forward = CompareVersions(*a, *b);
  Check(forward >= -1 && forward <= 1, "comparison answers -1, 0 or 1");
  Check(CompareVersions(*b, *a) == -forward, "comparison is antisymmetric");
  // Equal exactly when the numbers match once both are padded with zeros.
  VersionNumber x = *a;
  VersionNumber y = *b;
  const std::size_t size = std::max(x.size(), y.size());
  x.resize(size, 0);
  y.resize(size, 0);
  Check((forward == 0) == (x == y), "equal exactly when the padded numbers are");
  Check((forward < 0) == (x < y), "ordered by components, most significant first");
}

// Reference for the address guard: a web scheme in any case, something after it, no blank or
// control byte, within the bound.
void CheckAddress(std::string_view address) {
  std::string head(address.substr(0, std::min(address.size(), kHttpsScheme.size())));
  std::transform(head.begin(), head.end(), head.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  const std::size_t scheme = head.starts_with(kHttpScheme)    ? kHttpScheme.size()
                             : head.starts_with(kHttpsScheme) ? kHttpsScheme.size()
                                                              : 0;
  const bool clean = std::none_of(address.begin(), address.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= kFirstPrintable || byte == kDelete;
  });
  const bool expected =
      scheme != 0 && address.size() > scheme && address.size() <= kMaxHttpAddressBytes && clean;
  Check(IsHttpAddress(address) == expected, "only clean web addresses within the bound pass");
}

}  // namespace
}  // namespace ventrix::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ventrix;
  using namespace ventrix::fuzzing;
  const std::string_view body(reinterpret_cast<const char*>(data), size);

  const Parsed parsed = ParseVersionFile(body);
  CheckParsedFile(body, parsed);
  if (body.size() <= kMaxVersionFileBytes) CheckEquivalentBodies(body, parsed);

  // The check's one outcome agrees with the file it read.
  const CheckOutcome outcome = DecideCheckOutcome(HttpAnswer{200, std::string(body)}, "3.36");
  if (const auto* file = std::get_if<VersionFile>(&parsed)) {
    const bool newer = CompareVersions(file->number, *ParseVersion("3.36")) > 0;
    Check(std::holds_alternative<NewVersionOutcome>(outcome) == newer, "new exactly when newer");
    if (newer) Check(std::get<NewVersionOutcome>(outcome).available == file->version, "as written");
  } else {
    const auto* failed = std::get_if<CheckFailedOutcome>(&outcome);
    Check(failed != nullptr && failed->code == std::get<std::int32_t>(parsed), "the file's code");
  }

  CheckVersionText(body);
  CheckComparison(body);
  CheckAddress(body);
  return 0;
}
