#pragma once
// The native peer for each kind of control.

#include <memory>

#include "platform/forms/control.h"
#include "platform/win32/forms/native_control.h"

namespace ventrix::win32::ui {

std::unique_ptr<NativeControl> CreateControlPeer(FormWindow& host, forms::Control& control, int id);

}  // namespace ventrix::win32::ui
