#pragma once
// The Operations menu's state table: what each operation leaves its four items showing.

#include <array>
#include <cstddef>
#include <cstdint>

#include "main/frm_main_layout.h"
#include "platform/forms/menu.h"

namespace ventrix {

// What a row does to one item. Visibility and the enabled state are independent: an item's row
// changes one of them and leaves the other as it was.
enum class ItemState : std::uint8_t { kLeft, kShown, kHidden, kEnabled, kDisabled };

inline constexpr std::size_t kOperationsItemCount = 4;
// One row, by item index: Eject, Close, Lock, Unlock.
using OperationsMenuRow = std::array<ItemState, kOperationsItemCount>;

static_assert(main_layout::kEjectItem == 0 && main_layout::kCloseItem == 1 &&
                  main_layout::kLockItem == 2 && main_layout::kUnlockItem == 3,
              "a row lists the items in index order");

namespace operations_menu {

using enum ItemState;

// Start-up offers eject and lock (the design leaves all four enabled); so does a close.
inline constexpr OperationsMenuRow kAfterStartup{kShown, kHidden, kShown, kHidden};
inline constexpr OperationsMenuRow kAfterClose = kAfterStartup;
// While the tray is open neither Lock nor Unlock is offered.
inline constexpr OperationsMenuRow kAfterEject{kHidden, kShown, kHidden, kHidden};
// Lock and unlock leave the visibility of Eject and Close as it was.
inline constexpr OperationsMenuRow kAfterLock{kDisabled, kDisabled, kHidden, kShown};
inline constexpr OperationsMenuRow kAfterUnlock{kEnabled, kEnabled, kShown, kHidden};

}  // namespace operations_menu

// Applies one row to the Operations items, in index order.
void ApplyMenuState(forms::MenuArray& items, const OperationsMenuRow& row);

}  // namespace ventrix
