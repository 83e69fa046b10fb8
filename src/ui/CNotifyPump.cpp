#include "ui/CNotifyPump.h"

namespace warden {

bool CNotifyPump::AddVirtualWnd(std::string_view name, CNotifyPump* pump) {
    if (!pump || name.empty()) return false;
    return m_virtualWnds.emplace(std::string(name), pump).second;
}

bool CNotifyPump::RemoveVirtualWnd(std::string_view name) {
    auto it = m_virtualWnds.find(name);
    if (it == m_virtualWnds.end()) return false;
    m_virtualWnds.erase(it);
    return true;
}

void CNotifyPump::OnNotify(std::string_view type, Handler handler) {
    m_handlers[std::string(type)] = std::move(handler);
}

bool CNotifyPump::NotifyPump(TNotifyUI& msg) {
    if (!msg.sVirtualWnd.empty()) {
        auto it = m_virtualWnds.find(msg.sVirtualWnd);
        if (it != m_virtualWnds.end()) return it->second->LoopDispatch(msg);
    }
    return LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg) {
    auto it = m_handlers.find(msg.sType);
    if (it == m_handlers.end() || !it->second) return false;
    // Copy: the handler may replace itself.
    Handler handler = it->second;
    handler(msg);
    return true;
}

}  // namespace warden
