#pragma once
// Fakes of the tray icon and the web version check.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/components/tray_icon.h"
#include "platform/components/web_version_check.h"
#include "tests/support/fault_switch.h"

namespace ventrix::testing {

class FakeTrayIcon : public TrayIcon, public TrayMenuRoot, public FaultInjectable {
 public:
  explicit FakeTrayIcon(TrayIconDesign design) : design(std::move(design)) {
    title_ = this->design.balloontitle;
  }

  const std::string& balloontitle() const override { return title_; }
  void set_balloontitle(const std::string& title) override { title_ = title; }
  const std::string& balloontext() const override { return text_; }
  void set_balloontext(const std::string& text) override { text_ = text; }
  // A balloon needs the icon in the notification area.
  void ShowBalloon() override {
    if (!in_area || Fails(Fault::kTrayBalloon)) {
      refused_balloons.push_back({title_, text_});
      return;
    }
    balloons.push_back({title_, text_});
  }

  TrayMenuRoot& TrayMenu() override { return *this; }
  void AddItem(const std::string& caption, int picture, const std::string& key) override {
    items.push_back({caption, picture, key});
  }
  // Picks the item with the next queued key (nullopt: the menu is dismissed).
  // A menu that fails to show picks nothing and leaves the queued picks for the next one.
  std::optional<TrayMenuItem> ShowMenu() override {
    if (Fails(Fault::kTrayMenu)) {
      ++menus_failed;
      return std::nullopt;
    }
    ++menus_shown;
    if (while_open) while_open();
    if (picks.empty()) return std::nullopt;
    std::optional<std::string> key = picks.front();
    picks.pop_front();
    if (!key) return std::nullopt;
    for (const TrayMenuItem& item : items)
      if (item.Key == *key) return item;
    return TrayMenuItem{"", kNoPicture, *key};
  }

  struct Balloon {
    std::string title;
    std::string text;
  };
  TrayIconDesign design;
  std::vector<TrayMenuItem> items;
  std::vector<Balloon> balloons;
  std::vector<Balloon> refused_balloons;
  std::deque<std::optional<std::string>> picks;
  // Runs while the menu is open (a test moves the clock on there, as a user who takes time).
  std::function<void()> while_open;
  int menus_shown = 0;
  int menus_failed = 0;
  // Whether the shell took the icon when it was added.
  bool in_area = true;

 private:
  std::string title_;
  std::string text_;
};

class FakeTrayIconFactory : public TrayIconFactory, public FaultInjectable {
 public:
  std::unique_ptr<TrayIcon> Create(const TrayIconDesign& design, WindowHandle host) override {
    (void)host;
    auto icon = std::make_unique<FakeTrayIcon>(design);
    icon->faults = faults;
    // As on Win32 the object exists even when the shell refused the icon.
    icon->in_area = !Fails(Fault::kTrayIconAdd);
    last = icon.get();
    ++created;
    return icon;
  }
  FakeTrayIcon* last = nullptr;
  int created = 0;
};

class FakeWebVersionCheck : public WebVersionCheck, public FaultInjectable {
 public:
  // A check that cannot connect answers later, on the window thread: see RaisePending.
  void CheckForNewVersion() override {
    checked_urls.push_back(url);
    if (Fails(Fault::kWebCheck)) ++pending_failures;
  }
  // Raises the failures of the checks that could not connect, as the window thread gets them.
  void RaisePending() {
    for (; pending_failures > 0; --pending_failures) RaiseCheckFailed(kCheckCouldNotConnect);
  }
  // Each outcome as the real check raises it: through `deliver`.
  void RaiseNewVersionFound(const std::string& available, const std::string& download,
                            const std::string& information, const std::string& fourth) {
    Deliver([this, available, download, information, fourth] {
      if (NewVersionFound) NewVersionFound(available, download, information, fourth);
    });
  }
  void RaiseCheckFailed(std::int32_t code) {
    Deliver([this, code] {
      if (CheckFailed) CheckFailed(code);
    });
  }
  void RaiseNoNewVersion() {
    Deliver([this] {
      if (NoNewVersion) NoNewVersion();
    });
  }
  std::vector<std::string> checked_urls;
  int pending_failures = 0;
};

class FakeWebVersionCheckFactory : public WebVersionCheckFactory, public FaultInjectable {
 public:
  std::unique_ptr<WebVersionCheck> Create() override {
    auto check = std::make_unique<FakeWebVersionCheck>();
    check->faults = faults;
    last = check.get();
    return check;
  }
  FakeWebVersionCheck* last = nullptr;
};

}  // namespace ventrix::testing
