// How a device object finds its controls in its page: the key and zone
// buttons of the device picture, and the tab layouts of the page's tabs.

#include <charconv>
#include <optional>

#include "devices/COrmandelUSBDevice.h"
#include "platform/Text.h"
#include "ui/controls/CTabLayoutUI.h"

namespace warden {

namespace {

constexpr std::string_view kSelectPanelClass = "SelectPanel";
constexpr std::string_view kKeyButtonClass = "DeviceKeyButton";
constexpr std::string_view kKeyPrefix = "key_";
constexpr std::string_view kLightPrefix = "light_";
constexpr std::string_view kFunctionTabName = "device_function_switch";
constexpr std::string_view kKeyFunctionTabName = "device_key_function_switch";

// Function tab pages.
constexpr int kFunctionPageMain = 0;

struct BindingName {
    std::string_view prefix;  // ends with the '_'
    size_t number;
};

// "prefix_N" split at the last '_'; N must be a whole decimal number, so a
// name such as "key_" or "light_x" binds nothing.
std::optional<BindingName> SplitBindingName(std::string_view name) {
    const size_t cut = name.rfind('_');
    if (cut == std::string_view::npos) return std::nullopt;
    const std::string_view digits = name.substr(cut + 1);
    size_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return BindingName{name.substr(0, cut + 1), number};
}

void BindInto(std::vector<CControlUI*>& slots, size_t index, CControlUI* control) {
    if (index < slots.size()) slots[index] = control;
}

// Function page for a tab that shows a page of its own, or -1 when the tab
// shows the main function page and a key page. Tab 4 has its own page only on
// keyboards and mice (a receiver mouse counts as a mouse).
int OwnFunctionPage(int tab, int deviceKind) {
    switch (tab) {
        case 3:
        case 8:
            return 1;
        case 5:
            return 2;
        case 4:
            return deviceKind == kKindKeyboard || deviceKind == kKindMouse ||
                           deviceKind == kKindWirelessMouse
                       ? 3
                       : -1;
        default:
            return -1;
    }
}

int KeyPage(int tab) {
    switch (tab) {
        case 2:
        case 6:
            return 1;
        case 4:  // reaches here on the other kinds, which show it as tab 7
        case 7:
            return 2;
        default:
            return 0;
    }
}

}  // namespace

void COrmandelUSBDevice::BindLayout() {
    CControlUI* panel = nullptr;
    ForEach([&](CControlUI* control) {
        if (control == this || control->GetClass() != kSelectPanelClass) return false;
        panel = control;
        return true;
    });
    if (panel == nullptr) return;
    panel->ForEach([&](CControlUI* control) {
        if (control->GetClass() != kKeyButtonClass) return false;
        const std::optional<BindingName> binding = SplitBindingName(control->GetName());
        if (!binding) return false;
        if (EqualsNoCase(binding->prefix, kKeyPrefix)) {
            BindInto(m_keyButtons, binding->number, control);
        } else if (EqualsNoCase(binding->prefix, kLightPrefix)) {
            BindInto(m_zoneControls, binding->number, control);
        }
        return false;
    });
}

CTabLayoutUI* COrmandelUSBDevice::FindTabLayout(std::string_view name) {
    CTabLayoutUI* found = nullptr;
    ForEach([&](CControlUI* control) {
        if (control->GetName() != name) return false;
        found = static_cast<CTabLayoutUI*>(control->GetInterface("TabLayout"));
        return true;
    });
    return found;
}

void COrmandelUSBDevice::SetPageTab(int tab) {
    m_pageTab = tab;
    m_functionTab = FindTabLayout(kFunctionTabName);
    m_keyFunctionTab = FindTabLayout(kKeyFunctionTabName);
    if (m_functionTab == nullptr || m_keyFunctionTab == nullptr) return;
    const int ownPage = OwnFunctionPage(tab, GetDeviceKind());
    if (ownPage >= 0) {
        m_functionTab->SelectItem(ownPage);
        return;
    }
    m_functionTab->SelectItem(kFunctionPageMain);
    m_keyFunctionTab->SelectItem(KeyPage(tab));
}

}  // namespace warden
