// Fuzzes the stored settings texts: their conversion to 16-bit integers (and to the bounded count
// of the lock record), and a whole start-up on a fake platform whose store holds them.
//
// Input: the stored texts one per line (LF), in the order of kKeys; keys past the last line are
// missing from the store. The whole input is also read as one stored integer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drive/lock_record.h"
#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "program/product.h"
#include "settings/general.h"
#include "settings/stored_integer.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/test_platform.h"

namespace ventrix::fuzzing {
namespace {

using testing::FakeSettingsStore;
using testing::TestProgram;

// One stored key and the settings variable it loads into: a text or a 16-bit integer.
struct StoredKey {
  const char* section;
  const char* name;
  std::string SettingsVariables::*text;
  std::int16_t SettingsVariables::*integer;
  const char* default_text;    // texts only
  std::int16_t default_value;  // integers only
};

constexpr std::array<StoredKey, 8> kKeys{{
    // The drive default is the first CD drive of the fake platform.
    {"settings", "Default CD Drive Letter", &SettingsVariables::DriveLetter, nullptr, "D:\\", 0},
    {"settings", "Always On Top", nullptr, &SettingsVariables::AlwaysOnTop, nullptr, 0},
    {"settings", "Banner Enabled", nullptr, &SettingsVariables::BannerEnabled, nullptr, 0},
    {"settings", "Visible on Start-up", nullptr, &SettingsVariables::VisibleOnStartup, nullptr, 0},
    {"Web Update", "Web Update URL", &SettingsVariables::WebUpdateUrl, nullptr,
     "https://www.tarrowby.com/download/ventrix/ventrix3.txt", 0},
    {"settings", "Device Status", &SettingsVariables::DeviceStatus, nullptr, "closed", 0},
    {"settings", "Lock Status", nullptr, &SettingsVariables::LockStatus, nullptr, 0},
    {"settings", "Send to Tray", nullptr, &SettingsVariables::SendToTray, nullptr, 1},
}};
constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr std::size_t kDriveNameLength = 2;   // "D:"
constexpr std::size_t kMaxIntegerDigits = 5;  // 32768
constexpr int kDecimalBase = 10;
constexpr std::array<std::int16_t, 4> kOperationItems{
    main_layout::kEjectItem, main_layout::kCloseItem, main_layout::kLockItem,
    main_layout::kUnlockItem};

// Reference reading: an optional minus, then decimal digits only, within the 16-bit range.
std::optional<std::int16_t> ReferenceInteger(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  if (text.size() > kMaxIntegerDigits) return std::nullopt;
  int value = 0;
  for (const char c : text) value = value * kDecimalBase + (c - '0');
  if (negative) value = -value;
  if (value < kStoredIntegerMin || value > kStoredIntegerMax) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

// Reference reading of the lock record: decimal digits only, however many, capped at the bound;
// anything else no lock.
int ReferenceLockCount(std::string_view text) {
  if (text.empty()) return 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
  }
  int value = 0;
  for (const char c : text) {
    value = value * kDecimalBase + (c - '0');
    if (value > kMaxRecordedLocks) return kMaxRecordedLocks;
  }
  return value;
}

void CheckConversion(std::string_view text) {
  Check(ParseLockCount(text) == ReferenceLockCount(text), "a recorded lock count reads bounded");
  const std::optional<std::int16_t> value = ParseStoredInteger(text);
  Check(value == ReferenceInteger(text), "stored integers read as decimal 16-bit numbers only");
  if (!value) return;
  const std::string written = StoredIntegerText(*value);
  Check(ParseStoredInteger(written) == value, "a stored integer's text reads back");
  Check(written.size() <= text.size(), "the written form is the shortest");
}

std::vector<std::string> Lines(std::string_view input) {
  std::vector<std::string> lines;
  while (!input.empty() && lines.size() < kKeys.size()) {
    const std::size_t end = input.find('\n');
    lines.emplace_back(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  return lines;
}

void Store(FakeSettingsStore& store, const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    store.values[{kAppTitle, kKeys[i].section, kKeys[i].name}] = lines[i];
  }
}

// The value start-up must have taken for one integer key.
std::int16_t ExpectedInteger(const std::vector<std::string>& lines, std::size_t key) {
  if (key >= lines.size()) return kKeys[key].default_value;
  return ReferenceInteger(lines[key]).value_or(kKeys[key].default_value);
}

// Only "\\.\" and one drive letter's name ever reaches the device layer.
void CheckDevicePaths(const testing::FakeDeviceControl& devices) {
  for (const testing::DeviceCall& call : devices.calls) {
    const std::string_view path = call.path;
    const char letter_char = path.size() > kDevicePrefix.size() ? path[kDevicePrefix.size()] : ' ';
    const bool letter = path.size() == kDevicePrefix.size() + kDriveNameLength &&
                        path.starts_with(kDevicePrefix) &&
                        ((letter_char >= 'A' && letter_char <= 'Z') ||
                         (letter_char >= 'a' && letter_char <= 'z')) &&
                        path.back() == ':';
    Check(letter, "device requests go to a drive letter's device path only");
    Check(call.closes == (call.opened ? 1 : 0), "every opened device is closed once");
  }
}

void CheckStartup(const std::vector<std::string>& lines) {
  TestProgram program;
  Store(program.fake.settings, lines);
  program->Start();
  const SettingsVariables& vars = program->vars();

  Check(program.fake.settings.writes.empty(), "start-up writes nothing to the store");
  for (std::size_t key = 0; key < kKeys.size(); ++key) {
    const StoredKey& stored = kKeys[key];
    if (stored.integer == &SettingsVariables::LockStatus) {
      // Start-up takes it from the record of Ventrix's locks on the drive, empty here.
      Check(vars.LockStatus == kUnlocked, "start-up takes the lock state from the lock record");
    } else if (stored.integer != nullptr) {
      Check(vars.*stored.integer == ExpectedInteger(lines, key),
            "an integer key holds its number or, when the text cannot serve, its default");
    } else {
      const std::string expected = key < lines.size() ? lines[key] : stored.default_text;
      Check(vars.*stored.text == expected, "a text key is taken as stored, or its default");
    }
  }

  // Every operation with whatever drive text was stored, then a save and a fresh start on it.
  FrmMain& main = program->frmMain();
  for (std::int16_t item : kOperationItems) {
    program->runtime().Dispatch([&] { main.mnuoperations_Click(item); });
  }
  CheckDevicePaths(program.fake.devices);
  Check(program.fake.settings.OnlyLockRecordWritten(),
        "the operations write nothing to the store but the lock record");

  SaveSettings(*program);
  TestProgram again;
  again.fake.settings.values = program.fake.settings.values;
  again->vars().AppTitle = kAppTitle;
  LoadSettings(*again);
  const SettingsVariables& reread = again->vars();
  for (std::size_t key = 0; key < kKeys.size(); ++key) {
    if (kKeys[key].text != nullptr) {
      Check(reread.*kKeys[key].text == vars.*kKeys[key].text, "saved texts read back");
    }
    if (kKeys[key].integer != nullptr) {
      Check(reread.*kKeys[key].integer == vars.*kKeys[key].integer, "saved numbers read back");
    }
  }
}

}  // namespace
}  // namespace ventrix::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ventrix::fuzzing;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckConversion(input);
  const std::vector<std::string> lines = Lines(input);
  for (const std::string& line : lines) CheckConversion(line);
  CheckStartup(lines);
  return 0;
}
