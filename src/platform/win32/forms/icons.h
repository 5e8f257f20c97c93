#pragma once
// Icons of the program, loaded from its resources by number.

#include <windows.h>

#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

// Resource numbers are 16-bit (MAKEINTRESOURCE).
inline constexpr int kMaxResourceId = 0xFFFF;

// The icon resource `id` at width x height (0 x 0: the system's default icon size); empty when
// the resource is missing or id is not a resource number.
IconHandle LoadIconResource(HINSTANCE instance, int id, int width, int height);

// The same icon as one handle shared by every caller and owned by the module (never
// destroyed); for the system's icon sizes only. Null when missing.
HICON LoadSharedIcon(HINSTANCE instance, int id, int width, int height);

}  // namespace ventrix::win32::ui
