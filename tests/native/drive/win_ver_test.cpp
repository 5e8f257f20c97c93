#include "drive/win_ver.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/types.h"
#include "tests/support/fake_services.h"

namespace ventrix {
namespace {

using testing::FakeVersionQuery;

// The six answers in one fixed order: 98, Me, 2000, 2003, XP, Vista.
using Answers = std::array<std::int16_t, 6>;
constexpr std::int16_t T = kTrue;
constexpr std::int16_t F = kFalse;
constexpr Answers kNone{F, F, F, F, F, F};

Answers AskAll(VersionQuery& query) {
  return {mGetWinVer::IsWindows98(query),   mGetWinVer::IsWindowsMe(query),
          mGetWinVer::IsWindows2000(query), mGetWinVer::IsWindows2003(query),
          mGetWinVer::IsWindowsXP(query),   mGetWinVer::IsWindowsVista(query)};
}

struct Row {
  std::string name;
  std::uint32_t platform_id, major, minor;
  std::int32_t build;
  Answers expected;
};

TEST(WindowsVersionTests, AnswerEachReleaseRecord) {
  constexpr std::uint32_t k9x = kPlatformWin32Windows;
  constexpr std::uint32_t kNt = kPlatformWin32Nt;
  const Row rows[] = {
      {"98 first build", k9x, 4, 10, 1998, {T, F, F, F, F, F}},
      {"98 real build field", k9x, 4, 10, 0x040A08AE, {T, F, F, F, F, F}},
      {"98 build 1997", k9x, 4, 10, 1997, kNone},
      {"98 negative build field", k9x, 4, 10, -1, kNone},
      {"Me", k9x, 4, 90, 3000, {F, T, F, F, F, F}},
      {"Me real build field", k9x, 4, 90, 0x045A0BB8, {F, T, F, F, F, F}},
      {"Me build 2999", k9x, 4, 90, 2999, kNone},
      {"95", k9x, 4, 0, 950, kNone},
      {"NT 4.0", kNt, 4, 0, 1381, kNone},
      {"2000", kNt, 5, 0, 2195, {F, F, T, F, F, F}},
      {"2000 build 2194", kNt, 5, 0, 2194, kNone},
      {"XP", kNt, 5, 1, 2600, {F, F, F, F, T, F}},
      {"XP build 2599", kNt, 5, 1, 2599, kNone},
      {"2003", kNt, 5, 2, 3790, {F, F, F, T, F, F}},
      {"2003 build 3791", kNt, 5, 2, 3791, kNone},
      {"Vista", kNt, 6, 0, 6000, {F, F, F, F, F, T}},
      {"7", kNt, 6, 1, 7601, {F, F, F, F, F, T}},
      {"8 and later unmanifested", kNt, 6, 2, 9200, {F, F, F, F, F, T}},
      {"6.x with build 0", kNt, 6, 3, 0, {F, F, F, F, F, T}},
      {"10 manifested", kNt, 10, 0, 19045, kNone},
      {"9x family reporting 5.1", k9x, 5, 1, 2600, kNone},
      {"NT family reporting 4.10", kNt, 4, 10, 1998, kNone},
      {"unknown platform 6.0", 3, 6, 0, 6000, kNone},
  };
  for (const Row& row : rows) {
    FakeVersionQuery query;
    query.Set(row.platform_id, row.major, row.minor, row.build);
    EXPECT_EQ(AskAll(query), row.expected) << row.name;
  }
}

TEST(WindowsVersionTests, FailedQueryAnswersFalseEvenForAMatchingRecord) {
  for (const std::int32_t failure : {0, 2, -1}) {
    FakeVersionQuery query;
    query.SetWinXP();
    query.result = failure;
    EXPECT_EQ(AskAll(query), kNone) << failure;
    query.SetWin7();
    query.result = failure;
    EXPECT_EQ(AskAll(query), kNone) << failure;
  }
}

TEST(WindowsVersionTests, EveryTestQueriesAnewWithAZeroedSizedRecord) {
  struct RecordingQuery : VersionQuery {
    std::array<OsVersionRecord, 6> seen;
    int calls = 0;
    std::int32_t GetVersionEx(OsVersionRecord& record) override {
      seen.at(static_cast<std::size_t>(calls++)) = record;
      record.platform_id = kPlatformWin32Nt;
      record.major = 6;
      return 1;
    }
  } query;
  EXPECT_EQ(AskAll(query), (Answers{F, F, F, F, F, T}));
  EXPECT_EQ(query.calls, 6);
  for (const OsVersionRecord& record : query.seen) {
    EXPECT_EQ(record.size, 148u);
    EXPECT_EQ(record.major, 0u);
    EXPECT_EQ(record.minor, 0u);
    EXPECT_EQ(record.build, 0);
    EXPECT_EQ(record.platform_id, 0u);
  }
}

}  // namespace
}  // namespace ventrix
