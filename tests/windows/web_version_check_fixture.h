#pragma once
// The WinINet version check driven from this thread, as from a window thread, against
// tests/wine/version_server.py on 127.0.0.1.

#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/web_version_check_win32.h"
#include "tests/support/fake_services.h"

namespace ventrix::win32 {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

inline constexpr milliseconds kEventWait{8'000};
// How long to keep pumping after an event to be sure no second one follows.
inline constexpr milliseconds kQuietWait{400};
inline constexpr UINT kTickMilliseconds = 100;
inline constexpr DWORD kPumpSliceMilliseconds = 20;
inline constexpr DWORD kStatsBytes = 256;

inline std::string EnvironmentValue(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? value : "";
}

// What the version server knows of one path.
struct ServerStats {
  int requests = -1;  // requests for the path so far
  int open = -1;      // of those, still being answered
};

class WebVersionCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    port_ = EnvironmentValue("VENTRIX_VERSION_SERVER_PORT");
    ASSERT_FALSE(port_.empty()) << "run through tests/wine/with-version-server.sh";
    check_ = MakeCheck();
  }

  void TearDown() override { StopTicking(); }

  // wininet: where the check loads WinINet from; its own loader of the system's when null.
  std::unique_ptr<Win32WebVersionCheck> MakeCheck(
      std::shared_ptr<WinInetLoader> wininet = nullptr) {
    auto check = std::make_unique<Win32WebVersionCheck>(GetModuleHandleA(nullptr), shell_,
                                                        std::move(wininet));
    check->version = "3.36";
    check->autolaunchbrowser = true;
    check->NewVersionFound = [this](const std::string& available, const std::string& download,
                                    const std::string& information, const std::string& fourth) {
      events_.push_back("new|" + available + "|" + download + "|" + information + "|" + fourth);
    };
    check->CheckFailed = [this](std::int32_t code) {
      events_.push_back("failed|" + std::to_string(code));
      codes_.push_back(code);
    };
    check->NoNewVersion = [this] { events_.push_back("none"); };
    return check;
  }

  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + port_ + path; }

  // A thread timer standing for the window thread's own work; PumpUntil counts its ticks.
  void StartTicking() {
    StopTicking();
    ticks_ = 0;
    tick_timer_ = SetTimer(nullptr, 0, kTickMilliseconds, nullptr);
    ASSERT_NE(tick_timer_, 0u);
  }
  void StopTicking() {
    if (tick_timer_ != 0) KillTimer(nullptr, tick_timer_);
    tick_timer_ = 0;
  }

  // Runs the window thread's message loop until `done` or the wait is over.
  void PumpUntil(const std::function<bool()>& done, milliseconds wait) {
    const auto end = Clock::now() + wait;
    while (!done() && Clock::now() < end) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpSliceMilliseconds, QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_TIMER && message.hwnd == nullptr &&
            message.wParam == tick_timer_) {
          ++ticks_;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  }

  // Pumps until `count` events arrived, then a little longer to catch any extra one.
  void WaitForEvents(std::size_t count) {
    PumpUntil([&] { return events_.size() >= count; }, kEventWait);
    PumpUntil([] { return false; }, kQuietWait);
  }

  std::vector<std::string> RunCheck(const std::string& url) {
    check_->url = url;
    check_->CheckForNewVersion();
    WaitForEvents(1);
    return events_;
  }

  // Asks the version server about one path, over a connection of its own.
  ServerStats Stats(const std::string& path) const {
    struct Closer {
      void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
    };
    using Handle = std::unique_ptr<void, Closer>;
    ServerStats stats;
    const Handle session(InternetOpenA("stats", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    if (!session) return stats;
    const std::string url = Url("/stats?path=" + path);
    const Handle request(InternetOpenUrlA(session.get(), url.c_str(), nullptr, 0,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!request) return stats;
    char text[kStatsBytes] = {};
    DWORD read = 0;
    if (!InternetReadFile(request.get(), text, kStatsBytes - 1, &read)) return stats;
    std::sscanf(text, "requests %d open %d", &stats.requests, &stats.open);
    return stats;
  }

  testing::FakeShell shell_;
  std::string port_;
  std::unique_ptr<Win32WebVersionCheck> check_;
  std::vector<std::string> events_;
  std::vector<std::int32_t> codes_;
  UINT_PTR tick_timer_ = 0;
  int ticks_ = 0;
};

}  // namespace ventrix::win32
