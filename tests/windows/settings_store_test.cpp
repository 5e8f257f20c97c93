#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
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

TEST_F(RegistrySettingsStoreTest, OnlyRegSzServesWhateverTheOtherTypesHold) {
  // Each holds bytes that would read as "1" (or "E:\") if the type were not looked at.
  const std::string one("1\0", 2);
  const std::string one_multi("1\0\0", 3);
  const std::string drive("E:\\\0", 4);
  const DWORD number = '1';
  const std::uint64_t wide_number = '1';
  PutRaw("settings", "Binary", REG_BINARY, one.data(), static_cast<DWORD>(one.size()));
  PutRaw("settings", "BinaryDrive", REG_BINARY, drive.data(), static_cast<DWORD>(drive.size()));
  PutRaw("settings", "Expand", REG_EXPAND_SZ, one.data(), static_cast<DWORD>(one.size()));
  PutRaw("settings", "Multi", REG_MULTI_SZ, one_multi.data(), static_cast<DWORD>(one_multi.size()));
  PutRaw("settings", "None", REG_NONE, one.data(), static_cast<DWORD>(one.size()));
  PutRaw("settings", "Dword", REG_DWORD, &number, sizeof(number));
  PutRaw("settings", "BigEndian", REG_DWORD_BIG_ENDIAN, &number, sizeof(number));
  PutRaw("settings", "Qword", REG_QWORD, &wide_number, sizeof(wide_number));
  for (const char* key :
       {"Binary", "BinaryDrive", "Expand", "Multi", "None", "Dword", "BigEndian", "Qword"}) {
    EXPECT_EQ(store_.Read(app_, "settings", key, "dflt"), "dflt") << key;
  }
}

TEST_F(RegistrySettingsStoreTest, DataBeyondTheBoundReadsAsMissingUpToAMegabyte) {
  constexpr std::size_t kMegabyte = 1024 * 1024;
  const std::string huge(kMegabyte, '1');
  PutRaw("settings", "Huge", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
  PutRaw("settings", "HugeBinary", REG_BINARY, huge.data(), static_cast<DWORD>(huge.size()));
  // A short text followed by more data than the bound: the data, not the text, is measured.
  const std::string short_then_long = std::string("1\0", 2) + std::string(kMaxSettingLength, 'x');
  PutRaw("settings", "ShortThenLong", REG_SZ, short_then_long.data(),
         static_cast<DWORD>(short_then_long.size()));
  EXPECT_EQ(store_.Read(app_, "settings", "Huge", "dflt"), "dflt");
  EXPECT_EQ(store_.Read(app_, "settings", "HugeBinary", "dflt"), "dflt");
  EXPECT_EQ(store_.Read(app_, "settings", "ShortThenLong", "dflt"), "dflt");

  // Exactly at the bound, with and without a terminator; one more character is too long.
  const std::string longest(kMaxSettingLength, 'a');
  const std::string one_more(kMaxSettingLength + 1, 'b');
  PutRaw("settings", "Longest", REG_SZ, longest.c_str(), static_cast<DWORD>(longest.size() + 1));
  PutRaw("settings", "LongestBare", REG_SZ, longest.data(), static_cast<DWORD>(longest.size()));
  PutRaw("settings", "OneMore", REG_SZ, one_more.c_str(), static_cast<DWORD>(one_more.size() + 1));
  EXPECT_EQ(store_.Read(app_, "settings", "Longest", "dflt"), longest);
  EXPECT_EQ(store_.Read(app_, "settings", "LongestBare", "dflt"), longest);
  EXPECT_EQ(store_.Read(app_, "settings", "OneMore", "dflt"), "dflt");
}

TEST_F(RegistrySettingsStoreTest, ATextEndsAtItsFirstNul) {
  const std::string doubled("1\0\0", 3);
  const std::string trailing_junk("D:\0PhysicalDrive0\0", 18);
  const std::string leading_nul("\0abc\0", 5);
  const std::string empty_bare;
  PutRaw("settings", "Doubled", REG_SZ, doubled.data(), static_cast<DWORD>(doubled.size()));
  PutRaw("settings", "Junk", REG_SZ, trailing_junk.data(),
         static_cast<DWORD>(trailing_junk.size()));
  PutRaw("settings", "Leading", REG_SZ, leading_nul.data(), static_cast<DWORD>(leading_nul.size()));
  PutRaw("settings", "EmptyBare", REG_SZ, empty_bare.data(), 0);
  EXPECT_EQ(store_.Read(app_, "settings", "Doubled", "dflt"), "1");
  EXPECT_EQ(store_.Read(app_, "settings", "Junk", "dflt"), "D:");
  EXPECT_EQ(store_.Read(app_, "settings", "Leading", "dflt"), "");
  EXPECT_EQ(store_.Read(app_, "settings", "EmptyBare", "dflt"), "");
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
