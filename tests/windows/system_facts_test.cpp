#include <gtest/gtest.h>

#include "platform/win32/system_facts_win32.h"

namespace ventrix::win32 {
namespace {

TEST(Win32SystemFacts, NamesTheRunningExecutableAndTheYear) {
  Win32SystemFacts facts;
  EXPECT_EQ(facts.ExecutableBaseName(), "system_facts_test");
  EXPECT_GE(facts.CurrentYear(), 2024);
  EXPECT_LT(facts.CurrentYear(), 10000);
}

}  // namespace
}  // namespace ventrix::win32
