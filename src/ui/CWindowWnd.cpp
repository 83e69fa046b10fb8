#include "ui/CWindowWnd.h"

#include "platform/Trace.h"
#include "ui/MessageQueue.h"

namespace warden {

struct CWindowWnd::ModalState {
    bool ended = false;
    uint32_t result = IDCANCEL;
};

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
    if (m_handle) {
        // Destroyed without DestroyWindow: stop taking messages at least.
        for (auto& [id, hostId] : m_timers)
            if (Host* host = GetHost()) host->StopTimer(hostId);
        MessageQueue::Instance().Unregister(m_handle);
    }
}

CWindowWnd* CWindowWnd::FromHandle(WindowHandle handle) {
    return MessageQueue::Instance().Find(handle);
}

WindowHandle CWindowWnd::Create(WindowHandle parent, std::string_view name, uint32_t style,
                                uint32_t exStyle, int x, int y, int cx, int cy) {
    return Create(parent, name, style, exStyle, Rect{x, y, x + cx, y + cy});
}

WindowHandle CWindowWnd::Create(WindowHandle parent, std::string_view name, uint32_t style,
                                uint32_t exStyle, const Rect& rect) {
    Host* host = GetHost();
    if (!host) {
        Trace("CWindowWnd::Create: no host for %s\n", GetWindowClassName().c_str());
        return 0;
    }
    if (m_handle) return m_handle;
    NativeWindowParams params;
    params.title = name;
    params.rect = rect;
    params.parent = parent;
    params.parentNative = FromHandle(parent);
    params.popup = (style & WS_CHILD) == 0;
    params.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
    params.topmost = (exStyle & WS_EX_TOPMOST) != 0;
    params.noActivate = (exStyle & WS_EX_NOACTIVATE) != 0;
    params.layered = (exStyle & WS_EX_LAYERED) != 0;
    m_native = host->CreateNativeWindow(*this, params);
    if (!m_native) {
        Trace("CWindowWnd::Create: host failed for %s\n", GetWindowClassName().c_str());
        return 0;
    }
    m_parent = parent;
    m_destroying = false;
    m_handle = MessageQueue::Instance().Register(this);
    OnNativeMessage(WM_CREATE, 0, 0);
    if (m_handle && (style & WS_VISIBLE)) ShowWindow(true, true);
    return m_handle;
}

void CWindowWnd::DestroyWindow() {
    if (!m_handle || m_destroying) return;
    m_destroying = true;
    WindowHandle handle = m_handle;
    // Senders waiting on this window are released before teardown starts.
    MessageQueue::Instance().BeginDestroy(handle);
    if (Host* host = GetHost())
        for (auto& [id, hostId] : m_timers) host->StopTimer(hostId);
    m_timers.clear();
    HandleMessage(WM_DESTROY, 0, 0);
    if (m_modal) {
        m_modal->ended = true;
        m_modal.reset();
    }
    if (CWindowWnd* owner = FromHandle(m_parent); owner && owner->GetNative())
        owner->GetNative()->SetEnabled(true);
    m_native.reset();
    MessageQueue::Instance().Unregister(handle);
    m_handle = 0;
    HandleMessage(WM_NCDESTROY, 0, 0);
    OnFinalMessage(handle);
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    if (!m_native) return;
    m_native->Show(show, takeFocus);
    HandleMessage(WM_SHOWWINDOW, show ? 1 : 0, 0);
}

uint32_t CWindowWnd::ShowModal() {
    Host* host = GetHost();
    if (!m_native || !host) return IDCANCEL;
    auto state = std::make_shared<ModalState>();
    m_modal = state;
    CWindowWnd* owner = FromHandle(m_parent);
    if (owner && owner->GetNative()) owner->GetNative()->SetEnabled(false);
    ShowWindow(true, true);
    MessageQueue& queue = MessageQueue::Instance();
    host->RunLoop([&] { return state->ended || queue.IsQuitPosted(); });
    if (!state->ended) {
        // The loop ended without Close (quit posted or host gave up): the
        // window goes away all the same, and the caller hears "cancelled".
        Trace("ShowModal: %s ended without Close\n", GetWindowClassName().c_str());
        if (owner && owner->GetNative()) owner->GetNative()->SetEnabled(true);
        WindowHandle handle = m_handle;
        if (handle) DestroyWindow();
    }
    return state->result;
}

void CWindowWnd::Close(uint32_t result) {
    if (!m_handle) return;
    PostMessage(WM_CLOSE, result, 0);
}

void CWindowWnd::CenterWindow() {
    Host* host = GetHost();
    if (!m_native || !host) return;
    Rect rc = m_native->GetRect();
    Rect area = host->GetWorkArea();
    if (CWindowWnd* owner = FromHandle(m_parent); owner && owner->GetNative())
        area = owner->GetWindowRect();
    int x = area.left + (area.Width() - rc.Width()) / 2;
    int y = area.top + (area.Height() - rc.Height()) / 2;
    Rect work = host->GetWorkArea();
    // Keep it on the screen.
    if (x + rc.Width() > work.right) x = work.right - rc.Width();
    if (y + rc.Height() > work.bottom) y = work.bottom - rc.Height();
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    m_native->SetRect({x, y, x + rc.Width(), y + rc.Height()});
}

void CWindowWnd::SetIcon(const std::string& path) {
    if (m_native && !m_native->SetIcon(path)) Trace("SetIcon: %s not loaded\n", path.c_str());
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    if (!m_native) return;
    Rect rc = m_native->GetRect();
    m_native->SetRect({rc.left, rc.top, rc.left + cx, rc.top + cy});
}

void CWindowWnd::MoveWindow(const Rect& screenRect) {
    if (m_native) m_native->SetRect(screenRect);
}

Rect CWindowWnd::GetWindowRect() const {
    return m_native ? m_native->GetRect() : Rect{};
}

Rect CWindowWnd::GetClientRect() const {
    Rect rc = GetWindowRect();
    return {0, 0, rc.Width(), rc.Height()};
}

bool CWindowWnd::IsVisible() const {
    return m_native && m_native->IsVisible();
}

bool CWindowWnd::SetTimer(uint32_t id, uint32_t periodMs) {
    Host* host = GetHost();
    if (!m_handle || !host) return false;
    KillTimer(id);
    WindowHandle handle = m_handle;
    uint64_t hostId = host->StartTimer(periodMs, [handle, id] {
        if (CWindowWnd* window = FromHandle(handle)) window->OnNativeMessage(WM_TIMER, id, 0);
    });
    if (hostId == 0) return false;
    m_timers[id] = hostId;
    return true;
}

void CWindowWnd::KillTimer(uint32_t id) {
    auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    if (Host* host = GetHost()) host->StopTimer(it->second);
    m_timers.erase(it);
}

LResult CWindowWnd::SendMessage(uint32_t message, WParam wParam, LParam lParam) {
    return MessageQueue::Instance().Send(m_handle, message, wParam, lParam);
}

bool CWindowWnd::PostMessage(uint32_t message, WParam wParam, LParam lParam) {
    return MessageQueue::Instance().Post(m_handle, message, wParam, lParam);
}

LResult CWindowWnd::OnNativeMessage(uint32_t message, WParam wParam, LParam lParam) {
    if (m_destroying && message != WM_DESTROY && message != WM_NCDESTROY) return 0;
    return HandleMessage(message, wParam, lParam);
}

void CWindowWnd::OnNativePaint(Painter& painter, const Rect& dirty) {
    if (!m_destroying) OnPaint(painter, dirty);
}

LResult CWindowWnd::HandleMessage(uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
        case WM_CLOSE:
            if (m_modal) m_modal->result = static_cast<uint32_t>(wParam);
            DestroyWindow();
            return 0;
        case WM_SYSCOMMAND:
            if (!m_native) return 0;
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    m_native->Minimize();
                    break;
                case SC_MAXIMIZE:
                    m_native->Maximize();
                    break;
                case SC_RESTORE:
                    m_native->Restore();
                    break;
                case SC_CLOSE:
                    PostMessage(WM_CLOSE, IDCANCEL, 0);
                    break;
                default:
                    break;
            }
            return 0;
        default:
            (void)lParam;
            return 0;
    }
}

void CWindowWnd::OnPaint(Painter&, const Rect&) {}

void CWindowWnd::OnFinalMessage(WindowHandle) {}

}  // namespace warden
