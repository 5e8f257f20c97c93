#pragma once
// What a screen reader hears of a hyperlink window: the system's standard accessible object of
// the window (named by its text, placed, focusable), answering as a link that can be followed.

#include <windows.h>
// After <windows.h>, which it needs.
#include <oleacc.h>

namespace ventrix::win32::ui {

// Posted to the link window when an assistive tool follows the link (its default action).
inline constexpr UINT kFollowLinkMessage = WM_APP + 0x30;

// The answer to WM_GETOBJECT for the link window `link`: the link's accessible object for the
// client object id, 0 (the system's own answer) for any other or when the accessibility
// library cannot be loaded. The library is loaded on the first question, so a program that is
// never asked does not load it.
LRESULT AnswerLinkObject(HWND link, WPARAM wparam, LPARAM lparam);

// The accessibility library's functions that an answer needs.
struct LinkObjectFunctions {
  decltype(&::CreateStdAccessibleObject) create_standard = nullptr;
  decltype(&::LresultFromObject) lresult_from_object = nullptr;
};
// The answer for the client object made with `functions` (COM started): the link's accessible
// object, or 0 (the system's own answer) when it cannot be made or handed over.
LRESULT AnswerLinkObject(const LinkObjectFunctions& functions, HWND link, WPARAM wparam);

}  // namespace ventrix::win32::ui
