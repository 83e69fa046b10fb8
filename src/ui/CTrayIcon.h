#pragma once
// The program's notification-area icon. Mouse actions on it reach the
// owner window as `message` with wParam = 0 and lParam = the mouse message
// (WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK).

#include <memory>
#include <string>
#include <string_view>

#include "ui/Host.h"

namespace warden {

class CTrayIcon {
public:
    // Shows the icon. False (traced) without a host or a tray.
    bool CreateTrayIcon(WindowHandle owner, const std::string& iconPath, std::string_view toolTip,
                        uint32_t message = WM_USER + 1);
    void DeleteTrayIcon() { m_icon.reset(); }
    bool IsVisible() const { return m_icon != nullptr; }
    void SetTooltipText(std::string_view text);

private:
    std::unique_ptr<NativeTrayIcon> m_icon;
};

}  // namespace warden
