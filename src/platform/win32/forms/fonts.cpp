#include "platform/win32/forms/fonts.h"

#include <windows.h>

#include "platform/win32/forms/units.h"

namespace ventrix::win32::ui {

namespace {

constexpr char kBitmapDialogFace[] = "MS Sans Serif";
constexpr char kScalableDialogFace[] = "MS Shell Dlg";

FontHandle MakeFont(const std::string& face, const forms::Font& font, int dpi) {
  return FontHandle(
      CreateFontA(FontHeightForPoints(font.points, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                  FALSE, font.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

}  // namespace

std::string FontFaceFor(const std::string& name) {
  if (name.empty() || name.size() >= LF_FACESIZE ||
      lstrcmpiA(name.c_str(), kBitmapDialogFace) == 0) {
    return kScalableDialogFace;
  }
  return name;
}

FontHandle CreateScaledFont(const forms::Font& font, int dpi) {
  FontHandle handle = MakeFont(FontFaceFor(font.name), font, dpi);
  if (!handle) handle = MakeFont(kScalableDialogFace, font, dpi);
  return handle;
}

}  // namespace ventrix::win32::ui
