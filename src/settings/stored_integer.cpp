#include "settings/stored_integer.h"

#include <charconv>
#include <system_error>

namespace ventrix {

std::optional<std::int16_t> ParseStoredInteger(std::string_view text) {
  // from_chars accepts a leading minus but no plus sign and no blanks, which is what we want.
  const char* const first = text.data();
  const char* const last = first + text.size();
  long long value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  if (value < kStoredIntegerMin || value > kStoredIntegerMax) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

std::string StoredIntegerText(std::int16_t value) { return std::to_string(value); }

}  // namespace ventrix
