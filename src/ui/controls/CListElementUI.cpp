#include "ui/controls/CListElementUI.h"

#include "ui/CPaintManagerUI.h"

namespace warden {

bool ListItemState::Select(bool select, bool triggerEvent) {
    if (!m_self.IsEnabled()) return false;
    if (triggerEvent && m_pOwner) {
        if (select) return m_pOwner->SelectItem(m_iIndex, false, true);
        return m_pOwner->UnSelectItem(m_iIndex);
    }
    m_bSelected = select;
    m_self.Invalidate();
    return true;
}

bool ListItemState::SelectMulti(bool select) {
    if (!m_self.IsEnabled()) return false;
    m_bSelected = select;
    m_self.Invalidate();
    return true;
}

bool ListItemState::ActivateRow() {
    if (!m_self.IsVisible() || !m_self.IsEnabled()) return false;
    if (CPaintManagerUI* manager = m_self.GetManager())
        manager->SendNotify(&m_self, DUI_MSGTYPE_ITEMACTIVATE);
    return true;
}

bool ListItemState::HandleEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_DBLCLICK:
            if (m_self.IsEnabled()) m_self.Activate();
            return true;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_RETURN && m_self.IsEnabled()) {
                m_self.Activate();
                return true;
            }
            return false;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN:
            if (m_self.IsEnabled() && m_pOwner) {
                if ((event.wKeyState & MK_CONTROL) != 0)
                    m_pOwner->SelectMultiItem(m_iIndex);
                else
                    m_pOwner->SelectItem(m_iIndex, true);
            }
            return true;
        case UIEVENT_BUTTONUP:
            if (m_self.IsEnabled() && m_self.GetManager())
                m_self.GetManager()->SendNotify(&m_self, DUI_MSGTYPE_ITEMCLICK);
            return true;
        case UIEVENT_MOUSEMOVE:
            return true;
        case UIEVENT_MOUSEENTER:
            if (m_self.IsEnabled()) {
                m_bHot = true;
                m_self.Invalidate();
            }
            return true;
        case UIEVENT_MOUSELEAVE:
            m_bHot = false;
            m_self.Invalidate();
            return true;
        default:
            return false;
    }
}

void ListItemState::PaintRowBackground(Painter& painter) {
    if (!m_pOwner) return;
    TListInfoUI* info = m_pOwner->GetListInfo();
    const Rect& rc = m_self.GetPos();
    Color color = info->dwBkColor;
    const std::string* image = &info->sBkImage;
    if (m_bSelected) {
        if (info->dwSelectedBkColor) color = info->dwSelectedBkColor;
        if (!info->sSelectedImage.empty()) image = &info->sSelectedImage;
    } else if (m_bHot) {
        if (info->dwHotBkColor) color = info->dwHotBkColor;
        if (!info->sHotImage.empty()) image = &info->sHotImage;
    }
    if (color) painter.FillRect(rc, color);
    if (!image->empty() && m_self.GetManager())
        m_self.GetManager()->DrawImageString(painter, rc, rc, *image);
}

std::string_view CListLabelElementUI::GetClass() const {
    return "ListLabelElement";
}

void* CListLabelElementUI::GetInterface(std::string_view name) {
    if (name == "ListLabelElement") return this;
    if (name == "ListItem") return static_cast<IListItemUI*>(this);
    return CLabelUI::GetInterface(name);
}

bool CListLabelElementUI::Activate() {
    return ActivateRow();
}

Size CListLabelElementUI::EstimateSize(Size available) {
    Size size = CLabelUI::EstimateSize(available);
    if (size.cy == 0 && m_pManager) {
        int font = GetOwner() ? GetOwner()->GetListInfo()->nFont : m_iFont;
        size.cy = m_pManager->GetFont(font).size + m_pManager->Scale(8);
    }
    return size;
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) {
        if (GetOwner())
            GetOwner()->DoEvent(event);
        else
            CLabelUI::DoEvent(event);
        return;
    }
    if (HandleEvent(event)) return;
    if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS ||
        event.Type == UIEVENT_TIMER || event.Type == UIEVENT_CONTEXTMENU) {
        CLabelUI::DoEvent(event);
        return;
    }
    if (GetOwner())
        GetOwner()->DoEvent(event);
    else
        CLabelUI::DoEvent(event);
}

void CListLabelElementUI::PaintStatusImage(Painter& painter) {
    PaintRowBackground(painter);
}

void CListLabelElementUI::PaintText(Painter& painter) {
    if (!GetOwner() || !m_pManager) {
        CLabelUI::PaintText(painter);
        return;
    }
    TListInfoUI* info = GetOwner()->GetListInfo();
    Color color = info->dwTextColor ? info->dwTextColor : CurrentTextColor();
    if (!IsEnabled() && info->dwDisabledTextColor)
        color = info->dwDisabledTextColor;
    else if (IsSelected() && info->dwSelectedTextColor)
        color = info->dwSelectedTextColor;
    else if (IsHot() && info->dwHotTextColor)
        color = info->dwHotTextColor;
    std::string text = GetText();
    if (text.empty()) return;
    Rect pad = m_pManager->Scale(info->rcTextPadding);
    Rect area{m_rcItem.left + pad.left, m_rcItem.top + pad.top, m_rcItem.right - pad.right,
              m_rcItem.bottom - pad.bottom};
    painter.DrawText(area, text, m_pManager->GetFont(info->nFont), color, info->uTextStyle);
}

std::string_view CListContainerElementUI::GetClass() const {
    return "ListContainerElement";
}

void* CListContainerElementUI::GetInterface(std::string_view name) {
    if (name == "ListContainerElement") return this;
    if (name == "ListItem") return static_cast<IListItemUI*>(this);
    return CContainerUI::GetInterface(name);
}

bool CListContainerElementUI::Activate() {
    return ActivateRow();
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL) {
        if (GetOwner())
            GetOwner()->DoEvent(event);
        else
            CContainerUI::DoEvent(event);
        return;
    }
    if (HandleEvent(event)) return;
    if (event.Type == UIEVENT_SETFOCUS || event.Type == UIEVENT_KILLFOCUS ||
        event.Type == UIEVENT_TIMER || event.Type == UIEVENT_CONTEXTMENU) {
        CContainerUI::DoEvent(event);
        return;
    }
    if (GetOwner())
        GetOwner()->DoEvent(event);
    else
        CContainerUI::DoEvent(event);
}

void CListContainerElementUI::PaintStatusImage(Painter& painter) {
    PaintRowBackground(painter);
}

}  // namespace warden
