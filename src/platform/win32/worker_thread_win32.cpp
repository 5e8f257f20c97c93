#include "platform/win32/worker_thread_win32.h"

#include <process.h>

#include <memory>
#include <utility>

#include "platform/win32/handles_win32.h"

namespace ventrix::win32 {
namespace {

constexpr unsigned kDefaultStackSize = 0;

unsigned __stdcall RunWork(void* parameter) {
  const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
  }
  return 0;
}

}  // namespace

bool StartDetachedThread(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  // _beginthreadex rather than CreateThread: the thread uses the C runtime.
  const auto thread = reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, kDefaultStackSize, RunWork, owned.get(), 0, nullptr));
  if (thread == nullptr) return false;
  static_cast<void>(owned.release());   // the thread owns it now
  const KernelHandle detached(thread);  // the thread runs on without its handle
  return true;
}

}  // namespace ventrix::win32
