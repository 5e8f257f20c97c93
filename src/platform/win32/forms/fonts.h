#pragma once
// Fonts of the forms, created at the system's dots per inch.

#include <string>

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

}  // namespace ventrix::win32::ui
