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

// The backend hears once per outermost handler, however it ended, and never after the end.
TEST(RuntimeDispatching, TheBackendHearsWhenTheOutermostHandlerIsDone) {
  testing::HeadlessBackend backend;
  Runtime runtime(backend);
  int heard_inside = -1;
  runtime.Dispatch([&] {
    runtime.Dispatch([] {});
    heard_inside = backend.dispatches_ended;
  });
  EXPECT_EQ(heard_inside, 0);
  EXPECT_EQ(backend.dispatches_ended, 1);
  runtime.Dispatch([] { throw std::runtime_error("failed"); });
  EXPECT_EQ(backend.dispatches_ended, 2);
  runtime.Dispatch([] {});
  EXPECT_EQ(backend.dispatches_ended, 2);
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
