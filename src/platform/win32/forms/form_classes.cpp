#include "platform/win32/forms/form_classes.h"

#include <string_view>

#include "platform/win32/forms/icons.h"

namespace ventrix::win32::ui {

namespace {

// An icon class is named kFormClassName + kIconSeparator + the icon's resource number.
constexpr char kIconSeparator = '.';
constexpr int kMaxResourceDigits = 5;
constexpr int kMaxClassName = sizeof(kFormClassName) + 1 + kMaxResourceDigits;

WNDCLASSEXA FormClass(HINSTANCE instance, WNDPROC procedure, const char* name) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = name;
  return window_class;
}

}  // namespace

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  const WNDCLASSEXA window_class = FormClass(instance, procedure, kFormClassName);
  RegisterClassExA(&window_class);  // fails harmlessly when already registered
}

std::string FormClassFor(HINSTANCE instance, WNDPROC procedure, int icon_id) {
  if (icon_id <= 0 || icon_id > kMaxResourceId) return kFormClassName;
  const std::string name =
      kFormClassName + std::string(1, kIconSeparator) + std::to_string(icon_id);
  WNDCLASSEXA registered{};
  registered.cbSize = sizeof(registered);
  if (GetClassInfoExA(instance, name.c_str(), &registered)) return name;
  WNDCLASSEXA window_class = FormClass(instance, procedure, name.c_str());
  window_class.hIcon =
      LoadSharedIcon(instance, icon_id, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  window_class.hIconSm = LoadSharedIcon(instance, icon_id, GetSystemMetrics(SM_CXSMICON),
                                        GetSystemMetrics(SM_CYSMICON));
  if (window_class.hIcon == nullptr || !RegisterClassExA(&window_class)) return kFormClassName;
  return name;
}

bool IsFormClass(HWND window) {
  char buffer[kMaxClassName + 1] = {};
  const int length = GetClassNameA(window, buffer, sizeof(buffer));
  if (length <= 0) return false;
  const std::string_view name(buffer, static_cast<std::size_t>(length));
  const std::string_view plain(kFormClassName);
  if (!name.starts_with(plain)) return false;
  if (name.size() == plain.size()) return true;
  const std::string_view number = name.substr(plain.size() + 1);
  return name[plain.size()] == kIconSeparator && !number.empty() &&
         number.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace ventrix::win32::ui
