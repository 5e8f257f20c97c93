// Runs the six version tests against the real GetVersionExA. The build names the release this
// executable is told it runs on (VENTRIX_EXPECTED_RELEASE); the test prefix sets it per exe name.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "drive/win_ver.h"
#include "platform/types.h"
#include "platform/win32/version_query_win32.h"

namespace ventrix::win32 {
namespace {

// 98, Me, 2000, 2003, XP, Vista.
using Answers = std::array<std::int16_t, 6>;
constexpr std::int16_t T = kTrue;
constexpr std::int16_t F = kFalse;

const std::map<std::string, Answers>& ExpectedAnswers() {
  static const std::map<std::string, Answers> answers = {
      {"win95", {F, F, F, F, F, F}},
      {"win98", {T, F, F, F, F, F}},
      {"winme", {F, T, F, F, F, F}},
      {"nt40", {F, F, F, F, F, F}},
      {"win2k", {F, F, T, F, F, F}},
      {"winxp", {F, F, F, F, T, F}},
      {"win2003", {F, F, F, T, F, F}},
      {"vista", {F, F, F, F, F, T}},
      {"win7", {F, F, F, F, F, T}},
      // An unmanifested program is told 6.2 on Windows 8 and later.
      {"win10", {F, F, F, F, F, T}},
  };
  return answers;
}

TEST(Win32VersionQuery, AnswersTheSixTestsForThisRelease) {
  const std::string release = VENTRIX_EXPECTED_RELEASE;
  const auto expected = ExpectedAnswers().find(release);
  ASSERT_NE(expected, ExpectedAnswers().end()) << release;

  Win32VersionQuery query;
  const Answers answers{mGetWinVer::IsWindows98(query),   mGetWinVer::IsWindowsMe(query),
                        mGetWinVer::IsWindows2000(query), mGetWinVer::IsWindows2003(query),
                        mGetWinVer::IsWindowsXP(query),   mGetWinVer::IsWindowsVista(query)};
  const VersionAnswer raw = mGetWinVer::QueryVersion(query);
  EXPECT_EQ(answers, expected->second)
      << release << ": platform " << raw.record.platform_id << ", " << raw.record.major << "."
      << raw.record.minor << ", build field " << raw.record.build;
  EXPECT_EQ(raw.result, 1);
  EXPECT_EQ(raw.record.size, OsVersionRecord::kSize);
}

}  // namespace
}  // namespace ventrix::win32
