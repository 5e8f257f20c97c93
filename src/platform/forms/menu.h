#pragma once
// A top-level menu whose items form one control array: each item has its own caption, visible
// and enabled state; a click passes the item's index to the array's handler.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace ventrix::forms {

class Form;
class MenuArray;

class MenuPeer {
 public:
  virtual ~MenuPeer() = default;
  // The array's items or top caption changed; the native menu bar must follow.
  virtual void Sync() = 0;
};

class MenuItem {
 public:
  MenuItem(MenuArray& array, std::string caption, bool visible)
      : array_(&array), caption_(std::move(caption)), visible_(visible) {}

  const std::string& Caption() const { return caption_; }
  void set_caption(const std::string& caption);
  bool Visible() const { return visible_; }
  void set_visible(bool visible);
  bool Enabled() const { return enabled_; }
  void set_enabled(bool enabled);
  bool IsSeparator() const { return caption_ == "-"; }

 private:
  MenuArray* array_;
  std::string caption_;
  bool visible_;
  bool enabled_ = true;
};

struct MenuItemDesign {
  std::string caption;
  bool visible = true;
};

class MenuArray {
 public:
  // top_name/top_caption: the top-level menu (for example mnufiletop "&File"); name: the array.
  MenuArray(Form& owner, std::string top_name, std::string top_caption, std::string name,
            std::initializer_list<MenuItemDesign> items);
  MenuArray(const MenuArray&) = delete;
  MenuArray& operator=(const MenuArray&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& TopName() const { return top_name_; }
  const std::string& TopCaption() const { return top_caption_; }
  std::int16_t Count() const { return static_cast<std::int16_t>(items_.size()); }
  MenuItem& operator[](std::int16_t index) { return items_.at(static_cast<std::size_t>(index)); }
  const MenuItem& operator[](std::int16_t index) const {
    return items_.at(static_cast<std::size_t>(index));
  }

  // Runs the handler with the item's index (the backend calls this for a pick).
  std::function<void(std::int16_t index)> on_click;

  void AttachPeer(std::unique_ptr<MenuPeer> peer) { peer_ = std::move(peer); }
  MenuPeer* Peer() const { return peer_.get(); }
  void DetachPeer() { peer_.reset(); }
  // An item changed: the native menu follows, and the form counts it (Form::NoteChange).
  void Changed();

 private:
  Form& owner_;
  std::string top_name_;
  std::string top_caption_;
  std::string name_;
  std::vector<MenuItem> items_;
  std::unique_ptr<MenuPeer> peer_;
};

}  // namespace ventrix::forms
