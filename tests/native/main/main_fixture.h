#pragma once
// A program on fakes with helpers to store settings, start it and read the Operations menu.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "main/frm_main.h"
#include "main/frm_main_layout.h"
#include "program/program.h"
#include "tests/support/test_platform.h"

namespace ventrix {

struct MainFixture : ::testing::Test {
  testing::TestProgram t;

  void Store(const std::string& key, const std::string& value,
             const std::string& section = "settings") {
    t.fake.Store(key, value, section);
  }
  FrmMain& Start() {
    t->Start();
    return t->frmMain();
  }
  FrmMain& main() { return t->frmMain(); }
  SettingsVariables& vars() { return t->vars(); }
  testing::HeadlessBackend& ui() { return t.fake.ui; }

  std::array<bool, 4> Shown() {
    using namespace main_layout;
    forms::MenuArray& menu = main().mnuoperations;
    return {menu[kEjectItem].Visible(), menu[kCloseItem].Visible(), menu[kLockItem].Visible(),
            menu[kUnlockItem].Visible()};
  }
  std::array<bool, 4> Enabled() {
    using namespace main_layout;
    forms::MenuArray& menu = main().mnuoperations;
    return {menu[kEjectItem].Enabled(), menu[kCloseItem].Enabled(), menu[kLockItem].Enabled(),
            menu[kUnlockItem].Enabled()};
  }
  // Runs a handler as an event of the window thread.
  template <class F>
  void Event(F&& handler) {
    t->runtime().Dispatch(handler);
  }
};

using Row = std::array<bool, 4>;
inline constexpr Row kAllEnabled{true, true, true, true};
inline constexpr Row kEjectAndLock{true, false, true, false};

}  // namespace ventrix
