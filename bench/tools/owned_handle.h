#pragma once
// An owning guard for a kernel handle (process, thread): closed exactly once.

#include <windows.h>

#include <memory>

namespace bench {

struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

}  // namespace bench
