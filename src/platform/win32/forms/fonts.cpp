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

SharedFont FontCache::Get(const forms::Font& font, int dpi) {
  std::erase_if(fonts_, [](const auto& entry) { return entry.second.expired(); });
  const Key key{FontFaceFor(font.name), FontHeightForPoints(font.points, dpi), font.bold,
                font.underline};
  if (SharedFont shared = fonts_[key].lock()) return shared;
  SharedFont created = CreateScaledFont(font, dpi);
  fonts_[key] = created;
  return created;
}

}  // namespace ventrix::win32::ui
