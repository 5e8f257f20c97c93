#include "about/sys_info.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_services.h"

namespace ventrix::testing {
namespace {

using sys_info::GetKeyValue;

constexpr std::uint32_t kRegBinary = 3;

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
  EXPECT_EQ(registry.open_access, (std::vector<std::uint32_t>{0x2003F, 0x2003F}));
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
  ASSERT_EQ(value.size(), 1023u);  // the buffer less its last NUL
  EXPECT_EQ(value.substr(0, 5), "short");
}

}  // namespace
}  // namespace ventrix::testing
