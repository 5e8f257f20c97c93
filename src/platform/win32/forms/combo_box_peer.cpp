#include "platform/win32/forms/combo_box_peer.h"

#include <array>

#include "platform/win32/forms/form_window.h"
#include "platform/win32/forms/units.h"

namespace ventrix::win32::ui {

namespace {

// The dropped-down list below the field, about eight entries tall.
constexpr int kDropDownListTwips = 1800;

class SyncGuard {
 public:
  explicit SyncGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~SyncGuard() { flag_ = previous_; }
  SyncGuard(const SyncGuard&) = delete;
  SyncGuard& operator=(const SyncGuard&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

ComboBoxPeer::ComboBoxPeer(FormWindow& host, forms::ComboBox& combo, int id)
    : NativeControl(host, combo, id), combo_(combo) {
  CreateChild("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
  UseDialogFont();
  SendMessageA(hwnd(), CB_LIMITTEXT, kMaxComboTextLength, 0);
  FillList();
}

int ComboBoxPeer::ExtraNativeHeight() const {
  return TwipsToPixels(kDropDownListTwips, host().dpi());
}

void ComboBoxPeer::OnCommand(int code) {
  if (syncing_) return;
  forms::ComboBox& combo = combo_;
  if (code == CBN_SELCHANGE) {
    const int index = static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0));
    if (index == CB_ERR) return;
    host().Raise([&combo, index] {
      combo.set_list_index(index);
      // Picking the entry already selected runs nothing, but replaces any typed text.
      combo.set_text(combo.List(index));
    });
  } else if (code == CBN_EDITCHANGE) {
    const std::string text = NativeText();
    host().Raise([&combo, &text] { combo.set_text(text); });
  }
}

void ComboBoxPeer::SyncKind(forms::Change change) {
  if (hwnd() == nullptr) return;
  switch (change) {
    case forms::Change::kList:
      FillList();
      break;
    case forms::Change::kSelection:
      ShowSelection();
      ShowText();
      break;
    case forms::Change::kText:
      ShowText();
      break;
    default:
      break;
  }
}

void ComboBoxPeer::FillList() {
  if (hwnd() == nullptr) return;
  {
    SyncGuard guard(syncing_);
    SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : combo_.Entries()) {
      SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
  }
  ShowSelection();
  ShowText();
}

void ComboBoxPeer::ShowSelection() {
  SyncGuard guard(syncing_);
  SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ListIndex()), 0);
}

void ComboBoxPeer::ShowText() {
  if (NativeText() == combo_.Text()) return;
  SyncGuard guard(syncing_);
  SetWindowTextA(hwnd(), combo_.Text().c_str());
}

std::string ComboBoxPeer::NativeText() const {
  std::array<char, kMaxComboTextLength + 1> buffer{};
  const int length = GetWindowTextA(hwnd(), buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace ventrix::win32::ui
