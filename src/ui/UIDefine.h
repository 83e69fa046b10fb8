#pragma once
// The records and small interfaces shared by controls, the paint manager and
// windows: events delivered to controls, notifications raised by them.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/Geometry.h"
#include "ui/Messages.h"

namespace warden {

class CControlUI;

// Events a control receives through DoEvent.
enum EventType : int {
    UIEVENT_MOUSEMOVE = 1,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_RBUTTONUP,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SETFOCUS,
    UIEVENT_KILLFOCUS,
    UIEVENT_TIMER,
    UIEVENT_SETCURSOR,
};

struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    uint32_t dwTimestamp = 0;
    Point ptMouse;
    uint32_t chKey = 0;      // key code (KEYDOWN/UP) or character (CHAR)
    uint16_t wKeyState = 0;  // MK_* bits
    WParam wParam = 0;
    LParam lParam = 0;
};

struct TNotifyUI {
    std::string sType;
    std::string sVirtualWnd;  // "virtualwnd" of the sender or an ancestor
    CControlUI* pSender = nullptr;
    uint32_t dwTimestamp = 0;
    Point ptMouse;
    WParam wParam = 0;
    LParam lParam = 0;
};

// Notification types raised by the library's controls.
inline constexpr const char* DUI_MSGTYPE_CLICK = "click";
inline constexpr const char* DUI_MSGTYPE_SELECTCHANGED = "selectchanged";
inline constexpr const char* DUI_MSGTYPE_VALUECHANGED = "valuechanged";
inline constexpr const char* DUI_MSGTYPE_MOVEVALUECHANGED = "movevaluechanged";
inline constexpr const char* DUI_MSGTYPE_ITEMSELECT = "itemselect";
inline constexpr const char* DUI_MSGTYPE_ITEMCLICK = "itemclick";
inline constexpr const char* DUI_MSGTYPE_ITEMACTIVATE = "itemactivate";
inline constexpr const char* DUI_MSGTYPE_TIMER = "timer";
inline constexpr const char* DUI_MSGTYPE_WINDOWINIT = "windowinit";
inline constexpr const char* DUI_MSGTYPE_WINDOWSIZE = "windowsize";
inline constexpr const char* DUI_MSGTYPE_COLORCHANGED = "colorchanged";
inline constexpr const char* DUI_MSGTYPE_MOUSEENTER = "msenter";
inline constexpr const char* DUI_MSGTYPE_MOUSELEAVE = "msleave";
inline constexpr const char* DUI_MSGTYPE_DBCLICK = "dbclick";
inline constexpr const char* DUI_MSGTYPE_SETFOCUS = "setfocus";
inline constexpr const char* DUI_MSGTYPE_KILLFOCUS = "killfocus";
inline constexpr const char* DUI_MSGTYPE_RETURN = "return";
inline constexpr const char* DUI_MSGTYPE_TEXTCHANGED = "textchanged";
inline constexpr const char* DUI_MSGTYPE_MENU = "menu";
inline constexpr const char* DUI_MSGTYPE_DROPDOWN = "dropdown";
inline constexpr const char* DUI_MSGTYPE_TABSELECT = "tabselect";

// Receives notifications (windows, pumps).
class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees a window's messages before the paint manager handles them. Setting
// `handled` stops the message there with the returned result.
class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LResult MessageHandler(uint32_t message, WParam wParam, LParam lParam,
                                   bool& handled) = 0;
};

// Offered every layout tag the library does not know. Returns a new control
// (owned by the tree it is added to) or null.
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    virtual CControlUI* CreateControl(std::string_view className) = 0;
};

// Asked for the text of a language key that the language file lacks.
// Returns an empty string when it has none.
class IQueryControlText {
public:
    virtual ~IQueryControlText() = default;
    virtual std::string QueryControlText(std::string_view key, std::string_view type) = 0;
};

}  // namespace warden
