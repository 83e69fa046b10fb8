// CPaintManagerUI: window messages turned into control events.

#include "platform/Trace.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CWindowWnd.h"
#include "ui/Host.h"
#include "ui/controls/CControlUI.h"

namespace warden {

bool CPaintManagerUI::MessageHandler(uint32_t message, WParam wParam, LParam lParam,
                                     LResult& result) {
    std::vector<IMessageFilterUI*> filters = m_filters;
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        LResult r = filter->MessageHandler(message, wParam, lParam, handled);
        if (handled) {
            result = r;
            FlushAsyncNotify();
            CleanupDelayed();
            return true;
        }
    }
    bool handled = false;
    switch (message) {
        case kMsgFlushNotify:
            handled = true;
            break;
        case WM_SIZE:
            m_bUpdateNeeded = true;
            if (m_pRoot) {
                m_pRoot->NeedUpdate();
                SendNotify(m_pRoot, DUI_MSGTYPE_WINDOWSIZE, wParam, lParam);
            }
            Invalidate();
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
        case WM_MOUSELEAVE:
        case WM_CONTEXTMENU:
            DispatchMouse(message, wParam, lParam);
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            DispatchKey(message, wParam, lParam);
            break;
        case WM_KILLFOCUS:
            if (m_pEventClick) {
                // The window lost the input: end the press without a click.
                m_pEventClick = nullptr;
                ReleaseCapture();
            }
            break;
        default:
            break;
    }
    FlushAsyncNotify();
    CleanupDelayed();
    if (handled) result = 0;
    return handled;
}

void CPaintManagerUI::UpdateHot(Point pt, WParam wParam) {
    CControlUI* hot = FindControl(pt);
    if (hot == m_pEventHover) return;
    if (CControlUI* old = m_pEventHover) {
        m_pEventHover = nullptr;
        TEventUI event = MakeEvent(UIEVENT_MOUSELEAVE, old, pt, wParam, 0);
        event.wKeyState = static_cast<uint16_t>(wParam);
        old->Event(event);
    }
    m_pEventHover = hot;
    if (hot) {
        TEventUI event = MakeEvent(UIEVENT_MOUSEENTER, hot, pt, wParam, 0);
        event.wKeyState = static_cast<uint16_t>(wParam);
        hot->Event(event);
    }
    if (m_pWindow && m_pWindow->GetNative()) {
        int cursor =
            m_pEventHover && m_pEventHover->GetCursor() ? m_pEventHover->GetCursor() : kCursorArrow;
        m_pWindow->GetNative()->SetCursor(cursor);
    }
}

void CPaintManagerUI::DispatchMouse(uint32_t message, WParam wParam, LParam lParam) {
    Point pt{LParamX(lParam), LParamY(lParam)};
    if (message != WM_MOUSEWHEEL && message != WM_MOUSELEAVE) m_ptLastMouse = pt;
    auto deliver = [&](CControlUI* control, int type) {
        if (!control) return;
        TEventUI event = MakeEvent(type, control, m_ptLastMouse, wParam, lParam);
        event.wKeyState = static_cast<uint16_t>(wParam & 0xFFFF);
        control->Event(event);
    };
    switch (message) {
        case WM_MOUSEMOVE:
            UpdateHot(pt, wParam);
            deliver(m_pEventClick ? m_pEventClick : m_pEventHover, UIEVENT_MOUSEMOVE);
            break;
        case WM_MOUSELEAVE:
            if (CControlUI* old = m_pEventHover) {
                m_pEventHover = nullptr;
                deliver(old, UIEVENT_MOUSELEAVE);
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            CControlUI* control = FindControl(pt);
            if (!control) break;
            m_pEventClick = control;
            control->SetFocus();
            SetCapture();
            // SetFocus may have run handlers that removed the control.
            if (m_pEventClick)
                deliver(m_pEventClick,
                        message == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK);
            break;
        }
        case WM_LBUTTONUP: {
            CControlUI* control = m_pEventClick;
            ReleaseCapture();
            m_pEventClick = nullptr;
            deliver(control, UIEVENT_BUTTONUP);
            break;
        }
        case WM_RBUTTONDOWN: {
            CControlUI* control = FindControl(pt);
            if (!control) break;
            control->SetFocus();
            if (FindControl(pt) == control) deliver(control, UIEVENT_RBUTTONDOWN);
            break;
        }
        case WM_RBUTTONUP:
            deliver(FindControl(pt), UIEVENT_RBUTTONUP);
            break;
        case WM_CONTEXTMENU:
            deliver(FindControl(pt), UIEVENT_CONTEXTMENU);
            break;
        case WM_MOUSEWHEEL:
            deliver(FindControl(pt), UIEVENT_SCROLLWHEEL);
            break;
        default:
            break;
    }
}

void CPaintManagerUI::DispatchKey(uint32_t message, WParam wParam, LParam lParam) {
    if (!m_pFocus) return;
    int type = message == WM_KEYDOWN ? UIEVENT_KEYDOWN
               : message == WM_KEYUP ? UIEVENT_KEYUP
                                     : UIEVENT_CHAR;
    TEventUI event = MakeEvent(type, m_pFocus, m_ptLastMouse, wParam, lParam);
    event.chKey = static_cast<uint32_t>(wParam);
    if (Host* host = GetHost()) {
        if (host->IsKeyDown(VK_CONTROL)) event.wKeyState |= MK_CONTROL;
        if (host->IsKeyDown(VK_SHIFT)) event.wKeyState |= MK_SHIFT;
    }
    m_pFocus->Event(event);
}

}  // namespace warden
