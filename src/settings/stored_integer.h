#pragma once
// Strict reading of the 16-bit integers kept as text in the settings store.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ventrix {

inline constexpr int kStoredIntegerMin = -32768;
inline constexpr int kStoredIntegerMax = 32767;

// The whole text as a decimal integer (an optional leading minus, then digits only) within
// kStoredIntegerMin..kStoredIntegerMax; nullopt for anything else, empty text included.
std::optional<std::int16_t> ParseStoredInteger(std::string_view text);
// Plain decimal: a minus sign for negative values, no blank, no leading zeros.
std::string StoredIntegerText(std::int16_t value);

}  // namespace ventrix
