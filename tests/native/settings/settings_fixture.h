#pragma once
// A program on fakes with the settings loaded as start-up loads them.

#include <gtest/gtest.h>

#include <string>

#include "main/frm_main.h"
#include "program/product.h"
#include "settings/frm_settings.h"
#include "settings/general.h"
#include "tests/support/test_platform.h"

namespace ventrix::testing {

struct SettingsTest : ::testing::Test {
  TestProgram program;

  FakeSettingsStore& store() { return program.fake.settings; }
  SettingsVariables& vars() { return program->vars(); }
  void Store(const std::string& section, const std::string& key, const std::string& text) {
    store().values[{kAppTitle, section, key}] = text;
  }
  void Load() {
    vars().AppTitle = kAppTitle;
    LoadSettings(*program);
  }
  // The main window first (whatever its own start-up does), then the settings as loaded.
  FrmSettings& Window() {
    program->frmMain();
    Load();
    return program->frmSettings();
  }
  HeadlessBackend& ui() { return program.fake.ui; }
};

}  // namespace ventrix::testing
