#pragma once
// Owns one open registry key and closes it when it goes out of scope.

#include <windows.h>

#include <utility>

namespace ventrix::win32 {

class UniqueHkey {
 public:
  UniqueHkey() = default;
  explicit UniqueHkey(HKEY key) : key_(key) {}
  ~UniqueHkey() { Reset(); }

  UniqueHkey(const UniqueHkey&) = delete;
  UniqueHkey& operator=(const UniqueHkey&) = delete;
  UniqueHkey(UniqueHkey&& other) noexcept : key_(other.Release()) {}
  UniqueHkey& operator=(UniqueHkey&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

  // Closes the key held (if any) and hands out the slot for a Reg*Ex call to fill.
  HKEY* Receive() {
    Reset();
    return &key_;
  }

  HKEY Release() { return std::exchange(key_, nullptr); }

  void Reset(HKEY key = nullptr) {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = key;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace ventrix::win32
