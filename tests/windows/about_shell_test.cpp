// The About box's shell and registry helpers over the real Win32 services.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about/shell_open.h"
#include "about/sys_info.h"
#include "platform/win32/registry_key.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/system_facts_win32.h"

namespace ventrix::win32 {
namespace {

constexpr RegistryKey kCurrentUser = 0x80000001u;  // HKEY_CURRENT_USER
constexpr const char* kTestKey = "Software\\Ventrix Tests\\About";
constexpr std::size_t kOverlongValue = 2000;
constexpr DWORD kNumber = 0x1234ABCD;

TEST(AboutShell, MissingFileGivesTheFileNotFoundRecord) {
  Win32Shell shell;
  Win32SystemFacts facts;
  mShellExecute::ShellOpener opener(shell, facts);
  std::string verb = "open";
  WindowHandle owner = kNoWindow;
  EXPECT_FALSE(opener.ShellOpen("C:\\windows\\ventrix-no-such-file.txt", 10, "", "", verb, owner));
  EXPECT_EQ(opener.LastShellFailure().number, 53);
  EXPECT_EQ(opener.LastShellFailure().description, "File not found");
  EXPECT_EQ(opener.LastShellFailure().source, "about_shell_test.GShell");
  EXPECT_EQ(verb, "open");

  // The long form of the call fails the same way.
  EXPECT_FALSE(opener.ShellOpen("ventrix-no-such-file.txt", 1, "", "C:\\windows", verb, owner));
  EXPECT_EQ(opener.LastShellFailure().number, 53);
}

// Creates the test key with one value of each kind, and removes it afterwards.
class AboutRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    const std::string text = "C:\\Program Files\\Common Files\\MSInfo";
    SetValue(key, "Text", REG_SZ, text.c_str(), text.size() + 1);
    SetValue(key, "Number", REG_DWORD, &kNumber, sizeof(kNumber));
    const unsigned char blob[] = {1, 2, 3};
    SetValue(key, "Blob", REG_BINARY, blob, sizeof(blob));
    const std::string overlong(kOverlongValue, 'x');
    SetValue(key, "Overlong", REG_SZ, overlong.c_str(), overlong.size() + 1);
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }

  static void SetValue(const UniqueHkey& key, const char* name, DWORD type, const void* data,
                       std::size_t size) {
    ASSERT_EQ(RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(size)),
              ERROR_SUCCESS);
  }

  bool Read(const std::string& key_name, const std::string& value_name) {
    RegistryKey root = kCurrentUser;
    std::string key = key_name;
    std::string name = value_name;
    return sys_info::GetKeyValue(registry, root, key, name, value);
  }

  Win32Registry registry;
  std::string value = "before";
};

TEST_F(AboutRegistry, ReadsEachKindOfValue) {
  EXPECT_TRUE(Read(kTestKey, "Text"));
  EXPECT_EQ(value, "C:\\Program Files\\Common Files\\MSInfo");
  EXPECT_TRUE(Read(kTestKey, "Number"));
  EXPECT_EQ(value, "&h1234ABCD");
  value = "kept";
  EXPECT_TRUE(Read(kTestKey, "Blob"));
  EXPECT_EQ(value, "kept");
}

TEST_F(AboutRegistry, MissingKeysValuesAndOverlongValuesFail) {
  EXPECT_FALSE(Read("Software\\Ventrix Tests\\No Such Key", "Text"));
  EXPECT_EQ(value, "");
  value = "before";
  EXPECT_FALSE(Read(kTestKey, "No Such Value"));
  EXPECT_EQ(value, "");
  value = "before";
  EXPECT_FALSE(Read(kTestKey, "Overlong"));
  EXPECT_EQ(value, "");
}

}  // namespace
}  // namespace ventrix::win32
