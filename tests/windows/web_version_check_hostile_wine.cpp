// The WinINet version check against hostile servers on 127.0.0.1: whatever a server does,
// each check ends in exactly one event, the window thread keeps running meanwhile, the worker
// lets go of the server, and nothing but an http or https address is ever opened.

#include <string>
#include <vector>

#include "platform/components/web_addresses.h"
#include "tests/windows/web_version_check_fixture.h"

namespace ventrix::win32 {
namespace {

// The server holds each answer back this long, so that every check lasts long enough to
// watch the window thread's timer while it runs.
constexpr char kHeldBack[] = "?delay=1500";
constexpr milliseconds kTrickleTimeout{3'000};
// Longest the caller may wait in CheckForNewVersion: it only starts a thread.
constexpr milliseconds kStartBound{500};
// Of the ticks the window thread's timer should have had during a check, the share that must
// have come: a thread blocked for the check gets one at most.
constexpr int kTickShareDivisor = 4;
// How long the server may still be answering a check that has ended: one receive wait.
constexpr milliseconds kLetGoWait{5'000};
constexpr milliseconds kStatsPoll{100};

class HostileServerTest : public WebVersionCheckTest {
 protected:
  // Starts one check of the path and pumps the window thread's loop until its event and a
  // little beyond, checking that the thread's own timer kept ticking throughout.
  std::vector<std::string> Watch(const std::string& path) {
    StartTicking();
    check_->url = Url(path);
    const auto start = Clock::now();
    check_->CheckForNewVersion();
    EXPECT_LT(Clock::now() - start, kStartBound) << "the check must not block the caller";
    PumpUntil([&] { return !events_.empty(); }, kEventWait + check_->timeout());
    const auto elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
    const int expected_ticks = static_cast<int>(elapsed.count() / kTickMilliseconds);
    EXPECT_GE(ticks_, expected_ticks / kTickShareDivisor)
        << path << ": the window thread stalled during a check of " << elapsed.count() << " ms";
    PumpUntil([] { return false; }, kQuietWait);
    StopTicking();
    return events_;
  }

  // Waits until the server has stopped answering the path: the worker hung up.
  bool LetGo(const std::string& path) {
    const auto end = Clock::now() + kLetGoWait;
    while (Stats(path).open != 0) {
      if (Clock::now() > end) return false;
      Sleep(static_cast<DWORD>(kStatsPoll.count()));
    }
    return true;
  }

  void ExpectOneFailure(const std::vector<std::string>& events) {
    ASSERT_EQ(events.size(), 1u) << (events.empty() ? "no event" : events.back());
    EXPECT_EQ(events[0].rfind("failed|-", 0), 0u) << events[0];
  }
};

TEST_F(HostileServerTest, EndlessOrHugeBodiesEndAsTooLargeAndAreNotReadToTheEnd) {
  for (const std::string path : {"/endless", "/huge"}) {
    events_.clear();
    EXPECT_EQ(Watch(path + kHeldBack), std::vector<std::string>{"failed|-4"}) << path;
    EXPECT_TRUE(LetGo(path)) << path;
  }
}

TEST_F(HostileServerTest, TricklingBodyFailsAtTheDeadlineAndTheWorkerHangsUp) {
  check_->SetTimeout(kTrickleTimeout);
  EXPECT_EQ(Watch("/trickle"), std::vector<std::string>{"failed|-1"});
  EXPECT_TRUE(LetGo("/trickle")) << "the worker kept reading after the check had ended";
}

TEST_F(HostileServerTest, BinaryGarbageIsAMalformedFile) {
  EXPECT_EQ(Watch(std::string("/garbage") + kHeldBack), std::vector<std::string>{"failed|-3"});
}

TEST_F(HostileServerTest, AnswersThatAreNotHttpFailOnce) {
  for (const std::string path : {"/not-http", "/endless-headers"}) {
    events_.clear();
    ExpectOneFailure(Watch(path + kHeldBack));
    EXPECT_TRUE(LetGo(path)) << path;
  }
}

TEST_F(HostileServerTest, RedirectLoopStopsAfterTheLastRedirectFollowed) {
  EXPECT_EQ(Watch(std::string("/loop") + kHeldBack), std::vector<std::string>{"failed|-2"});
  EXPECT_EQ(Stats("/loop").requests, kMaxRedirects + 1);
}

TEST_F(HostileServerTest, RedirectsToTheFileAreFollowed) {
  EXPECT_EQ(
      RunCheck(Url("/moved-twice")),
      std::vector<std::string>{
          "new|4.0.1|http://127.0.0.1/download/ventrix401.exe|Tray control for every drive|"});
  EXPECT_EQ(Stats("/moved").requests, 1);
}

TEST_F(HostileServerTest, NonWebAddressesAreNeverOpened) {
  // A redirect to a file address is not followed: the file counts as not found.
  EXPECT_EQ(Watch(std::string("/to-file") + kHeldBack), std::vector<std::string>{"failed|-2"});
  EXPECT_TRUE(shell_.calls.empty());

  // A newer version whose download address is a file: reported, never opened.
  events_.clear();
  EXPECT_EQ(Watch(std::string("/non-web.txt") + kHeldBack),
            std::vector<std::string>{
                "new|9.0|file:///C:/windows/system32/winver.exe|not a web address|"});
  EXPECT_TRUE(shell_.calls.empty());
}

}  // namespace
}  // namespace ventrix::win32
