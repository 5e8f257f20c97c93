#pragma once
// Fakes of the tray icon and the web version check.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/components/tray_icon.h"
#include "platform/components/web_version_check.h"

namespace ventrix::testing {

class FakeTrayIcon : public TrayIcon, public TrayMenuRoot {
 public:
  explicit FakeTrayIcon(TrayIconDesign design) : design(std::move(design)) {
    title_ = this->design.balloontitle;
  }

  const std::string& balloontitle() const override { return title_; }
  void set_balloontitle(const std::string& title) override { title_ = title; }
  const std::string& balloontext() const override { return text_; }
  void set_balloontext(const std::string& text) override { text_ = text; }
  void ShowBalloon() override { balloons.push_back({title_, text_}); }

  TrayMenuRoot& TrayMenu() override { return *this; }
  void AddItem(const std::string& caption, int picture, const std::string& key) override {
    items.push_back({caption, picture, key});
  }
  // Picks the item with the next queued key (nullopt: the menu is dismissed).
  std::optional<TrayMenuItem> ShowMenu() override {
    ++menus_shown;
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
  std::deque<std::optional<std::string>> picks;
  int menus_shown = 0;

 private:
  std::string title_;
  std::string text_;
};

class FakeTrayIconFactory : public TrayIconFactory {
 public:
  std::unique_ptr<TrayIcon> Create(const TrayIconDesign& design, WindowHandle host) override {
    (void)host;
    auto icon = std::make_unique<FakeTrayIcon>(design);
    last = icon.get();
    ++created;
    return icon;
  }
  FakeTrayIcon* last = nullptr;
  int created = 0;
};

class FakeWebVersionCheck : public WebVersionCheck {
 public:
  void CheckForNewVersion() override { checked_urls.push_back(url); }
  std::vector<std::string> checked_urls;
};

class FakeWebVersionCheckFactory : public WebVersionCheckFactory {
 public:
  std::unique_ptr<WebVersionCheck> Create() override {
    auto check = std::make_unique<FakeWebVersionCheck>();
    last = check.get();
    return check;
  }
  FakeWebVersionCheck* last = nullptr;
};

}  // namespace ventrix::testing
