#pragma once
// Icons of the program, loaded from its resources by number.

#include <windows.h>

#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

// The icon resource `id` at width x height (0 x 0: the system's default icon size); empty when
// the resource is missing or id is not a resource number.
IconHandle LoadIconResource(HINSTANCE instance, int id, int width, int height);

}  // namespace ventrix::win32::ui
