#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/forms/runtime.h"
#include "tests/support/headless_backend.h"

namespace ventrix::forms {
namespace {

// A backend holds back events while a handler runs; it learns that from the runtime.
TEST(RuntimeDispatching, IsTrueOnlyWhileAHandlerRuns) {
  testing::HeadlessBackend backend;
  Runtime runtime(backend);
  EXPECT_FALSE(runtime.Dispatching());
  bool inside = false;
  bool nested = false;
  runtime.Dispatch([&] {
    inside = runtime.Dispatching();
    runtime.Dispatch([&] { nested = runtime.Dispatching(); });
  });
  EXPECT_TRUE(inside);
  EXPECT_TRUE(nested);
  EXPECT_FALSE(runtime.Dispatching());
  runtime.Dispatch([] { throw std::runtime_error("failed"); });
  EXPECT_FALSE(runtime.Dispatching());
}

}  // namespace
}  // namespace ventrix::forms
