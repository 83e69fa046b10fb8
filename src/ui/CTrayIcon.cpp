#include "ui/CTrayIcon.h"

#include "platform/Trace.h"
#include "ui/MessageQueue.h"

namespace warden {

bool CTrayIcon::CreateTrayIcon(WindowHandle owner, const std::string& iconPath,
                               std::string_view toolTip, uint32_t message) {
    Host* host = GetHost();
    if (!host) return false;
    m_icon = host->CreateTrayIcon([owner, message](uint32_t mouseMessage) {
        MessageQueue::Instance().Post(owner, message, 0, static_cast<LParam>(mouseMessage));
    });
    if (!m_icon) {
        Trace("tray icon not available\n");
        return false;
    }
    if (!m_icon->SetIcon(iconPath)) Trace("tray icon %s not loaded\n", iconPath.c_str());
    m_icon->SetToolTip(toolTip);
    m_icon->SetVisible(true);
    return true;
}

void CTrayIcon::SetTooltipText(std::string_view text) {
    if (m_icon) m_icon->SetToolTip(text);
}

}  // namespace warden
