// The WinINet version check against tests/wine/version_server.py on 127.0.0.1.

#include <algorithm>

#include "tests/windows/web_version_check_fixture.h"

namespace ventrix::win32 {
namespace {

constexpr milliseconds kHangTimeout{3'000};

TEST_F(WebVersionCheckTest, NewerVersionRaisesNewVersionFoundAndOpensTheDownload) {
  EXPECT_EQ(
      RunCheck(Url("/newer.txt")),
      std::vector<std::string>{
          "new|4.0.1|http://127.0.0.1/download/ventrix401.exe|Tray control for every drive|"});
  ASSERT_EQ(shell_.calls.size(), 1u);
  EXPECT_EQ(shell_.calls[0].owner, kNoWindow);
  EXPECT_EQ(shell_.calls[0].verb, "open");
  EXPECT_EQ(shell_.calls[0].file, "http://127.0.0.1/download/ventrix401.exe");
  EXPECT_FALSE(shell_.calls[0].parameters.has_value());
  EXPECT_FALSE(shell_.calls[0].directory.has_value());
  EXPECT_EQ(shell_.calls[0].show, 1);
}

// A held outcome runs whole when it is let go: its event first, then the browser, and the
// deadline raises nothing more meanwhile.
TEST_F(WebVersionCheckTest, AHeldNewVersionOpensTheBrowserOnlyAfterItsEvent) {
  std::vector<std::function<void()>> held;
  check_->deliver = [&held](std::function<void()> outcome) { held.push_back(std::move(outcome)); };
  check_->NewVersionFound = [this](const std::string&, const std::string&, const std::string&,
                                   const std::string&) {
    events_.push_back(shell_.calls.empty() ? "new, no browser yet" : "new after the browser");
  };
  check_->url = Url("/newer.txt");
  check_->CheckForNewVersion();
  PumpUntil([&] { return !held.empty(); }, kEventWait);
  PumpUntil([] { return false; }, kQuietWait);
  ASSERT_EQ(held.size(), 1u);
  EXPECT_TRUE(events_.empty());
  EXPECT_TRUE(shell_.calls.empty());
  held[0]();
  EXPECT_EQ(events_, std::vector<std::string>{"new, no browser yet"});
  EXPECT_EQ(shell_.calls.size(), 1u);
}

TEST_F(WebVersionCheckTest, NoBrowserWithoutAutoLaunch) {
  check_->autolaunchbrowser = false;
  EXPECT_EQ(RunCheck(Url("/newer.txt")).size(), 1u);
  EXPECT_TRUE(shell_.calls.empty());
}

TEST_F(WebVersionCheckTest, SameVersionRaisesNoNewVersion) {
  EXPECT_EQ(RunCheck(Url("/same.txt")), std::vector<std::string>{"none"});
  EXPECT_TRUE(shell_.calls.empty());
}

TEST_F(WebVersionCheckTest, MissingFileFailsAsNotFound) {
  EXPECT_EQ(RunCheck(Url("/missing")), std::vector<std::string>{"failed|-2"});
}

TEST_F(WebVersionCheckTest, RefusedConnectionFailsAsNoConnection) {
  const std::string refused = EnvironmentValue("VENTRIX_REFUSED_PORT");
  ASSERT_FALSE(refused.empty());
  EXPECT_EQ(RunCheck("http://127.0.0.1:" + refused + "/newer.txt"),
            std::vector<std::string>{"failed|-1"});
}

TEST_F(WebVersionCheckTest, MalformedFileFailsWithItsOwnCode) {
  ASSERT_EQ(RunCheck(Url("/malformed.txt")).size(), 1u);
  ASSERT_EQ(codes_.size(), 1u);
  EXPECT_LT(codes_[0], 0);
  EXPECT_NE(codes_[0], kCheckCouldNotConnect);
  EXPECT_NE(codes_[0], kCheckFileNotFound);
}

TEST_F(WebVersionCheckTest, UnfetchableAddressOrVersionFailsWithoutNetwork) {
  EXPECT_EQ(RunCheck("ftp://127.0.0.1/newer.txt"), std::vector<std::string>{"failed|-1"});
  events_.clear();
  check_->version = "three";
  EXPECT_EQ(RunCheck(Url("/newer.txt")), std::vector<std::string>{"failed|-5"});
}

// WinINet is loaded by the first check. Without it (missing, or a DLL that lacks its
// functions) every check fails once as a connection that could not be made, and nothing is
// fetched; a loader shared by several checks answers each of them.
TEST_F(WebVersionCheckTest, WithoutWinInetEachCheckFailsOnceAsNoConnection) {
  const int requests_before = Stats("/newer.txt").requests;
  ASSERT_GE(requests_before, 0);
  for (const char* library : {"ventrix_missing_wininet.dll", "kernel32.dll"}) {
    const auto loader = std::make_shared<WinInetLoader>(library);
    for (int check = 0; check < 2; ++check) {
      events_.clear();
      check_ = MakeCheck(loader);
      EXPECT_EQ(RunCheck(Url("/newer.txt")), std::vector<std::string>{"failed|-1"}) << library;
    }
  }
  EXPECT_EQ(Stats("/newer.txt").requests, requests_before);
  EXPECT_TRUE(shell_.calls.empty());
}

TEST_F(WebVersionCheckTest, TimeoutIsBounded) {
  EXPECT_EQ(check_->timeout(), kDefaultCheckTimeout);
  check_->SetTimeout(milliseconds(0));
  EXPECT_EQ(check_->timeout(), kMinCheckTimeout);
  check_->SetTimeout(std::chrono::hours(1));
  EXPECT_EQ(check_->timeout(), kMaxCheckTimeout);
}

TEST_F(WebVersionCheckTest, SilentServerFailsAtTheDeadlineWhileTheWindowThreadRuns) {
  check_->SetTimeout(kHangTimeout);
  StartTicking();
  check_->url = Url("/hang");
  const auto start = Clock::now();
  check_->CheckForNewVersion();
  EXPECT_LT(Clock::now() - start, milliseconds(500)) << "the check must not block the caller";
  PumpUntil([&] { return !events_.empty(); }, kEventWait);
  const auto elapsed = Clock::now() - start;
  PumpUntil([] { return false; }, kQuietWait);
  StopTicking();

  EXPECT_EQ(events_, std::vector<std::string>{"failed|-1"});
  EXPECT_GE(elapsed, kHangTimeout - milliseconds(200));
  EXPECT_LT(elapsed, kHangTimeout + milliseconds(2'000));
  // The timer kept ticking on this thread while the fetch waited.
  EXPECT_GE(ticks_, 10);
}

TEST_F(WebVersionCheckTest, EachCheckInARowRaisesItsOwnEvent) {
  check_->url = Url("/newer.txt");
  check_->CheckForNewVersion();
  check_->url = Url("/missing");
  check_->CheckForNewVersion();
  check_->url = Url("/same.txt");
  check_->CheckForNewVersion();
  WaitForEvents(3);
  ASSERT_EQ(events_.size(), 3u);
  std::sort(events_.begin(), events_.end());
  EXPECT_EQ(events_[0], "failed|-2");
  EXPECT_EQ(events_[1].rfind("new|4.0.1|", 0), 0u) << events_[1];
  EXPECT_EQ(events_[2], "none");
}

TEST_F(WebVersionCheckTest, DestroyingTheCheckDuringAFetchIsSafe) {
  check_->url = Url("/hang");
  check_->CheckForNewVersion();
  check_->url = Url("/newer.txt");
  check_->CheckForNewVersion();
  check_.reset();
  PumpUntil([] { return false; }, milliseconds(1'000));
  EXPECT_TRUE(events_.empty());

  // A handler may destroy its own check; nothing after it touches the object.
  check_ = MakeCheck();
  check_->NoNewVersion = [this] {
    events_.push_back("none");
    check_.reset();
  };
  EXPECT_EQ(RunCheck(Url("/same.txt")), std::vector<std::string>{"none"});
  EXPECT_EQ(check_, nullptr);
}

TEST(VersionFileText, ShownInTheAnsiCodePageAndLaunchedPercentEncoded) {
  EXPECT_EQ(Utf8ToAnsi(""), "");
  EXPECT_EQ(Utf8ToAnsi("Tray control 4.0.1"), "Tray control 4.0.1");
  // Not UTF-8: passed on untouched rather than lost.
  EXPECT_EQ(Utf8ToAnsi("caf\xE9"), "caf\xE9");
  if (GetACP() == 1252) {
    EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    // A character the code page lacks becomes its default character.
    EXPECT_EQ(Utf8ToAnsi("disc \xF0\x9F\x92\xBF"), "disc ??");
  }
  EXPECT_EQ(PercentEncodeForBrowser("http://127.0.0.1/dl/ventrix401.exe"),
            "http://127.0.0.1/dl/ventrix401.exe");
  EXPECT_EQ(PercentEncodeForBrowser("http://x/caf\xC3\xA9.exe"), "http://x/caf%C3%A9.exe");
}

}  // namespace
}  // namespace ventrix::win32
