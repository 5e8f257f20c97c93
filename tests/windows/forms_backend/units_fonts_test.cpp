// Twips, pixels and fonts on the win32 forms backend: conversions, font faces, the font cache
// and fonts shared across windows.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/forms/fonts.h"
#include "platform/win32/forms/units.h"
#include "tests/windows/forms_backend/sample_form.h"

namespace ventrix::win32 {
namespace {

TEST(FormsUnits, TwipsBecomePixelsAtTheSystemDpi) {
  EXPECT_EQ(ui::TwipsToPixels(3780, 96), 252);
  EXPECT_EQ(ui::TwipsToPixels(405, 96), 27);
  EXPECT_EQ(ui::TwipsToPixels(3780, 120), 315);
  EXPECT_EQ(ui::TwipsToPixels(3780, 144), 378);
  EXPECT_EQ(ui::TwipsToPixels(7, 96), 0);  // rounded to the nearest pixel
  EXPECT_EQ(ui::TwipsToPixels(8, 96), 1);
  EXPECT_EQ(ui::TwipsToPixels(-8, 96), -1);
  EXPECT_EQ(ui::TwipsToPixels(2000000000, 144), 200000000);  // no overflow
  EXPECT_EQ(ui::FontHeightForPoints(12, 96), -16);
  EXPECT_EQ(ui::FontHeightForPoints(8.25, 96), -11);
  EXPECT_EQ(ui::FontHeightForPoints(8.25, 144), -17);
  EXPECT_GE(ui::SystemDpi(), ui::kDefaultDpi / 2);
}

TEST(FormsUnits, FontFacesStayScalable) {
  EXPECT_EQ(ui::FontFaceFor("MS Sans Serif"), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor("ms sans serif"), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor("Arial"), "Arial");
  EXPECT_EQ(ui::FontFaceFor(""), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor(std::string(LF_FACESIZE, 'A')), "MS Shell Dlg");
  EXPECT_EQ(ui::FontFaceFor(std::string(LF_FACESIZE - 1, 'A')), std::string(LF_FACESIZE - 1, 'A'));
}

// Controls asking for the same font share one, across windows; another font is another.
TEST_F(FormsBackendTest, ControlsShareTheirFonts) {
  SampleForm second(runtime, shell);
  runtime.Load(second);
  const HFONT dialog = FontOf(NativeOf(form->cmdOK));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FontOf(NativeOf(form->lblplatform)), dialog);  // a label in the default font
  EXPECT_EQ(FontOf(NativeOf(second.cmdOK)), dialog);
  const HFONT status = FontOf(NativeOf(form->Label1));
  EXPECT_NE(status, dialog);
  EXPECT_EQ(FontOf(NativeOf(second.Label1)), status);
  runtime.Unload(second, forms::kFormCode);
  // Still in use by the first window's controls.
  LOGFONTA described{};
  EXPECT_EQ(GetObjectA(status, sizeof(described), &described), static_cast<int>(sizeof(described)));
  EXPECT_TRUE(described.lfWeight >= FW_BOLD);
}

TEST(FontCache, SharesFontsWhileTheyAreUsedAndForgetsTheRest) {
  ui::FontCache fonts;
  const forms::Font status{"Times New Roman", 12, true, false};
  ui::SharedFont first = fonts.Get(status, ui::kDefaultDpi);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(fonts.Get(status, ui::kDefaultDpi), first);
  EXPECT_NE(fonts.Get(status, ui::kDefaultDpi * 2), first);  // another size in pixels
  forms::Font underlined = status;
  underlined.underline = true;
  ui::SharedFont link = fonts.Get(underlined, ui::kDefaultDpi);
  EXPECT_NE(link, first);
  EXPECT_EQ(fonts.size(), 2u);  // the unheld larger one is gone
  first.reset();
  link.reset();
  fonts.Get(forms::Font{}, ui::kDefaultDpi);
  EXPECT_EQ(fonts.size(), 1u);
}

}  // namespace
}  // namespace ventrix::win32
