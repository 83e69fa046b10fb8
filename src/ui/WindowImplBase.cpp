#include "ui/WindowImplBase.h"

#include "platform/Text.h"
#include "platform/Trace.h"
#include "ui/CDialogBuilder.h"
#include "ui/controls/CControlUI.h"

namespace warden {

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() = default;

void WindowImplBase::Notify(TNotifyUI& msg) {
    if (NotifyPump(msg)) return;
    if (msg.sType == DUI_MSGTYPE_CLICK) OnClick(msg);
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return;
    const std::string& name = msg.pSender->GetName();
    if (name == "closebtn") {
        Close(IDOK);
    } else if (name == "minbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == "maxbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (name == "restorebtn") {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

CControlUI* WindowImplBase::CreateControl(std::string_view) {
    return nullptr;
}

std::string WindowImplBase::QueryControlText(std::string_view, std::string_view) {
    return {};
}

bool WindowImplBase::ResponseDefaultKeyEvent(WParam wParam) {
    if (wParam == VK_ESCAPE) {
        Close(IDCANCEL);
        return true;
    }
    return false;
}

LResult WindowImplBase::MessageHandler(uint32_t message, WParam wParam, LParam, bool& handled) {
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE))
        handled = ResponseDefaultKeyEvent(wParam);
    return 0;
}

LResult WindowImplBase::HandleCustomMessage(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnCreate(uint32_t, WParam, LParam, bool& handled) {
    handled = true;
    m_pm.Init(this, GetWindowClassName());
    CDialogBuilder builder;
    CControlUI* root = builder.Create(GetSkinFolder() + GetSkinFile(), this, &m_pm);
    if (!root) {
        Trace("%s: layout %s not built\n", GetWindowClassName().c_str(), GetSkinFile().c_str());
    } else {
        m_pm.AttachDialog(root);
    }
    m_pm.AddNotifier(this);
    m_pm.AddMessageFilter(this);
    Size init = m_pm.GetInitSize();
    if (init.cx > 0 && init.cy > 0) ResizeClient(init.cx, init.cy);
    InitWindow();
    return 0;
}

LResult WindowImplBase::OnClose(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnDestroy(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnSize(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnGetMinMaxInfo(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnLButtonDown(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnLButtonUp(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnMouseMove(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnKillFocus(uint32_t, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnSysCommand(uint32_t message, WParam wParam, LParam lParam,
                                     bool& handled) {
    handled = true;
    NativeWindow* native = GetNative();
    bool wasMaximized = native && native->IsMaximized();
    LResult result = CWindowWnd::HandleMessage(message, wParam, lParam);
    native = GetNative();
    if (native && native->IsMaximized() != wasMaximized) {
        bool maximized = native->IsMaximized();
        if (CControlUI* max = m_pm.FindControl("maxbtn")) max->SetVisible(!maximized);
        if (CControlUI* restore = m_pm.FindControl("restorebtn")) restore->SetVisible(maximized);
    }
    return result;
}

LResult WindowImplBase::HandleMessage(uint32_t message, WParam wParam, LParam lParam) {
    bool handled = false;
    LResult result = 0;
    switch (message) {
        case WM_CREATE:
            result = OnCreate(message, wParam, lParam, handled);
            break;
        case WM_CLOSE:
            result = OnClose(message, wParam, lParam, handled);
            break;
        case WM_DESTROY:
            result = OnDestroy(message, wParam, lParam, handled);
            break;
        case WM_SIZE:
            result = OnSize(message, wParam, lParam, handled);
            break;
        case WM_GETMINMAXINFO:
            result = OnGetMinMaxInfo(message, wParam, lParam, handled);
            break;
        case WM_LBUTTONDOWN:
            result = OnLButtonDown(message, wParam, lParam, handled);
            break;
        case WM_LBUTTONUP:
            result = OnLButtonUp(message, wParam, lParam, handled);
            break;
        case WM_MOUSEMOVE:
            result = OnMouseMove(message, wParam, lParam, handled);
            break;
        case WM_KILLFOCUS:
            result = OnKillFocus(message, wParam, lParam, handled);
            break;
        case WM_SYSCOMMAND:
            result = OnSysCommand(message, wParam, lParam, handled);
            break;
        default:
            break;
    }
    if (handled) return result;
    result = HandleCustomMessage(message, wParam, lParam, handled);
    if (handled) return result;
    if (m_pm.MessageHandler(message, wParam, lParam, result)) return result;
    return CWindowWnd::HandleMessage(message, wParam, lParam);
}

void WindowImplBase::OnPaint(Painter& painter, const Rect& dirty) {
    m_pm.Paint(painter, dirty);
}

void WindowImplBase::OnFinalMessage(WindowHandle) {
    m_pm.RemoveNotifier(this);
    m_pm.RemoveMessageFilter(this);
    m_pm.RemoveAllTimers();
}

}  // namespace warden
