#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/settings_store_win32.h"
#include "registry_test_support.h"

namespace ventrix::win32 {
namespace {

using testing::DeleteKeyTree;
using testing::GetRawValue;
using testing::KeyExists;
using testing::SetRawValue;
using testing::UniqueName;

class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, AppPath()); }

  std::string AppPath() const { return std::string(kSettingsRoot) + "\\" + app_; }
  std::string SectionPath(const std::string& section) const { return AppPath() + "\\" + section; }
  void PutRaw(const std::string& section, const std::string& key, DWORD type, const void* data,
              DWORD size) {
    ASSERT_TRUE(SetRawValue(HKEY_CURRENT_USER, SectionPath(section), key, type, data, size));
  }

  const std::string app_ = UniqueName("Ventrix Store Test");
  RegistrySettingsStore store_;
};

TEST_F(RegistrySettingsStoreTest, StoresTextsAsRegSzUnderThePerUserSettingsKey) {
  const std::string spaced = "  two  spaces \t tab ";
  EXPECT_TRUE(store_.Write(app_, "settings", "Default CD Drive Letter", "D:\\"));
  EXPECT_TRUE(store_.Write(app_, "settings", "Empty", ""));
  store_.Write(app_, "Web Update", "Spaced", spaced);

  const auto drive = GetRawValue(HKEY_CURRENT_USER,
                                 "Software\\VB and VBA Program Settings\\" + app_ + "\\settings",
                                 "Default CD Drive Letter");
  ASSERT_EQ(drive.result, ERROR_SUCCESS);
  EXPECT_EQ(drive.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(drive.data, std::string("D:\\\0", 4));
  const auto empty = GetRawValue(HKEY_CURRENT_USER, SectionPath("settings"), "Empty");
  EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(empty.data, std::string(1, '\0'));

  EXPECT_EQ(store_.Read(app_, "settings", "Default CD Drive Letter", "x"), "D:\\");
  EXPECT_EQ(store_.Read(app_, "settings", "Empty", "x"), "");
  EXPECT_EQ(store_.Read(app_, "Web Update", "Spaced", "x"), spaced);
  // Sections are separate: the same key elsewhere is missing.
  EXPECT_EQ(store_.Read(app_, "settings", "Spaced", "x"), "x");

  store_.Write(app_, "settings", "Empty", "replaced");
  EXPECT_EQ(store_.Read(app_, "settings", "Empty", "x"), "replaced");
}

TEST_F(RegistrySettingsStoreTest, AnswersTheDefaultForMissingApplicationSectionOrKey) {
  EXPECT_EQ(store_.Read(app_, "settings", "Send to Tray", "1"), "1");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, AppPath()));  // reading creates nothing

  store_.Write(app_, "settings", "Lock Status", "0");
  EXPECT_EQ(store_.Read(app_, "Web Update", "Lock Status", "dflt"), "dflt");
  EXPECT_EQ(store_.Read(app_, "settings", "Send to Tray", "1"), "1");
  EXPECT_EQ(store_.Read(app_, "settings", "Lock Status", "1"), "0");
}

TEST_F(RegistrySettingsStoreTest, AnswersTheDefaultForValuesOfAnotherTypeOrTooLong) {
  const DWORD number = 1;
  PutRaw("settings", "Dword", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(store_.Read(app_, "settings", "Dword", "dflt"), "dflt");

  const std::string longest(kMaxSettingLength, 'a');
  const std::string too_long(kMaxSettingLength + 1, 'b');
  store_.Write(app_, "settings", "Longest", longest);
  PutRaw("settings", "TooLong", REG_SZ, too_long.c_str(), static_cast<DWORD>(too_long.size() + 1));
  // Stored without a terminator: the data itself is one byte too long.
  PutRaw("settings", "TooLongBare", REG_SZ, too_long.data(), static_cast<DWORD>(too_long.size()));
  PutRaw("settings", "Bare", REG_SZ, "D:", 2);
  EXPECT_EQ(store_.Read(app_, "settings", "Longest", "dflt"), longest);
  EXPECT_EQ(store_.Read(app_, "settings", "TooLong", "dflt"), "dflt");
  EXPECT_EQ(store_.Read(app_, "settings", "TooLongBare", "dflt"), "dflt");
  EXPECT_EQ(store_.Read(app_, "settings", "Bare", "dflt"), "D:");
}

TEST_F(RegistrySettingsStoreTest, RefusesTextsAndNamesItCouldNotReadBack) {
  EXPECT_TRUE(store_.Write(app_, "settings", "Key", "kept"));
  EXPECT_FALSE(store_.Write(app_, "settings", "Key", std::string(kMaxSettingLength + 1, 'x')));
  EXPECT_FALSE(store_.Write(app_, "settings", "Key", std::string("cut\0short", 9)));
  EXPECT_EQ(store_.Read(app_, "settings", "Key", "dflt"), "kept");
  const std::string longest_name(kMaxSettingNameLength, 'n');
  EXPECT_TRUE(store_.Write(app_, "settings", longest_name, "ok"));
  EXPECT_EQ(store_.Read(app_, "settings", longest_name, "dflt"), "ok");
  DeleteKeyTree(HKEY_CURRENT_USER, AppPath());

  const std::string too_long_name(kMaxSettingNameLength + 1, 'n');
  EXPECT_FALSE(store_.Write(app_, too_long_name, "Key", "no"));
  EXPECT_FALSE(store_.Write(app_, "settings", too_long_name, "no"));
  EXPECT_FALSE(store_.Write(app_, "settings", "", "no"));
  EXPECT_FALSE(store_.Write(app_, "sub\\section", "Key", "no"));
  EXPECT_FALSE(store_.Write(app_, std::string("sett\0ings", 9), "Key", "no"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, AppPath()));
  EXPECT_EQ(store_.Read("", "settings", "Key", "dflt"), "dflt");
}

}  // namespace
}  // namespace ventrix::win32
