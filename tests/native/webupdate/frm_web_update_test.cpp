#include "webupdate/frm_web_update.h"

#include <gtest/gtest.h>

#include <string>

#include "program/resource_ids.h"
#include "tests/support/test_platform.h"

namespace ventrix::testing {
namespace {

struct WebUpdateTest : ::testing::Test {
  TestProgram program;
  WebUpdateTest() {
    program->vars().AppTitle = "Ventrix 3";
    program->vars().WebUpdateUrl = "https://www.tarrowby.com/download/ventrix/ventrix3.txt";
  }
  FrmWebUpdate& Window() { return program->frmWebUpdate(); }
  FakeWebVersionCheck& Check() { return *program.fake.web_checks.last; }
  std::vector<ShownMessageBox>& Boxes() { return program.fake.ui.message_boxes; }
};

TEST_F(WebUpdateTest, LoadSetsCaptionIconVersionAndLabel) {
  FrmWebUpdate& window = Window();
  EXPECT_EQ(window.Caption(), "Web Update");
  EXPECT_EQ(window.Icon(), IDI_VENTRIX);
  EXPECT_EQ(Check().version, "3.36");
  EXPECT_TRUE(Check().autolaunchbrowser);
  EXPECT_EQ(Check().url, "");
  EXPECT_EQ(window.lblVersion.Caption(), "Current Version 3.36");
  EXPECT_EQ(window.Label1.Caption(),
            "Press the check button to Check for the Latest Version . For the test to fully "
            "work, you should be connected to the internet. ");
  EXPECT_FALSE(window.Visible());
}

TEST_F(WebUpdateTest, EachPressChecksTheAddressAsItIsThen) {
  FrmWebUpdate& window = Window();
  program.fake.ui.Click(window.Command1);
  program->vars().WebUpdateUrl = "http://mirror.example/ventrix3.txt";
  program.fake.ui.Click(window.Command1);
  EXPECT_EQ(Check().checked_urls,
            (std::vector<std::string>{"https://www.tarrowby.com/download/ventrix/ventrix3.txt",
                                      "http://mirror.example/ventrix3.txt"}));
  // Each outcome that arrives shows its own message.
  Check().RaiseNoNewVersion();
  Check().RaiseCheckFailed(-2);
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(WebUpdateTest, NewVersionMessageIsExact) {
  Window();
  Check().version = "3.36-read-back";
  Check().RaiseNewVersionFound("3.40", "https://x/dl", "Fixes", "unused");
  Check().RaiseNewVersionFound("3.40", "https://x/dl", "", "");
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].caption, "A new version of Ventrix 3 has been found");
  EXPECT_EQ(Boxes()[0].style, 64);
  EXPECT_EQ(Boxes()[0].text,
            "Ventrix 3 Version available is :3.40\nVentrix 3 CurrentVersion is : 3.36-read-back"
            "\n\nDownload URL : https://x/dl\n\nInformation : Fixes");
  EXPECT_EQ(Boxes()[1].text.substr(Boxes()[1].text.size() - 14), "Information : ");
}

TEST_F(WebUpdateTest, UpToDateMessageIsExact) {
  Window();
  Check().RaiseNoNewVersion();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].caption, "You Have the most recent version");
  EXPECT_EQ(Boxes()[0].text, "You have the most recent version available (3.36)");
  EXPECT_EQ(Boxes()[0].style, 64);
}

TEST_F(WebUpdateTest, OnlyConnectionAndMissingFileFailuresAreShown) {
  Window();
  for (std::int32_t code : {0, -3, 1, 404, -1, -2}) Check().RaiseCheckFailed(code);
  ASSERT_EQ(Boxes().size(), 2u);
  for (const ShownMessageBox& box : Boxes()) {
    EXPECT_EQ(box.text, "Could not connect to web site or file not found");
    EXPECT_EQ(box.style, 0);
    EXPECT_EQ(box.caption, "Ventrix3");
  }
}

TEST_F(WebUpdateTest, LayoutAndTabOrder) {
  FrmWebUpdate& window = Window();
  EXPECT_EQ(window.Design().client_width, 4245);
  EXPECT_EQ(window.Design().client_height, 1755);
  EXPECT_FALSE(window.Design().min_button);
  EXPECT_FALSE(window.Design().max_button);
  struct Place {
    const forms::Control& control;
    forms::Rect rect;
    int tab;
  };
  const Place places[] = {
      {window.Command1, {120, 120, 1575, 375}, 0},
      {window.Label1, {120, 600, 3975, 615}, 1},
      {window.lblVersion, {1560, 1440, 2055, 225}, 2},
      {window.Command2, {120, 1320, 1215, 375}, 3},
  };
  for (const Place& place : places) {
    SCOPED_TRACE(place.control.Name());
    const forms::Rect& rect = place.control.rect();
    EXPECT_EQ(rect.left, place.rect.left);
    EXPECT_EQ(rect.top, place.rect.top);
    EXPECT_EQ(rect.width, place.rect.width);
    EXPECT_EQ(rect.height, place.rect.height);
    EXPECT_EQ(place.control.TabIndex(), place.tab);
  }
  EXPECT_EQ(window.Command1.Caption(), "Check For Update");
  EXPECT_EQ(window.Command2.Caption(), "C&lose");
}

TEST_F(WebUpdateTest, CloseUnloadsAndReopeningCreatesAfresh) {
  FrmWebUpdate* first = &Window();
  FakeWebVersionCheck* first_check = &Check();
  first_check->version = "changed";
  program.fake.ui.Click(first->Command2);
  EXPECT_EQ(program->LoadedWebUpdate(), nullptr);

  FrmWebUpdate& second = Window();
  EXPECT_NE(&Check(), first_check);
  EXPECT_EQ(Check().version, "3.36");
  EXPECT_EQ(second.lblVersion.Caption(), "Current Version 3.36");
  program.fake.ui.CloseBox(second);
  EXPECT_EQ(program->LoadedWebUpdate(), nullptr);
}

// Outcomes that come while another handler's message box is up wait for that handler, each one
// shown on its own after it, with the texts they came with.
TEST_F(WebUpdateTest, OutcomesDuringAnotherHandlerWaitForItAndAreAllShown) {
  Window();
  FakeWebVersionCheck& check = Check();
  std::size_t boxes_inside = 0;
  program->runtime().Dispatch([&] {
    program->runtime().MsgBox("Busy");
    std::string available = "3.40";
    check.RaiseNewVersionFound(available, "https://www.tarrowby.com/v.zip", "Info", "");
    available = "changed";
    check.RaiseCheckFailed(kCheckCouldNotConnect);
    boxes_inside = Boxes().size();
  });
  EXPECT_EQ(boxes_inside, 1u);
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_NE(Boxes()[1].text.find("3.40"), std::string::npos);
  EXPECT_EQ(Boxes()[2].caption, "Ventrix3");
}

TEST_F(WebUpdateTest, OutcomesAfterTheWindowClosedOrTheProgramEndedShowNothing) {
  FrmWebUpdate& window = Window();
  FakeWebVersionCheck& check = Check();
  program->runtime().Dispatch([&] {
    window.Command2_Click();
    // The window is unloaded but not yet destroyed: a late outcome is dropped.
    check.RaiseNoNewVersion();
  });
  EXPECT_TRUE(Boxes().empty());

  Window();
  program->End();
  Check().RaiseCheckFailed(-1);
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace ventrix::testing
