#pragma once
// An editable drop-down list.

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace ventrix::forms {

inline constexpr int kNoSelection = -1;

class ComboBox : public Control {
 public:
  ComboBox(Form& owner, std::string name, Rect rect, std::string text)
      : Control(owner, std::move(name), ControlKind::kComboBox, rect), text_(std::move(text)) {}

  void AddItem(const std::string& entry);
  // Empties the list and leaves nothing selected; the text field keeps its text.
  void Clear();
  int ListCount() const { return static_cast<int>(entries_.size()); }
  // The entry at index, or empty text for an index outside the list (-1 included).
  std::string List(int index) const;
  const std::vector<std::string>& Entries() const { return entries_; }
  int ListIndex() const { return list_index_; }
  // Selecting a different index (from code or by the user) runs the click handler and puts
  // the entry into the text field; an index outside the list is ignored.
  void set_list_index(int index);
  // The text field; typing changes only this, never the selection, and runs no handler.
  const std::string& Text() const { return text_; }
  void set_text(const std::string& text) { Set(text_, text, Change::kText); }

  std::function<void()> on_click;

 private:
  std::vector<std::string> entries_;
  int list_index_ = kNoSelection;
  std::string text_;
};

}  // namespace ventrix::forms
