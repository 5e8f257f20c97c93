#include "bench/tools/ready_window.h"

namespace bench {
namespace {

// Longer than any text compared; a longer child text is cut and cannot match.
constexpr int kTextBuffer = 64;

struct Search {
  DWORD process_id;
  const std::string* text;
  HWND found;
};

BOOL CALLBACK CheckChild(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  char text[kTextBuffer] = {};
  // For another process's window this reads the stored text; no WM_GETTEXT is sent.
  GetWindowTextA(child, text, kTextBuffer);
  if (*search->text != text) return TRUE;
  search->found = child;
  return FALSE;
}

BOOL CALLBACK CheckTopLevel(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  Search children{search->process_id, search->text, nullptr};
  EnumChildWindows(window, CheckChild, reinterpret_cast<LPARAM>(&children));
  if (children.found == nullptr || !IsWindowVisible(children.found)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindWindowShowing(DWORD process_id, const std::string& text) {
  Search search{process_id, &text, nullptr};
  EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace bench
