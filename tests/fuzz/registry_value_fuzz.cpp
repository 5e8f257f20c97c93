// Fuzzes GetKeyValue's cutting of a registry value into text, and the system information
// lookup built on it, through a registry that answers with fuzzed data.
//
// Input: byte 0 the value's type; byte 1 the registry's behaviour (kBehaviour* bits); bytes 2-5
// a data size the registry reports instead of the true one (little-endian, with
// kReportOwnSize); the rest the value's data.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "about/sys_info.h"
#include "tests/fuzz/fuzz_check.h"

namespace ventrix::fuzzing {
namespace {

constexpr std::uint8_t kOpenFails = 1 << 0;
constexpr std::uint8_t kQueryFails = 1 << 1;
constexpr std::uint8_t kReportOwnSize = 1 << 2;
// Answers success even when the data does not fit (and copies only what fits).
constexpr std::uint8_t kClaimsFit = 1 << 3;
constexpr std::uint8_t kPathKeyMissing = 1 << 4;
constexpr std::uint8_t kToolFileExists = 1 << 5;

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kSizeOffset = 2;
constexpr std::size_t kSizeBytes = 4;
constexpr unsigned kBitsPerByte = 8;
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kMoreData = 234;
constexpr RegistryKey kFirstHandle = 0x200;
constexpr std::string_view kDwordPrefix = "&h";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::string_view kToolFile = "\\MSINFO32.EXE";

struct Behaviour {
  std::uint32_t type = 0;
  std::uint8_t flags = 0;
  std::uint32_t reported_size = 0;
  std::string data;
};

Behaviour Decode(std::string_view input) {
  std::string header(input.substr(0, std::min(input.size(), kHeaderBytes)));
  header.resize(kHeaderBytes, '\0');
  Behaviour behaviour;
  behaviour.type = static_cast<unsigned char>(header[0]);
  behaviour.flags = static_cast<std::uint8_t>(header[1]);
  for (std::size_t i = 0; i < kSizeBytes; ++i) {
    behaviour.reported_size |=
        static_cast<std::uint32_t>(static_cast<unsigned char>(header[kSizeOffset + i]))
        << (kBitsPerByte * i);
  }
  if (input.size() > kHeaderBytes) behaviour.data = input.substr(kHeaderBytes);
  return behaviour;
}

// A registry holding one value under every key, behaving as the input says; it checks that keys
// are used only while open.
class FuzzedRegistry : public Registry {
 public:
  explicit FuzzedRegistry(const Behaviour& behaviour) : behaviour_(behaviour) {}
  ~FuzzedRegistry() override { Check(open_.empty(), "every opened key is closed"); }

  std::int32_t OpenKeyEx(RegistryKey root, const std::string& path, std::uint32_t options,
                         std::uint32_t access, RegistryKey& opened) override {
    Check(root == kHkeyLocalMachine && options == 0 && access == sys_info::kKeyRead,
          "keys open under the machine root with the stated access");
    ++opens;
    if ((behaviour_.flags & kOpenFails) != 0) return kFileNotFound;
    if ((behaviour_.flags & kPathKeyMissing) != 0 && path == sys_info::kPathKey) {
      return kFileNotFound;
    }
    opened = kFirstHandle + static_cast<RegistryKey>(opens);
    open_.push_back(opened);
    return kRegistrySuccess;
  }
  std::int32_t QueryValueEx(RegistryKey key, const std::string&, std::uint32_t& type,
                            std::span<char> buffer, std::uint32_t& size) override {
    Check(IsOpen(key), "values are read from an open key only");
    Check(buffer.size() == sys_info::kValueBufferSize, "values are read into the stated buffer");
    ++queries;
    if ((behaviour_.flags & kQueryFails) != 0) return kFileNotFound;
    const std::string& data = behaviour_.data;
    type = behaviour_.type;
    size = (behaviour_.flags & kReportOwnSize) != 0 ? behaviour_.reported_size
                                                    : static_cast<std::uint32_t>(data.size());
    const bool fits = data.size() <= buffer.size();
    if (!fits && (behaviour_.flags & kClaimsFit) == 0) return kMoreData;
    std::memcpy(buffer.data(), data.data(), std::min(data.size(), buffer.size()));
    return kRegistrySuccess;
  }
  std::int32_t CloseKey(RegistryKey key) override {
    Check(IsOpen(key), "only an open key is closed, and only once");
    std::erase(open_, key);
    return kRegistrySuccess;
  }

  int opens = 0;
  int queries = 0;

 private:
  bool IsOpen(RegistryKey key) const {
    return std::find(open_.begin(), open_.end(), key) != open_.end();
  }

  const Behaviour& behaviour_;
  std::vector<RegistryKey> open_;
};

// What the program could have received: the data that fits, then the buffer's own NULs.
std::string BufferAfterQuery(const Behaviour& behaviour) {
  std::string buffer = behaviour.data.substr(0, sys_info::kValueBufferSize);
  buffer.resize(sys_info::kValueBufferSize, '\0');
  return buffer;
}

std::optional<std::uint32_t> HexValue(std::string_view digits) {
  if (digits.empty() || digits.size() > 2 * kSizeBytes) return std::nullopt;
  if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    const std::size_t digit = kHexDigits.find(c);
    if (digit == std::string_view::npos) return std::nullopt;
    value = (value << (kBitsPerByte / 2)) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

void CheckGetKeyValue(const Behaviour& behaviour) {
  constexpr std::string_view kBefore = "before";
  FuzzedRegistry registry(behaviour);
  RegistryKey root = kHkeyLocalMachine;
  std::string key = "SOFTWARE\\Fuzz";
  std::string name = "Value";
  std::string value(kBefore);
  const bool read = sys_info::GetKeyValue(registry, root, key, name, value);

  Check(value.size() <= sys_info::kValueBufferSize, "a value never outgrows the buffer");
  Check(value.find('\0') == std::string::npos, "a value read as text holds no NUL");
  const bool opened = (behaviour.flags & kOpenFails) == 0;
  Check(registry.queries == (opened ? 1 : 0), "one query, on an opened key only");
  const bool fits =
      behaviour.data.size() <= sys_info::kValueBufferSize || (behaviour.flags & kClaimsFit) != 0;
  const bool expected_read = opened && (behaviour.flags & kQueryFails) == 0 && fits;
  Check(read == expected_read, "true exactly when the key opened and the value was read");
  if (!read) {
    Check(value.empty(), "a failed read leaves empty text");
    return;
  }

  const std::string buffer = BufferAfterQuery(behaviour);
  const std::uint32_t reported = (behaviour.flags & kReportOwnSize) != 0
                                     ? behaviour.reported_size
                                     : static_cast<std::uint32_t>(behaviour.data.size());
  const std::string received = buffer.substr(0, std::min<std::size_t>(reported, buffer.size()));
  if (behaviour.type == kRegSz) {
    // Text ends at its first NUL, as every reader of the path will take it.
    Check(value == received.substr(0, received.find('\0')), "text is the data up to its first NUL");
  } else if (behaviour.type == kRegDword) {
    Check(value.starts_with(kDwordPrefix), "a number reads as &h and hex digits");
    const std::optional<std::uint32_t> number =
        HexValue(std::string_view(value).substr(kDwordPrefix.size()));
    Check(number.has_value(), "upper-case hex digits without leading zeros");
    std::uint32_t expected = 0;
    for (std::size_t i = std::min(received.size(), kSizeBytes); i-- > 0;) {
      expected = (expected << kBitsPerByte) | static_cast<unsigned char>(received[i]);
    }
    Check(*number == expected, "the number's bytes, little-endian, as far as they were given");
  } else {
    Check(value == kBefore, "any other type leaves the caller's text");
  }
}

// Starts nothing, or one program: the lookup's path, or the folder's tool it found there.
class RecordingLauncher : public ProgramLauncher {
 public:
  explicit RecordingLauncher(bool tool_exists) : tool_exists_(tool_exists) {}
  bool FileExists(const std::string& path) override {
    queried.push_back(path);
    return tool_exists_;
  }
  bool Start(const std::string& path, std::int32_t show) override {
    Check(show == kShowNormalFocus, "started in a normal window with the focus");
    started.push_back(path);
    return true;
  }
  std::vector<std::string> queried;
  std::vector<std::string> started;

 private:
  bool tool_exists_;
};

void CheckSystemInformation(const Behaviour& behaviour) {
  FuzzedRegistry registry(behaviour);
  RecordingLauncher programs((behaviour.flags & kToolFileExists) != 0);
  const bool started = sys_info::StartSystemInformation(registry, programs);
  Check(started == !programs.started.empty() && programs.started.size() <= 1, "at most one start");
  Check(programs.queried.size() <= 1, "at most one file query");
  for (const std::string& path : programs.queried) {
    Check(path.find('\0') == std::string::npos, "file queries hold no NUL");
    Check(path.ends_with(kToolFile) && path.size() > kToolFile.size(), "the folder's tool");
  }
  if (!started) return;
  const std::string& path = programs.started.front();
  Check(!path.empty() && path.find('\0') == std::string::npos, "a non-empty path without NUL");
  if (!programs.queried.empty()) Check(path == programs.queried.front(), "the tool found");
}

}  // namespace
}  // namespace ventrix::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ventrix::fuzzing;
  const Behaviour behaviour = Decode(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckGetKeyValue(behaviour);
  CheckSystemInformation(behaviour);
  return 0;
}
