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

// A failure of any kind, not only a standard exception, is reported and ends the program.
TEST(RuntimeDispatching, AFailureWithoutDescriptionIsReportedAndEndsTheProgram) {
  testing::HeadlessBackend backend;
  Runtime runtime(backend);
  bool after_end = false;
  runtime.Dispatch([] { throw 42; });
  EXPECT_FALSE(runtime.Dispatching());
  EXPECT_TRUE(runtime.Ended());
  EXPECT_TRUE(backend.quit);
  ASSERT_EQ(backend.message_boxes.size(), 1u);
  EXPECT_EQ(backend.message_boxes[0].style, kMsgBoxCritical);
  EXPECT_EQ(backend.message_boxes[0].caption, kProgramTitle);
  EXPECT_FALSE(backend.message_boxes[0].text.empty());
  runtime.Dispatch([&] { after_end = true; });
  EXPECT_FALSE(after_end);
}

}  // namespace
}  // namespace ventrix::forms
