#include "main/operations_menu.h"

namespace ventrix {

void ApplyMenuState(forms::MenuArray& items, const OperationsMenuRow& row) {
  for (std::size_t index = 0; index < row.size(); ++index) {
    forms::MenuItem& item = items[static_cast<std::int16_t>(index)];
    const ItemState state = row[index];
    switch (state) {
      case ItemState::kShown:
      case ItemState::kHidden:
        item.set_visible(state == ItemState::kShown);
        break;
      case ItemState::kEnabled:
      case ItemState::kDisabled:
        item.set_enabled(state == ItemState::kEnabled);
        break;
      case ItemState::kLeft:
        break;
    }
  }
}

}  // namespace ventrix
