#include "about/sys_info.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_services.h"

namespace ventrix::testing {
namespace {

using sys_info::GetKeyValue;

constexpr std::uint32_t kRegBinary = 3;
// KEY_READ: STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY.
constexpr std::uint32_t kKeyRead = 0x20019;

struct GetKeyValueTest : ::testing::Test {
  FakeRegistry registry;
  RegistryKey root = kHkeyLocalMachine;
  std::string key = "SOFTWARE\\Test";
  std::string name = "Value";
  std::string value = "before";

  bool Read() { return GetKeyValue(registry, root, key, name, value); }
  void Store(std::uint32_t type, const std::string& data) {
    registry.keys[key][name] = {type, data};
  }
};

TEST_F(GetKeyValueTest, TextDropsOneTerminatorAndSurvivesAMissingOne) {
  Store(kRegSz, std::string("C:\\Tools\\msinfo32.exe\0", 22));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
  Store(kRegSz, "no terminator");
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "no terminator");
  EXPECT_EQ(registry.open_access, (std::vector<std::uint32_t>{kKeyRead, kKeyRead}));
  EXPECT_EQ(registry.closed.size(), 2u);
}

TEST_F(GetKeyValueTest, NumbersReadAsHexWithoutLeadingZeros) {
  Store(kRegDword, std::string("\x01\0\0\0", 4));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "&h1");
  Store(kRegDword, std::string("\xEF\xBE\xAD\xDE", 4));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "&hDEADBEEF");
  Store(kRegDword, std::string("\0\x01\0\0", 4));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "&h100");
  EXPECT_EQ(sys_info::DwordText(0), "&h0");
}

TEST_F(GetKeyValueTest, OtherTypesKeepTheCallersText) {
  Store(kRegBinary, "\x01\x02");
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "before");
}

TEST_F(GetKeyValueTest, AValueLongerThanTheBufferIsAFailure) {
  Store(kRegSz, std::string(1025, 'x'));
  EXPECT_FALSE(Read());
  EXPECT_EQ(value, "");
  EXPECT_EQ(registry.closed.size(), 1u);
  // Exactly the buffer's size, without a terminator, still fits.
  Store(kRegSz, std::string(1024, 'y'));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, std::string(1024, 'y'));
}

TEST_F(GetKeyValueTest, MissingValueClosesTheKeyMissingKeyClosesNothing) {
  registry.keys[key] = {};
  EXPECT_FALSE(Read());
  EXPECT_EQ(value, "");
  EXPECT_EQ(registry.closed, (std::vector<RegistryKey>{FakeRegistry::kFirstHandle}));
  value = "before";
  key = "SOFTWARE\\Absent";
  EXPECT_FALSE(Read());
  EXPECT_EQ(value, "");
  EXPECT_EQ(registry.closed.size(), 1u);
}

// A registry that claims more data than it could have written.
class OverstatingRegistry : public FakeRegistry {
 public:
  std::int32_t QueryValueEx(RegistryKey key, const std::string& value_name, std::uint32_t& type,
                            std::span<char> buffer, std::uint32_t& size) override {
    const std::int32_t result = FakeRegistry::QueryValueEx(key, value_name, type, buffer, size);
    size = 1u << 20;
    return result;
  }
};

TEST(GetKeyValueBounds, NeverReadsPastTheBuffer) {
  OverstatingRegistry registry;
  registry.keys["K"]["V"] = {kRegSz, "short"};
  RegistryKey root = kHkeyLocalMachine;
  std::string key = "K", name = "V", value;
  EXPECT_TRUE(GetKeyValue(registry, root, key, name, value));
  // The rest of the buffer is NULs, and the text ends at the first of them.
  EXPECT_EQ(value, "short");
}

TEST_F(GetKeyValueTest, TextEndsAtItsFirstNul) {
  Store(kRegSz, std::string("C:\\Tools\\msinfo32.exe\0\0", 23));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "C:\\Tools\\msinfo32.exe");
  Store(kRegSz, std::string("C:\\Tools\0junk", 13));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "C:\\Tools");
  Store(kRegSz, std::string("\0abc", 4));
  EXPECT_TRUE(Read());
  EXPECT_EQ(value, "");
}

// The system information lookup over the two registry values.
struct StartSystemInformationTest : ::testing::Test {
  FakeRegistry registry;
  FakeLauncher programs;

  void StoreFolder(std::uint32_t type, const std::string& data) {
    registry.keys[sys_info::kLocationKey][sys_info::kLocationValue] = {type, data};
  }
  bool Start() { return sys_info::StartSystemInformation(registry, programs); }
};

TEST_F(StartSystemInformationTest, NoFolderNeverLooksAtTheCurrentDrivesRoot) {
  // "\MSINFO32.EXE" alone would name the tool at the root of whatever drive is current.
  programs.existing_files = {"\\MSINFO32.EXE"};
  for (const std::string& empty_text : {std::string(), std::string(1, '\0')}) {
    StoreFolder(kRegSz, empty_text);
    EXPECT_FALSE(Start());
  }
  StoreFolder(kRegBinary, "C:\\Common");
  EXPECT_FALSE(Start());
  EXPECT_TRUE(programs.queried.empty());
  EXPECT_TRUE(programs.started.empty());
}

TEST_F(StartSystemInformationTest, AFolderStoredWithExtraTerminatorsStillFindsTheTool) {
  StoreFolder(kRegSz, std::string("C:\\Common\\MSInfo\0\0", 18));
  programs.existing_files = {"C:\\Common\\MSInfo\\MSINFO32.EXE"};
  EXPECT_TRUE(Start());
  ASSERT_EQ(programs.started.size(), 1u);
  EXPECT_EQ(programs.started[0].first, "C:\\Common\\MSInfo\\MSINFO32.EXE");
}

}  // namespace
}  // namespace ventrix::testing
