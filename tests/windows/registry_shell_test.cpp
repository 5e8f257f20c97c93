#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/types.h"
#include "platform/win32/programs_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "registry_test_support.h"

namespace ventrix::win32 {
namespace {

using testing::DeleteKeyTree;
using testing::SetRawValue;
using testing::UniqueName;

constexpr RegistryKey kHkeyCurrentUser = 0x80000001u;
// The access the About box asks for when it looks up the system information tool.
constexpr std::uint32_t kAllAccess = 0x2003F;
constexpr std::size_t kValueBufferSize = 1024;

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char text[] = "C:\\Tools";
    const DWORD number = 0x12345678;
    ASSERT_TRUE(SetRawValue(HKEY_CURRENT_USER, path_, "PATH", REG_SZ, text, sizeof(text)));
    ASSERT_TRUE(
        SetRawValue(HKEY_CURRENT_USER, path_, "Number", REG_DWORD, &number, sizeof(number)));
  }
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, path_); }

  const std::string path_ = "Software\\" + UniqueName("Ventrix Registry Test");
  Win32Registry registry_;
};

TEST_F(Win32RegistryTest, ReadsTextAndNumberValues) {
  RegistryKey key = 0;
  ASSERT_EQ(registry_.OpenKeyEx(kHkeyCurrentUser, path_, 0, kAllAccess, key), kRegistrySuccess);
  ASSERT_NE(key, 0u);

  std::array<char, kValueBufferSize> buffer{};
  std::uint32_t type = 0;
  std::uint32_t size = buffer.size();
  ASSERT_EQ(registry_.QueryValueEx(key, "PATH", type, buffer, size), kRegistrySuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(std::string(buffer.data(), size), std::string("C:\\Tools\0", 9));

  ASSERT_EQ(registry_.QueryValueEx(key, "Number", type, buffer, size), kRegistrySuccess);
  EXPECT_EQ(type, kRegDword);
  ASSERT_EQ(size, sizeof(DWORD));
  DWORD number = 0;
  std::memcpy(&number, buffer.data(), sizeof(number));
  EXPECT_EQ(number, 0x12345678u);

  EXPECT_EQ(registry_.QueryValueEx(key, "Missing", type, buffer, size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry_.CloseKey(key), kRegistrySuccess);
  // A key is closed once; the handle value may already belong to someone else.
  EXPECT_EQ(registry_.CloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(Win32RegistryTest, ReportsTheSizeNeededWhenTheBufferIsTooSmall) {
  RegistryKey key = 0;
  ASSERT_EQ(registry_.OpenKeyEx(kHkeyCurrentUser, path_, 0, kAllAccess, key), kRegistrySuccess);
  std::array<char, 4> small{};
  std::uint32_t type = 0;
  std::uint32_t size = small.size();
  EXPECT_EQ(registry_.QueryValueEx(key, "PATH", type, small, size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 9u);
  EXPECT_EQ(registry_.CloseKey(key), kRegistrySuccess);
}

TEST_F(Win32RegistryTest, ReportsAMissingKeyAndToleratesClosingIt) {
  RegistryKey key = 12345;
  EXPECT_EQ(registry_.OpenKeyEx(kHkeyCurrentUser, path_ + "\\No Such Key", 0, kAllAccess, key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0u);
  EXPECT_NE(registry_.CloseKey(key), kRegistrySuccess);
  // A NUL would cut the name short and open the parent key instead.
  EXPECT_NE(
      registry_.OpenKeyEx(kHkeyCurrentUser, path_ + std::string("\0x", 2), 0, kAllAccess, key),
      kRegistrySuccess);
  EXPECT_EQ(key, 0u);
}

TEST(Win32ShellTest, ReportsFileNotFoundForAMissingFile) {
  Win32Shell shell;
  EXPECT_EQ(shell.ShellExecute(kNoWindow, "open", "C:\\no\\such\\file.txt", std::nullopt,
                               std::nullopt, SW_SHOWNORMAL),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(shell.ShellExecute(kNoWindow, "open", std::string("C:\\windows\0.txt", 15),
                               std::nullopt, std::nullopt, SW_SHOWNORMAL),
            ERROR_FILE_NOT_FOUND);
}

class Win32ProgramLauncherTest : public ::testing::Test {
 protected:
  // A fresh file in the temporary folder with the given attributes.
  std::string MakeFile(const std::string& name, DWORD attributes) {
    std::array<char, MAX_PATH> folder{};
    const DWORD length = GetTempPathA(folder.size(), folder.data());
    const std::string path = std::string(folder.data(), length) + UniqueName(name);
    std::ofstream(path) << "x";
    EXPECT_TRUE(SetFileAttributesA(path.c_str(), attributes));
    // A plain file reports "archive" rather than "normal"; other attributes must stick.
    const DWORD wanted = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & wanted, wanted);
    made_.push_back(path);
    return path;
  }
  void TearDown() override {
    for (const std::string& path : made_) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
  }

  std::vector<std::string> made_;
  Win32ProgramLauncher launcher_;
};

TEST_F(Win32ProgramLauncherTest, FindsOnlyPlainExistingFiles) {
  EXPECT_TRUE(launcher_.FileExists(MakeFile("normal", FILE_ATTRIBUTE_NORMAL)));
  EXPECT_TRUE(launcher_.FileExists(MakeFile("readonly", FILE_ATTRIBUTE_READONLY)));
  EXPECT_FALSE(launcher_.FileExists(MakeFile("hidden", FILE_ATTRIBUTE_HIDDEN)));
  EXPECT_FALSE(launcher_.FileExists(MakeFile("system", FILE_ATTRIBUTE_SYSTEM)));
  EXPECT_FALSE(launcher_.FileExists("C:\\no\\such\\MSINFO32.EXE"));
  EXPECT_FALSE(launcher_.FileExists("C:\\windows"));
  EXPECT_FALSE(launcher_.FileExists(""));
  // Longer than the ANSI file calls take, even when a prefix of it would exist.
  EXPECT_FALSE(launcher_.FileExists("C:\\windows\\" + std::string(kMaxProgramPathLength, 'a')));
}

TEST_F(Win32ProgramLauncherTest, StartsAnExistingProgramWithoutWaiting) {
  EXPECT_TRUE(launcher_.Start("C:\\windows\\system32\\hostname.exe", SW_HIDE));
  EXPECT_FALSE(launcher_.Start("C:\\no\\such\\program.exe", SW_SHOWNORMAL));
  EXPECT_FALSE(launcher_.Start("", SW_SHOWNORMAL));
  EXPECT_FALSE(launcher_.Start("C:\\windows\\system32\\hostname.exe", SW_MAX + 1));
  EXPECT_FALSE(launcher_.Start("\"C:\\windows\\system32\\hostname.exe\" extra", SW_HIDE));
}

}  // namespace
}  // namespace ventrix::win32
