#pragma once
// The tray icon on QSystemTrayIcon; its clicks reach the library as the
// mouse messages of a Win32 tray icon (WM_LBUTTONUP, WM_RBUTTONUP, ...).

#include <QSystemTrayIcon>
#include <functional>

#include "ui/Host.h"

namespace warden {

class QtTrayIcon : public NativeTrayIcon {
public:
    explicit QtTrayIcon(std::function<void(uint32_t mouseMessage)> onMouse);

    void SetToolTip(std::string_view text) override;
    bool SetIcon(const std::string& path) override;
    void SetVisible(bool visible) override;

private:
    QSystemTrayIcon m_icon;
};

}  // namespace warden
