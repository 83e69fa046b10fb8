#include "ui/controls/CComboWnd.h"

#include <algorithm>

#include "ui/controls/CComboUI.h"
#include "ui/controls/CLinearLayoutUI.h"

namespace warden {

CComboWnd* CComboWnd::Open(CComboUI* owner) {
    CPaintManagerUI* manager = owner->GetManager();
    CWindowWnd* parent = manager ? manager->GetPaintWindow() : nullptr;
    if (!parent || !parent->GetHWND()) return nullptr;
    auto* wnd = new CComboWnd(owner);
    Rect origin = parent->GetWindowRect();
    const Rect& pos = owner->GetPos();
    int height = manager->Scale(owner->GetDropBoxHeight());
    Rect rc{origin.left + pos.left, origin.top + pos.bottom, origin.left + pos.right,
            origin.top + pos.bottom + height};
    if (!wnd->Create(parent->GetHWND(), "", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, rc)) {
        delete wnd;
        return nullptr;
    }
    wnd->m_pm.Init(wnd, "combo");
    wnd->m_pm.SetDPI(manager->GetDPI());
    wnd->m_pLayout = new CVerticalLayoutUI;
    wnd->m_pLayout->SetAutoDestroy(false);
    wnd->m_pLayout->EnableScrollBar(true);
    wnd->m_pLayout->SetBkColor(0xFFFFFFFFu);
    wnd->m_pm.AttachDialog(wnd->m_pLayout);
    for (int i = 0; i < owner->CContainerUI::GetCount(); ++i) {
        CControlUI* row = owner->CContainerUI::GetItemAt(i);
        wnd->m_pLayout->Add(row);
        row->SetInternVisible(true);
    }
    wnd->m_pm.AddNotifier(wnd);
    wnd->ShowWindow(true, true);
    return wnd;
}

std::string CComboWnd::GetWindowClassName() const {
    return "ComboWnd";
}

void CComboWnd::ReturnRows() {
    if (!m_pOwner || !m_pLayout) return;
    m_pLayout->RemoveAll();
    CPaintManagerUI* manager = m_pOwner->GetManager();
    for (int i = 0; i < m_pOwner->CContainerUI::GetCount(); ++i) {
        CControlUI* row = m_pOwner->CContainerUI::GetItemAt(i);
        if (manager)
            manager->InitControls(row, m_pOwner);
        else
            row->SetManager(nullptr, m_pOwner, false);
        row->SetInternVisible(false);
    }
    m_pOwner->OnDropWindowGone();
    m_pOwner = nullptr;
}

void CComboWnd::CloseFor(CComboUI* owner) {
    if (owner != m_pOwner) return;
    ReturnRows();
    DestroyWindow();
}

void CComboWnd::Notify(TNotifyUI&) {}

LResult CComboWnd::HandleMessage(uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
        case WM_CLOSE:
            ReturnRows();
            DestroyWindow();
            return 0;
        case WM_KILLFOCUS:
            PostMessage(WM_CLOSE);
            return 0;
        case WM_ACTIVATE:
            if (wParam == 0) PostMessage(WM_CLOSE);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                PostMessage(WM_CLOSE);
                return 0;
            }
            break;
        default:
            break;
    }
    LResult result = 0;
    if (m_pm.MessageHandler(message, wParam, lParam, result)) return result;
    return CWindowWnd::HandleMessage(message, wParam, lParam);
}

void CComboWnd::OnPaint(Painter& painter, const Rect& dirty) {
    m_pm.Paint(painter, dirty);
}

void CComboWnd::OnFinalMessage(WindowHandle) {
    ReturnRows();
    delete this;
}

}  // namespace warden
