#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

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
  Runtime runtime(backend, "Sample Program");
  bool after_end = false;
  runtime.Dispatch([] { throw 42; });
  EXPECT_FALSE(runtime.Dispatching());
  EXPECT_TRUE(runtime.Ended());
  EXPECT_TRUE(backend.quit);
  ASSERT_EQ(backend.message_boxes.size(), 1u);
  EXPECT_EQ(backend.message_boxes[0].style, kMsgBoxCritical);
  EXPECT_EQ(backend.message_boxes[0].caption, "Sample Program");
  EXPECT_FALSE(backend.message_boxes[0].text.empty());
  runtime.Dispatch([&] { after_end = true; });
  EXPECT_FALSE(after_end);
}

// An event that must not be lost waits for the running handler instead of entering inside it:
// once per key, in the order held, each as an outermost handler of its own; none after the end.
TEST(RuntimeDispatching, EventsHeldWhileAHandlerRunsRunOnceAfterIt) {
  testing::HeadlessBackend backend;
  Runtime runtime(backend);
  std::vector<std::string> ran;
  const int tick_key = 0;
  const int outcome_key = 0;
  const int late_key = 0;
  runtime.DispatchWhenIdle(&tick_key, nullptr, [&] { ran.push_back("idle"); });
  runtime.Dispatch([&] {
    runtime.DispatchWhenIdle(&tick_key, nullptr, [&] {
      ran.push_back(runtime.Dispatching() ? "tick" : "tick outside a handler");
      // Held by a held event: it runs after this one, not inside it.
      runtime.DispatchWhenIdle(&late_key, nullptr, [&] { ran.push_back("late"); });
    });
    runtime.DispatchWhenIdle(&outcome_key, nullptr, [&] { ran.push_back("outcome"); });
    runtime.DispatchWhenIdle(&tick_key, nullptr, [&] { ran.push_back("second tick"); });
    ran.push_back("handler");
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"idle", "handler", "tick", "outcome", "late"}));
  EXPECT_EQ(runtime.HeldEvents(), 0u);
  EXPECT_EQ(backend.dispatches_ended, 5);

  bool after_end = false;
  runtime.Dispatch([&] {
    runtime.DispatchWhenIdle(&tick_key, nullptr, [&] { after_end = true; });
    runtime.End();
  });
  runtime.DispatchWhenIdle(&tick_key, nullptr, [&] { after_end = true; });
  EXPECT_FALSE(after_end);
}

// Each kind of event, raised inside a running handler, gets what the one table says: a click is
// dropped, ticks under one key merge, commands and web outcomes are all held.
TEST(RuntimeDispatching, EachKindOfEventIsDroppedOrHeldAsTheTableSays) {
  testing::HeadlessBackend backend;
  Runtime runtime(backend);
  std::vector<std::string> ran;
  const int timer = 0;
  runtime.Dispatch([&] {
    runtime.Raise(EventKind::kUserInput, [&] { ran.push_back("click"); });
    runtime.Raise(
        EventKind::kTimerTick, [&] { ran.push_back("tick"); }, &timer);
    runtime.Raise(
        EventKind::kTimerTick, [&] { ran.push_back("tick again"); }, &timer);
    runtime.Raise(EventKind::kHandedCommand, [&] { ran.push_back("command"); });
    runtime.Raise(EventKind::kHandedCommand, [&] { ran.push_back("second command"); });
    runtime.Raise(EventKind::kWebOutcome, [&] { ran.push_back("outcome"); });
  });
  EXPECT_EQ(ran, (std::vector<std::string>{"tick", "command", "second command", "outcome"}));
  EXPECT_EQ(WhatHappensTo(EventKind::kUserInput), WhileHandlerRuns::kDropped);
  // With no handler running, every kind runs at once.
  runtime.Raise(EventKind::kUserInput, [&] { ran.push_back("click"); });
  EXPECT_EQ(ran.back(), "click");
}

}  // namespace
}  // namespace ventrix::forms
