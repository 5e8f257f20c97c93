#pragma once
// Fonts of the forms, created at the system's dots per inch.

#include <map>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/forms/geometry.h"
#include "platform/win32/forms/handles.h"

namespace ventrix::win32::ui {

// The face actually asked of GDI: "MS Sans Serif" is a bitmap face that cannot scale, so it
// becomes the dialog face "MS Shell Dlg" (a TrueType face) to stay crisp at any DPI; a name
// too long for a LOGFONT becomes the dialog face too.
std::string FontFaceFor(const std::string& name);

// A font of the given face, size and style scaled to dpi; never empty (falls back to the
// stock GUI font's face when creation fails).
FontHandle CreateScaledFont(const forms::Font& font, int dpi);

// A font that several controls may hold; it is deleted when the last one lets it go.
using SharedFont = std::shared_ptr<std::remove_pointer_t<HFONT>>;

// One font for every control of the program that asks for the same face, size and style at
// the same DPI, instead of one per control. It keeps no font alive itself, so it holds no more
// entries than there are fonts in use.
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  SharedFont Get(const forms::Font& font, int dpi);
  // Fonts currently shared (for tests).
  std::size_t size() const { return fonts_.size(); }

 private:
  struct Key {
    std::string face;
    int height = 0;
    bool bold = false;
    bool underline = false;
    auto operator<=>(const Key&) const = default;
  };

  std::map<Key, std::weak_ptr<std::remove_pointer_t<HFONT>>> fonts_;
};

}  // namespace ventrix::win32::ui
