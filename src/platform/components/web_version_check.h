#pragma once
// The web version check: fetches a version file and reports the outcome as one event.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace ventrix {

// CheckFailed codes.
inline constexpr std::int32_t kCheckCouldNotConnect = -1;
inline constexpr std::int32_t kCheckFileNotFound = -2;
inline constexpr std::int32_t kCheckMalformedFile = -3;

class WebVersionCheck {
 public:
  virtual ~WebVersionCheck() = default;

  std::string url;
  std::string version;
  bool autolaunchbrowser = false;

  // Starts one check; exactly one of the events below follows, on the window thread.
  virtual void CheckForNewVersion() = 0;

  // available version, download address, information, a fourth text (unused).
  std::function<void(const std::string&, const std::string&, const std::string&,
                     const std::string&)>
      NewVersionFound;
  std::function<void(std::int32_t code)> CheckFailed;
  std::function<void()> NoNewVersion;

  // Runs each outcome: its event and, for a new version, the browser after it. Unset, an
  // outcome runs as it comes; the web update window holds it while another handler runs, so
  // the browser never opens before the box that announces the version.
  std::function<void(std::function<void()> outcome)> deliver;

 protected:
  void Deliver(std::function<void()> outcome) {
    if (deliver) {
      deliver(std::move(outcome));
    } else {
      outcome();
    }
  }
};

class WebVersionCheckFactory {
 public:
  virtual ~WebVersionCheckFactory() = default;
  virtual std::unique_ptr<WebVersionCheck> Create() = 0;
};

}  // namespace ventrix
