#pragma once
// The notification-area icon with its balloon and popup menu.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/types.h"

namespace ventrix {

inline constexpr std::int16_t kMouseLeft = 1;
inline constexpr std::int16_t kMouseRight = 2;
inline constexpr int kNoPicture = 0;
inline constexpr int kBalloonIconInfo = 1;

// Design-time properties of the icon.
struct TrayIconDesign {
  int icon = 0;  // icon resource id
  std::string tooltip;
  bool visible = true;
  std::string balloontitle;
  int balloonicon = kBalloonIconInfo;
};

// One row of the popup menu; a caption of "-" makes a separator.
struct TrayMenuItem {
  std::string caption;
  int picture = kNoPicture;  // bitmap resource id
  std::string Key;
};

// The root of the popup menu: items appear in the order they are added.
class TrayMenuRoot {
 public:
  virtual ~TrayMenuRoot() = default;
  virtual void AddItem(const std::string& caption, int picture, const std::string& key) = 0;
};

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;

  virtual const std::string& balloontitle() const = 0;
  virtual void set_balloontitle(const std::string& title) = 0;
  virtual const std::string& balloontext() const = 0;
  virtual void set_balloontext(const std::string& text) = 0;
  // Shows a balloon at the icon with the current title, text and balloon icon.
  virtual void ShowBalloon() = 0;

  virtual TrayMenuRoot& TrayMenu() = 0;
  // Pops the menu up at the icon and waits; the picked item, or nothing when dismissed.
  virtual std::optional<TrayMenuItem> ShowMenu() = 0;

  // Notifications, raised on the window thread.
  std::function<void(std::int16_t button)> on_click;
  std::function<void(std::int16_t button)> on_dbl_click;
};

class TrayIconFactory {
 public:
  virtual ~TrayIconFactory() = default;
  // Adds the icon to the notification area at once; it goes away when the object is destroyed.
  virtual std::unique_ptr<TrayIcon> Create(const TrayIconDesign& design, WindowHandle host) = 0;
};

}  // namespace ventrix
