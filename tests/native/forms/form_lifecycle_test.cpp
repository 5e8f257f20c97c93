#include <gtest/gtest.h>

#include <memory>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/menu.h"
#include "platform/forms/runtime.h"
#include "platform/forms/timer.h"
#include "tests/support/headless_backend.h"

namespace ventrix::forms {
namespace {

// The title the program gives its runtime for message boxes shown without a caption.
constexpr const char* kSampleTitle = "Sample Program";

// A form that counts its handlers and can unload itself from one of them.
class SampleForm : public Form {
 public:
  explicit SampleForm(Runtime& runtime) : Form(runtime, "frmSample", {"Sample"}) {
    Check1.on_click = [this] { ++check_clicks; };
    Combo1.on_click = [this] { ++combo_clicks; };
    Timer1.on_timer = [this] { ++ticks; };
    Close.on_click = [this] { Unload(); };
  }
  void Form_Load() override { ++loads; }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    ++query_unloads;
    if (unload_again) Unload();
    last_mode = UnloadMode;
    Cancel = cancel_next ? 1 : 0;
  }
  void Form_Unload(int&) override { ++unloads; }

  CheckBox Check1{*this, "Check1", {}, "Check"};
  ComboBox Combo1{*this, "Combo1", {}, "Combo1"};
  Timer Timer1{*this, "Timer1", 1000};
  CommandButton Close{*this, "Close", {}, "&Close"};
  MenuArray mnuitems{*this, "mnutop", "&Top", "mnuitems", {{"&One"}, {"&Two", false}}};

  int loads = 0, query_unloads = 0, unloads = 0, check_clicks = 0, combo_clicks = 0, ticks = 0;
  int last_mode = -1;
  bool cancel_next = false;
  bool unload_again = false;
};

struct Fixture : ::testing::Test {
  testing::HeadlessBackend backend;
  Runtime runtime{backend, kSampleTitle};
  FormSlot<SampleForm> slot{runtime, [this] { return std::make_unique<SampleForm>(runtime); }};
};

TEST_F(Fixture, FirstReferenceCreatesAndLoadsHidden) {
  EXPECT_FALSE(slot.Loaded());
  SampleForm& form = slot();
  EXPECT_TRUE(slot.Loaded());
  EXPECT_EQ(form.loads, 1);
  EXPECT_FALSE(form.Visible());
  EXPECT_NE(form.hWnd(), kNoWindow);
  EXPECT_EQ(&slot(), &form);
  EXPECT_EQ(form.loads, 1);
}

TEST_F(Fixture, HideKeepsTheFormUnloadDiscardsItAndTheNextReferenceLoadsAfresh) {
  slot().Show();
  slot().Check1.set_value(kChecked);
  slot().Hide();
  EXPECT_TRUE(slot.Loaded());
  EXPECT_EQ(slot().Check1.Value(), kChecked);

  backend.CloseBox(slot());
  EXPECT_FALSE(slot.Loaded());
  SampleForm& again = slot();
  EXPECT_EQ(again.loads, 1);
  EXPECT_EQ(again.Check1.Value(), kUnchecked);
}

TEST_F(Fixture, UnloadRunsQueryUnloadThenUnloadAndCanBeCancelled) {
  SampleForm& form = slot();
  form.cancel_next = true;
  backend.CloseBox(form);
  EXPECT_TRUE(slot.Loaded());
  EXPECT_EQ(form.query_unloads, 1);
  EXPECT_EQ(form.unloads, 0);
  EXPECT_EQ(form.last_mode, kFormControlMenu);
}

TEST_F(Fixture, AnUnloadAskedForWhileUnloadingHasNoFurtherEffect) {
  SampleForm& form = slot();
  form.unload_again = true;
  int unloads_seen = 0;
  form.on_discard = [&] { ++unloads_seen; };
  backend.CloseBox(form);
  EXPECT_EQ(form.query_unloads, 1);
  EXPECT_EQ(form.unloads, 1);
  EXPECT_EQ(unloads_seen, 1);
}

TEST_F(Fixture, UnloadFromInsideItsOwnHandlerIsSafe) {
  SampleForm& form = slot();
  backend.Click(form.Close);  // the handler runs on the object it unloads
  EXPECT_FALSE(slot.Loaded());
}

TEST_F(Fixture, CheckBoxAndComboRunClickOnlyOnAChange) {
  SampleForm& form = slot();
  form.Check1.set_value(kUnchecked);
  EXPECT_EQ(form.check_clicks, 0);
  form.Check1.set_value(kChecked);
  form.Check1.set_value(kChecked);
  EXPECT_EQ(form.check_clicks, 1);
  EXPECT_FALSE(form.Check1.set_value(5));
  EXPECT_EQ(form.Check1.Value(), kChecked);

  form.Combo1.AddItem("D:\\");
  form.Combo1.AddItem("E:\\");
  form.Combo1.set_list_index(0);
  form.Combo1.set_list_index(0);
  EXPECT_EQ(form.combo_clicks, 1);
  backend.Type(form.Combo1, "typed");
  EXPECT_EQ(form.combo_clicks, 1);
  EXPECT_EQ(form.Combo1.ListIndex(), 0);
  EXPECT_EQ(form.Combo1.List(-1), "");
  EXPECT_EQ(form.Combo1.List(2), "");
}

TEST_F(Fixture, MenuVisibleAndEnabledAreIndependent) {
  SampleForm& form = slot();
  form.mnuitems[0].set_enabled(false);
  EXPECT_TRUE(form.mnuitems[0].Visible());
  form.mnuitems[0].set_visible(false);
  form.mnuitems[0].set_visible(true);
  EXPECT_FALSE(form.mnuitems[0].Enabled());
  EXPECT_FALSE(backend.PickMenu(form.mnuitems, 0));
  EXPECT_FALSE(backend.PickMenu(form.mnuitems, 1));  // invisible at design
}

TEST_F(Fixture, TimersTickFromCreationOnTheVirtualClock) {
  SampleForm& form = slot();
  // Each tick changes the form, so the timer has work every interval.
  form.Timer1.on_timer = [&form] { form.Check1.set_value(form.Check1.Value() == 0 ? 1 : 0); };
  form.Check1.on_click = [&form] { ++form.ticks; };
  form.Show();
  backend.Advance(999);
  EXPECT_EQ(form.ticks, 0);
  backend.Advance(1);
  EXPECT_EQ(form.ticks, 1);
  backend.Advance(2500);
  EXPECT_EQ(form.ticks, 3);
}

// A tick that changed nothing pauses its timer, the form hidden or shown; a change of the form,
// or showing it, starts a full interval from that moment.
TEST_F(Fixture, AnIdleTimerPausesUntilTheFormChangesOrIsShown) {
  SampleForm& form = slot();
  backend.Advance(1000);
  EXPECT_TRUE(form.Timer1.Paused());
  backend.Advance(5500);
  EXPECT_EQ(form.ticks, 1);

  form.Combo1.AddItem("D:\\");
  backend.Advance(999);
  EXPECT_EQ(form.ticks, 1);
  backend.Advance(1);
  EXPECT_EQ(form.ticks, 2);
  EXPECT_TRUE(form.Timer1.Paused());

  backend.Advance(300);
  form.Show();
  backend.Advance(999);
  EXPECT_EQ(form.ticks, 2);
  backend.Advance(1 + 3000);
  EXPECT_EQ(form.ticks, 3);
  EXPECT_TRUE(form.Timer1.Paused());

  // Shown, a change restarts it too: a full interval from the change, even one made just
  // before the tick a running timer would have had.
  form.Combo1.AddItem("E:\\");
  backend.Advance(999);
  EXPECT_EQ(form.ticks, 3);
  backend.Advance(1);
  EXPECT_EQ(form.ticks, 4);
  backend.Advance(60'000);
  EXPECT_EQ(form.ticks, 4);
}

// Ticks that fall due while a handler runs (inside its message box) run once, right after it;
// never if the form unloaded meanwhile, before or after the tick fell due.
TEST_F(Fixture, TicksDueInsideAHandlerRunOnceAfterItUnlessTheFormUnloaded) {
  SampleForm& form = slot();
  form.Show();
  backend.message_box_open_ms = 2500;
  int ticks_inside = -1;
  runtime.Dispatch([&] {
    runtime.MsgBox("Wait");
    ticks_inside = form.ticks;
  });
  EXPECT_EQ(ticks_inside, 0);
  EXPECT_EQ(form.ticks, 1);

  for (const bool unload_first : {false, true}) {
    SampleForm& again = slot();
    again.Show();
    runtime.Dispatch([&] {
      if (unload_first) again.Unload();
      runtime.MsgBox("Wait");
      if (!unload_first) again.Unload();
    });
    EXPECT_FALSE(slot.Loaded()) << unload_first;
    EXPECT_EQ(runtime.HeldEvents(), 0u) << unload_first;
  }
}

TEST_F(Fixture, MessageBoxWithoutCaptionUsesTheProgramTitle) {
  runtime.MsgBox("Hello", kMsgBoxInformation);
  runtime.MsgBox("Again", kMsgBoxOkOnly, "Own");
  ASSERT_EQ(backend.message_boxes.size(), 2u);
  EXPECT_EQ(backend.message_boxes[0].caption, kSampleTitle);
  EXPECT_EQ(backend.message_boxes[0].style, kMsgBoxInformation);
  EXPECT_EQ(backend.message_boxes[1].caption, "Own");
}

TEST_F(Fixture, EndClosesEverythingAndRunsNoFurtherHandler) {
  SampleForm& form = slot();
  runtime.End();
  EXPECT_TRUE(backend.quit);
  backend.Advance(5000);
  EXPECT_EQ(form.ticks, 0);
  EXPECT_EQ(form.query_unloads, 0);
}

}  // namespace
}  // namespace ventrix::forms
