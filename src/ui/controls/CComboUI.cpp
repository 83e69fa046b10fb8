#include "ui/controls/CComboUI.h"

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/CButtonUI.h"
#include "ui/controls/CComboWnd.h"
#include "ui/controls/ListInfoAttributes.h"

namespace warden {

CComboUI::CComboUI() {
    m_rcTextPadding = {4, 0, 4, 0};
}

CComboUI::~CComboUI() {
    if (m_pWindow) m_pWindow->CloseFor(this);
}

std::string_view CComboUI::GetClass() const {
    return "Combo";
}

void* CComboUI::GetInterface(std::string_view name) {
    if (name == "Combo") return this;
    if (name == "IListOwner") return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(name);
}

std::string CComboUI::GetText() const {
    CControlUI* row = GetItemAt(m_iCurSel);
    return row ? row->GetText() : std::string();
}

void CComboUI::Renumber(int from) {
    for (int i = std::max(0, from); i < GetCount(); ++i)
        if (auto* item = static_cast<IListItemUI*>(GetItemAt(i)->GetInterface("ListItem")))
            item->SetIndex(i);
}

bool CComboUI::SelectItem(int index, bool, bool triggerEvent) {
    if (m_pWindow) m_pWindow->PostMessage(WM_CLOSE);
    if (index == m_iCurSel) return true;
    CControlUI* row = GetItemAt(index);
    if (!row) return false;
    auto* item = static_cast<IListItemUI*>(row->GetInterface("ListItem"));
    if (!item) return false;
    int old = m_iCurSel;
    if (CControlUI* previous = GetItemAt(old))
        if (auto* prevItem = static_cast<IListItemUI*>(previous->GetInterface("ListItem")))
            prevItem->Select(false, false);
    m_iCurSel = index;
    item->Select(true, false);
    Invalidate();
    if (triggerEvent && m_pManager)
        m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WParam>(index),
                               static_cast<LParam>(old));
    return true;
}

bool CComboUI::SelectMultiItem(int index, bool takeFocus) {
    return SelectItem(index, takeFocus);
}

bool CComboUI::UnSelectItem(int index, bool) {
    if (index != m_iCurSel) return false;
    if (CControlUI* row = GetItemAt(index))
        if (auto* item = static_cast<IListItemUI*>(row->GetInterface("ListItem")))
            item->Select(false, false);
    m_iCurSel = -1;
    Invalidate();
    return true;
}

bool CComboUI::AddAt(CControlUI* control, int index) {
    if (m_pWindow) CloseDropDown();
    if (!CContainerUI::AddAt(control, index)) return false;
    if (auto* item = static_cast<IListItemUI*>(control->GetInterface("ListItem")))
        item->SetOwner(this);
    control->SetInternVisible(false);
    if (m_iCurSel >= index) ++m_iCurSel;
    Renumber(index);
    return true;
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy) {
    if (m_pWindow) CloseDropDown();
    if (!CContainerUI::RemoveAt(index, doNotDestroy)) return false;
    if (index == m_iCurSel)
        m_iCurSel = -1;
    else if (index < m_iCurSel)
        --m_iCurSel;
    Renumber(index);
    return true;
}

void CComboUI::RemoveAll() {
    if (m_pWindow) CloseDropDown();
    CContainerUI::RemoveAll();
    m_iCurSel = -1;
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate() || m_pWindow || GetCount() == 0) return false;
    m_pWindow = CComboWnd::Open(this);
    if (m_pWindow && m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_DROPDOWN);
    Invalidate();
    return m_pWindow != nullptr;
}

void CComboUI::CloseDropDown() {
    if (m_pWindow) m_pWindow->CloseFor(this);
}

void CComboUI::SetPos(const Rect& rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
}

CControlUI* CComboUI::FindControlAt(Point pt) {
    return CControlUI::FindControlAt(pt);
}

void CComboUI::DoEvent(TEventUI& event) {
    if (ForwardMouseIfDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
            if (IsEnabled() && m_rcItem.Contains(event.ptMouse)) {
                m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Activate();
            }
            return;
        case UIEVENT_BUTTONUP:
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            Invalidate();
            return;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_UP && m_iCurSel > 0)
                SelectItem(m_iCurSel - 1);
            else if (event.chKey == VK_DOWN && m_iCurSel + 1 < GetCount())
                SelectItem(m_iCurSel + 1);
            else if (event.chKey == VK_RETURN || event.chKey == VK_SPACE)
                Activate();
            return;
        case UIEVENT_SCROLLWHEEL: {
            if (!IsEnabled()) return;
            int delta = static_cast<int16_t>((event.wParam >> 16) & 0xFFFF);
            int next = m_iCurSel + (delta > 0 ? -1 : 1);
            if (next >= 0 && next < GetCount()) SelectItem(next);
            return;
        }
        case UIEVENT_MOUSEENTER:
            if (IsEnabled()) m_uButtonState |= UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_MOUSEMOVE:
            return;
        default:
            CContainerUI::DoEvent(event);
    }
}

void CComboUI::SetAttribute(std::string_view name, std::string_view value) {
    if (SetListInfoAttribute(m_ListInfo, name, value)) return;
    if (name == "dropboxsize") {
        if (auto s = ParseSize(value); s && s->cy > 0) m_dropHeight = s->cy;
    } else if (name == "textpadding") {
        if (auto r = ParseRect(value)) m_rcTextPadding = *r;
    } else if (name == "font") {
        if (auto v = ParseInt(value)) m_iFont = *v;
    } else if (name == "textcolor") {
        if (auto c = ParseColor(value)) m_dwTextColor = *c;
    } else if (name == "normalimage") {
        m_sNormalImage = value;
    } else if (name == "hotimage") {
        m_sHotImage = value;
    } else if (name == "pushedimage") {
        m_sPushedImage = value;
    } else if (name == "disabledimage") {
        m_sDisabledImage = value;
    } else if (name == "selectedid") {
        if (auto v = ParseInt(value)) SelectItem(*v, false, false);
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CComboUI::DoPaint(Painter& painter, const Rect& rcPaint) {
    if (!rcPaint.Intersects(m_rcItem)) return;
    PaintBkColor(painter);
    PaintBkImage(painter);
    const std::string* image = &m_sNormalImage;
    if (!IsEnabled() && !m_sDisabledImage.empty())
        image = &m_sDisabledImage;
    else if ((m_uButtonState & UISTATE_PUSHED) && !m_sPushedImage.empty())
        image = &m_sPushedImage;
    else if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.empty())
        image = &m_sHotImage;
    DrawImage(painter, *image);
    std::string text = GetText();
    if (!text.empty() && m_pManager) {
        Rect pad = m_pManager->Scale(m_rcTextPadding);
        Rect area{m_rcItem.left + pad.left, m_rcItem.top + pad.top, m_rcItem.right - pad.right,
                  m_rcItem.bottom - pad.bottom};
        Color color = m_dwTextColor ? m_dwTextColor
                      : IsEnabled() ? m_pManager->GetDefaultFontColor()
                                    : m_pManager->GetDefaultDisabledColor();
        painter.DrawText(area, text, m_pManager->GetFont(m_iFont), color,
                         kDtSingleLine | kDtVCenter | kDtEndEllipsis);
    }
    PaintBorder(painter);
}

}  // namespace warden
