#pragma once
// Routes notifications by type to handlers, or to a named virtual window
// (a second pump) when the sender lies under a control with that
// "virtualwnd".

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "ui/UIDefine.h"

namespace warden {

class CNotifyPump {
public:
    using Handler = std::function<void(TNotifyUI&)>;

    virtual ~CNotifyPump() = default;

    // False when the name is taken or `pump` is null. Not owned.
    bool AddVirtualWnd(std::string_view name, CNotifyPump* pump);
    bool RemoveVirtualWnd(std::string_view name);
    // A handler for one notification type (replaces an earlier one).
    void OnNotify(std::string_view type, Handler handler);
    // Delivers `msg`: to its virtual window's pump when one is registered
    // under msg.sVirtualWnd, else to this pump's handler for its type.
    // True when a handler received it.
    bool NotifyPump(TNotifyUI& msg);

private:
    bool LoopDispatch(TNotifyUI& msg);

    std::map<std::string, CNotifyPump*, std::less<>> m_virtualWnds;
    std::map<std::string, Handler, std::less<>> m_handlers;
};

}  // namespace warden
