#include "platform/forms/menu.h"

#include "platform/forms/form.h"

namespace ventrix::forms {

void MenuItem::set_caption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  array_->Changed();
}

void MenuItem::set_visible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  array_->Changed();
}

void MenuItem::set_enabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  array_->Changed();
}

MenuArray::MenuArray(Form& owner, std::string top_name, std::string top_caption, std::string name,
                     std::initializer_list<MenuItemDesign> items)
    : owner_(owner),
      top_name_(std::move(top_name)),
      top_caption_(std::move(top_caption)),
      name_(std::move(name)) {
  items_.reserve(items.size());
  for (const MenuItemDesign& item : items) items_.emplace_back(*this, item.caption, item.visible);
  owner.Register(this);
}

void MenuArray::Changed() {
  if (peer_) peer_->Sync();
  owner_.NoteChange();
}

}  // namespace ventrix::forms
