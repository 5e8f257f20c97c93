// LoadSettings / SaveSettings over the real registry-backed store; every other service is a
// fake, and the registry is checked and prepared with raw API calls.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "platform/win32/registry_key.h"
#include "platform/win32/settings_store_win32.h"
#include "program/product.h"
#include "settings/general.h"
#include "tests/support/test_platform.h"
#include "tests/windows/registry_test_support.h"

namespace ventrix::win32 {
namespace {

constexpr char kAppKey[] = "Software\\VB and VBA Program Settings\\Ventrix 3";
constexpr char kSettingsKey[] = "Software\\VB and VBA Program Settings\\Ventrix 3\\settings";
constexpr char kWebUpdateKey[] = "Software\\VB and VBA Program Settings\\Ventrix 3\\Web Update";
// Value names and subkey names are at most 16383 and 255 characters; the test data is short.
constexpr DWORD kNameBufferSize = 512;
constexpr DWORD kDataBufferSize = 4096;

using Values = std::map<std::string, std::pair<DWORD, std::string>>;

// Every value of the key: name -> (type, bytes as stored).
Values EnumValues(const char* key_path) {
  Values values;
  UniqueHkey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_path, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
    key.Release();
    return values;
  }
  for (DWORD index = 0;; ++index) {
    char name[kNameBufferSize];
    DWORD name_length = kNameBufferSize;
    BYTE data[kDataBufferSize];
    DWORD data_size = kDataBufferSize;
    DWORD type = REG_NONE;
    if (RegEnumValueA(key.Get(), index, name, &name_length, nullptr, &type, data, &data_size) !=
        ERROR_SUCCESS) {
      break;
    }
    values[std::string(name, name_length)] = {
        type, std::string(reinterpret_cast<const char*>(data), data_size)};
  }
  return values;
}

int SubkeyCount(const char* key_path) {
  UniqueHkey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_path, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
    key.Release();
    return -1;
  }
  DWORD subkeys = 0;
  RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr, nullptr);
  return static_cast<int>(subkeys);
}

// A REG_SZ as the registry keeps it: the text and its terminating NUL.
std::pair<DWORD, std::string> Sz(const std::string& text) {
  return {REG_SZ, text + std::string(1, '\0')};
}

void WriteSz(const char* key_path, const std::string& name, const std::string& text) {
  ASSERT_TRUE(testing::SetRawValue(HKEY_CURRENT_USER, key_path, name, REG_SZ, text.c_str(),
                                   static_cast<DWORD>(text.size() + 1)));
}

struct SettingsRegistry : ::testing::Test {
  ventrix::testing::TestPlatform fake;
  RegistrySettingsStore store;
  Platform platform = fake.platform({.settings = &store});
  Program program{platform};

  SettingsRegistry() {
    testing::DeleteKeyTree(HKEY_CURRENT_USER, kAppKey);
    program.vars().AppTitle = kAppTitle;
  }
  ~SettingsRegistry() override { testing::DeleteKeyTree(HKEY_CURRENT_USER, kAppKey); }
};

TEST_F(SettingsRegistry, SaveWritesExactlyTheEightTextValues) {
  SettingsVariables& vars = program.vars();
  vars.DriveLetter = "E:";
  vars.AlwaysOnTop = 1;
  vars.BannerEnabled = 0;
  vars.VisibleOnStartup = -1;
  vars.WebUpdateUrl = "http://example.org/ventrix3.txt";
  vars.DeviceStatus = "opened";
  vars.LockStatus = 1;
  vars.SendToTray = 0;
  SaveSettings(program);

  EXPECT_EQ(SubkeyCount(kAppKey), 2);
  EXPECT_EQ(EnumValues(kAppKey), Values{});
  EXPECT_EQ(EnumValues(kSettingsKey), (Values{
                                          {"Default CD Drive Letter", Sz("E:")},
                                          {"Always On Top", Sz("1")},
                                          {"Banner Enabled", Sz("0")},
                                          {"Visible on Start-up", Sz("-1")},
                                          {"Device Status", Sz("opened")},
                                          {"Lock Status", Sz("1")},
                                          {"Send to Tray", Sz("0")},
                                      }));
  EXPECT_EQ(EnumValues(kWebUpdateKey),
            (Values{{"Web Update URL", Sz("http://example.org/ventrix3.txt")}}));
}

TEST_F(SettingsRegistry, LoadReadsWhatAnotherProgramStored) {
  WriteSz(kSettingsKey, "Default CD Drive Letter", "E:");
  WriteSz(kSettingsKey, "Always On Top", "1");
  WriteSz(kSettingsKey, "Banner Enabled", "1");
  WriteSz(kSettingsKey, "Visible on Start-up", "2");
  WriteSz(kWebUpdateKey, "Web Update URL", "http://example.org/v.txt");
  WriteSz(kSettingsKey, "Device Status", "opened");
  WriteSz(kSettingsKey, "Lock Status", "junk");
  // "Send to Tray" is missing: its default applies.
  LoadSettings(program);

  const SettingsVariables& vars = program.vars();
  EXPECT_EQ(vars.DriveLetter, "E:");
  EXPECT_EQ(vars.AlwaysOnTop, 1);
  EXPECT_EQ(vars.BannerEnabled, 1);
  EXPECT_EQ(vars.VisibleOnStartup, 2);
  EXPECT_EQ(vars.WebUpdateUrl, "http://example.org/v.txt");
  EXPECT_EQ(vars.DeviceStatus, "opened");
  EXPECT_EQ(vars.LockStatus, 0);
  EXPECT_EQ(vars.SendToTray, 1);
}

TEST_F(SettingsRegistry, FirstRunLoadsDefaultsAndCreatesNothing) {
  LoadSettings(program);
  EXPECT_EQ(program.vars().DriveLetter, "D:\\");
  EXPECT_EQ(program.vars().WebUpdateUrl,
            std::string(WebSiteUrl) + "/download/ventrix/ventrix3.txt");
  EXPECT_EQ(program.vars().DeviceStatus, "closed");
  EXPECT_FALSE(testing::KeyExists(HKEY_CURRENT_USER, kAppKey));
}

}  // namespace
}  // namespace ventrix::win32
