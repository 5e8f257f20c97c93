// A WH_GETMESSAGE hook that the end-to-end driver loads into ventrix.exe: Wine keeps menus per
// process, so reading or picking a menu item has to happen on the program's own thread.

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/e2e/e2e_protocol.h"

namespace {

constexpr int kCaptionLength = 256;

std::string ItemCaption(HMENU menu, UINT position) {
  char caption[kCaptionLength] = {};
  GetMenuStringA(menu, position, caption, kCaptionLength, MF_BYPOSITION);
  return caption;
}

void DumpMenu(HWND window, std::ostream& out) {
  HMENU bar = GetMenu(window);
  const int tops = bar ? GetMenuItemCount(bar) : 0;
  for (int top = 0; top < tops; ++top) {
    out << "TOP|" << ItemCaption(bar, top) << "\n";
    HMENU popup = GetSubMenu(bar, top);
    const int items = popup ? GetMenuItemCount(popup) : 0;
    for (int item = 0; item < items; ++item) {
      const UINT state = GetMenuState(popup, item, MF_BYPOSITION);
      if (state & MF_SEPARATOR) {
        out << "SEPARATOR\n";
        continue;
      }
      out << "ITEM|" << ItemCaption(popup, item) << "|"
          << ((state & (MF_GRAYED | MF_DISABLED)) ? "disabled" : "enabled") << "\n";
    }
  }
}

bool PickMenu(HWND window, const std::string& wanted) {
  HMENU bar = GetMenu(window);
  const int tops = bar ? GetMenuItemCount(bar) : 0;
  for (int top = 0; top < tops; ++top) {
    HMENU popup = GetSubMenu(bar, top);
    const int items = popup ? GetMenuItemCount(popup) : 0;
    for (int item = 0; item < items; ++item) {
      if (ItemCaption(popup, item) != wanted) continue;
      const UINT id = GetMenuItemID(popup, item);
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
      return true;
    }
  }
  return false;
}

void Answer(HWND window, WPARAM request) {
  std::ostringstream reply;
  if (request == ventrix::e2e::kDumpMenu) {
    DumpMenu(window, reply);
  } else if (request == ventrix::e2e::kPickMenu) {
    std::ifstream in(ventrix::e2e::kRequestFile);
    std::string caption;
    std::getline(in, caption);
    reply << (PickMenu(window, caption) ? "picked" : "missing") << "\n";
  }
  const std::string partial = std::string(ventrix::e2e::kReplyFile) + ".part";
  {
    std::ofstream out(partial, std::ios::trunc);
    out << reply.str();
  }
  MoveFileExA(partial.c_str(), ventrix::e2e::kReplyFile, MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    VentrixGetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  static const UINT request_message = RegisterWindowMessageA(ventrix::e2e::kRequestMessage);
  if (code == HC_ACTION && wparam == PM_REMOVE) {
    MSG* message = reinterpret_cast<MSG*>(lparam);
    if (message->message == request_message) {
      Answer(message->hwnd, message->wParam);
      message->message = WM_NULL;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
