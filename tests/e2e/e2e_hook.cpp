// A WH_GETMESSAGE hook that the end-to-end driver loads into ventrix.exe: Wine keeps menus per
// process, so reading or picking a menu item has to happen on the program's own thread.

#include <windows.h>

#include <exception>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/e2e_accepting_drive.h"
#include "tests/e2e/e2e_counts.h"
#include "tests/e2e/e2e_drive_events.h"
#include "tests/e2e/e2e_protocol.h"
#include "tests/e2e/e2e_refusing_shell.h"

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

// The command identifier of the shown item with this caption; with `enabled_only`, of the shown
// and enabled one.
std::optional<UINT> ItemId(HWND window, const std::string& wanted, bool enabled_only) {
  HMENU bar = GetMenu(window);
  const int tops = bar ? GetMenuItemCount(bar) : 0;
  for (int top = 0; top < tops; ++top) {
    HMENU popup = GetSubMenu(bar, top);
    const int items = popup ? GetMenuItemCount(popup) : 0;
    for (int item = 0; item < items; ++item) {
      if (ItemCaption(popup, item) != wanted) continue;
      const bool disabled = GetMenuState(popup, item, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
      if (enabled_only && disabled) continue;
      return GetMenuItemID(popup, item);
    }
  }
  return std::nullopt;
}

std::optional<UINT> EnabledItemId(HWND window, const std::string& wanted) {
  return ItemId(window, wanted, true);
}

bool PickMenu(HWND window, const std::string& wanted) {
  const std::optional<UINT> id = ItemId(window, wanted, false);
  if (id) PostMessageA(window, WM_COMMAND, MAKEWPARAM(*id, 0), 0);
  return id.has_value();
}

BOOL CALLBACK AddChildText(HWND child, LPARAM context) {
  char text[kCaptionLength] = {};
  GetWindowTextA(child, text, kCaptionLength);
  reinterpret_cast<std::vector<std::string>*>(context)->push_back(text);
  return TRUE;
}

// A number line of a request within 0..max, or nothing.
std::optional<int> ReadCount(std::istream& request, int max) {
  std::string line;
  std::getline(request, line);
  try {
    const int count = std::stoi(line);
    if (count >= 0 && count <= max) return count;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

// Picks the two items in turn, each as the menu itself would (WM_COMMAND, handled before the
// next pick). Each pick needs its item shown and enabled, which only the previous pick's
// handler arranges, so a handler that did not run stops the cycling.
void CycleMenu(HWND window, std::istream& request, std::ostream& out) {
  const std::optional<int> cycles = ReadCount(request, ventrix::e2e::kMaxCycles);
  std::string first;
  std::string second;
  std::getline(request, first);
  std::getline(request, second);
  if (!cycles) {
    out << "bad-count\n";
    return;
  }
  const int count = *cycles;
  for (int cycle = 0; cycle < count; ++cycle) {
    for (const std::string* caption : {&first, &second}) {
      const std::optional<UINT> id = EnabledItemId(window, *caption);
      if (!id) {
        out << "missing|" << *caption << "|" << cycle << "\n";
        return;
      }
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(*id, 0), 0);
    }
  }
  out << "cycled|" << count << "\n";
  std::vector<std::string> texts;
  EnumChildWindows(window, AddChildText, reinterpret_cast<LPARAM>(&texts));
  for (const std::string& text : texts) out << "CHILD|" << text << "\n";
}

void RefuseTray(std::istream& request, std::ostream& out) {
  const std::optional<int> count = ReadCount(request, ventrix::e2e::kMaxTrayRefusals);
  if (!count) {
    out << "bad-count\n";
    return;
  }
  if (!ventrix::e2e::RefuseTrayRequests(*count)) {
    out << "missing|Shell_NotifyIconA\n";
    return;
  }
  out << "refusing|" << *count << "\n";
}

void ReportCounts(std::ostream& out) {
  for (const ventrix::e2e::ObjectCount& count : ventrix::e2e::CountObjects()) {
    out << "COUNT|" << count.name << "|" << count.value << "|" << count.how << "\n";
  }
}

void Answer(HWND window, WPARAM request) {
  // The name of the request on the first line: the repeats of an answered one are ignored.
  static std::string answered;
  std::ifstream in(ventrix::e2e::kRequestFile);
  std::string name;
  if (!std::getline(in, name) || name == answered) return;
  answered = name;

  std::ostringstream reply;
  if (request == ventrix::e2e::kDumpMenu) {
    DumpMenu(window, reply);
  } else if (request == ventrix::e2e::kPickMenu) {
    std::string caption;
    std::getline(in, caption);
    reply << (PickMenu(window, caption) ? "picked" : "missing") << "\n";
  } else if (request == ventrix::e2e::kCycleMenu) {
    CycleMenu(window, in, reply);
  } else if (request == ventrix::e2e::kCountObjects) {
    in.close();
    ReportCounts(reply);
  } else if (request == ventrix::e2e::kRefuseTrayRequests) {
    RefuseTray(in, reply);
  } else if (request == ventrix::e2e::kAcceptDeviceRequests) {
    reply << (ventrix::e2e::AcceptDeviceRequests() ? "accepting" : "missing|DeviceIoControl")
          << "\n";
  } else if (request == ventrix::e2e::kRefuseMachineWrites) {
    reply << (ventrix::e2e::RefuseMachineWrites() ? "refusing" : "missing|RegOpenKeyExA") << "\n";
  } else if (request == ventrix::e2e::kCountDeviceRequests) {
    reply << (ventrix::e2e::CountDeviceRequests() ? "counting" : "missing|CreateFileA") << "\n";
  } else if (request == ventrix::e2e::kRaiseDeviceEvent) {
    std::string name;
    std::getline(in, name);
    reply << ventrix::e2e::RaiseDeviceEvent(name) << "\n";
  }
  in.close();
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
