#pragma once
// The web version check over WinINet: each check fetches on its own worker thread and its
// one event is raised on the window thread through a hidden message-only window. WinINet is
// loaded by the first check, not at start-up.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/components/version_file.h"
#include "platform/components/web_addresses.h"
#include "platform/components/web_version_check.h"
#include "platform/shell.h"
#include "platform/win32/handles_win32.h"
#include "platform/win32/window_procedure.h"
#include "platform/win32/wininet_library.h"

namespace ventrix::win32 {

inline constexpr std::chrono::milliseconds kDefaultCheckTimeout{15'000};
inline constexpr std::chrono::milliseconds kMinCheckTimeout{100};
inline constexpr std::chrono::milliseconds kMaxCheckTimeout{300'000};

// The version file's UTF-8 text in the ANSI code page that the program's windows use;
// characters the code page lacks become its default character. Text that is not UTF-8 is
// returned as it is.
std::string Utf8ToAnsi(const std::string& text);

struct CheckChannel;  // results handed from the workers to the window thread
struct FetchControl;  // one running fetch, abortable from the window thread

class Win32WebVersionCheck : public WebVersionCheck {
 public:
  // wininet: where the checks get WinINet from, shared by the checks of one program; a loader
  // of its own when null.
  Win32WebVersionCheck(HINSTANCE instance, Shell& shell,
                       std::shared_ptr<WinInetLoader> wininet = nullptr);
  ~Win32WebVersionCheck() override;
  Win32WebVersionCheck(const Win32WebVersionCheck&) = delete;
  Win32WebVersionCheck& operator=(const Win32WebVersionCheck&) = delete;

  void CheckForNewVersion() override;

  // Longest a check may take before it fails with kCheckCouldNotConnect; clamped to
  // [kMinCheckTimeout, kMaxCheckTimeout].
  void SetTimeout(std::chrono::milliseconds timeout);
  std::chrono::milliseconds timeout() const { return timeout_; }

 private:
  friend class WindowProcedure<Win32WebVersionCheck>;
  // A failing handler ends its own event only; the message still gets its default answer.
  static constexpr AnswerAfterThrow kAnswerAfterThrow = AnswerAfterThrow::kDefault;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void OnResultsPosted();
  void OnDeadline(UINT_PTR check_id);
  // Ends one pending check with its event; false when this object was destroyed meanwhile.
  bool Finish(std::uint32_t check_id, const CheckOutcome& outcome);
  // Hands the outcome to `deliver`; false when this object was destroyed meanwhile.
  bool Raise(const CheckOutcome& outcome);
  // The outcome's event, then for a new version the browser.
  void RunOutcome(const CheckOutcome& outcome);
  std::uint32_t NextCheckId();

  Shell& shell_;
  std::shared_ptr<WinInetLoader> wininet_;
  std::chrono::milliseconds timeout_ = kDefaultCheckTimeout;
  std::shared_ptr<CheckChannel> channel_;
  std::map<std::uint32_t, std::shared_ptr<FetchControl>> pending_;  // window thread only
  std::uint32_t last_check_id_ = 0;
  // Set to true by the destructor, so that an event handler that destroys this object
  // does not leave the caller touching freed members.
  std::shared_ptr<bool> destroyed_ = std::make_shared<bool>(false);
  OwnedWindow window_;
};

class Win32WebVersionCheckFactory : public WebVersionCheckFactory {
 public:
  Win32WebVersionCheckFactory(HINSTANCE instance, Shell& shell)
      : instance_(instance), shell_(shell) {}
  std::unique_ptr<WebVersionCheck> Create() override {
    return std::make_unique<Win32WebVersionCheck>(instance_, shell_, wininet_);
  }

 private:
  HINSTANCE instance_;
  Shell& shell_;
  // Loaded by the first check of any window and kept for the later ones.
  std::shared_ptr<WinInetLoader> wininet_ = std::make_shared<WinInetLoader>();
};

}  // namespace ventrix::win32
