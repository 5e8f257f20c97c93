#include "platform/forms/combo_box.h"

namespace ventrix::forms {

void ComboBox::AddItem(const std::string& entry) {
  entries_.push_back(entry);
  Changed(Change::kList);
}

void ComboBox::Clear() {
  entries_.clear();
  list_index_ = kNoSelection;
  Changed(Change::kList);
}

std::string ComboBox::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  return entries_[static_cast<std::size_t>(index)];
}

void ComboBox::set_list_index(int index) {
  if (index < kNoSelection || index >= ListCount() || index == list_index_) return;
  list_index_ = index;
  if (index != kNoSelection) text_ = entries_[static_cast<std::size_t>(index)];
  Changed(Change::kSelection);
  if (on_click) on_click();
}

}  // namespace ventrix::forms
