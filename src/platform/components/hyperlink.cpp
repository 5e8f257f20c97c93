#include "platform/components/hyperlink.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/components/no_case.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"

namespace ventrix {

namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
constexpr std::array<std::string_view, 3> kOpenableSchemes = {"http://", "https://", "mailto:"};

}  // namespace

bool IsOpenableLink(const std::string& address) {
  return std::any_of(kOpenableSchemes.begin(), kOpenableSchemes.end(),
                     [&address](std::string_view scheme) {
                       return address.size() > scheme.size() && StartsWithNoCase(address, scheme);
                     });
}

Hyperlink::Hyperlink(forms::Form& owner, std::string name, forms::Rect rect, std::string caption,
                     Shell& shell)
    : Control(owner, std::move(name), forms::ControlKind::kHyperlink, rect),
      caption_(std::move(caption)),
      font_{"Tahoma", 9, false, true},
      shell_(shell) {}

forms::Color Hyperlink::ShownColor() const {
  return Owner().runtime().Shown(kLinkColor, forms::kHotLightColor);
}

bool Hyperlink::Click() {
  if (!IsOpenableLink(link_address_)) return false;
  shell_.ShellExecute(kNoWindow, "open", link_address_, std::nullopt, std::nullopt, kShowNormal);
  return true;
}

}  // namespace ventrix
