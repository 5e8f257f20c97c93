#include "drive/lock_record.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "program/product.h"

namespace ventrix {

namespace {

// Under the program's own key, beside its settings: one value per drive, named "D:" and the like.
constexpr const char* kLockSection = "Drive Locks";
constexpr const char* kNoRecord = "0";

std::string ValueName(std::size_t drive) { return {static_cast<char>('A' + drive), ':'}; }

}  // namespace

int ParseLockCount(std::string_view text) {
  const char* const first = text.data();
  const char* const last = first + text.size();
  // Digits only: from_chars on an unsigned type takes no sign, blank or prefix.
  if (text.empty() || !std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; })) {
    return 0;
  }
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) return kMaxRecordedLocks;
  if (error != std::errc() || end != last) return 0;
  return static_cast<int>(std::min<std::uint64_t>(value, kMaxRecordedLocks));
}

int LockRecord::Count(std::size_t drive) const {
  return ParseLockCount(store_.Read(kAppTitle, kLockSection, ValueName(drive), kNoRecord));
}

bool LockRecord::Set(std::size_t drive, int count) {
  return store_.Write(kAppTitle, kLockSection, ValueName(drive),
                      std::to_string(std::clamp(count, 0, kMaxRecordedLocks)));
}

}  // namespace ventrix
