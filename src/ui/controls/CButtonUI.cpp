#include "ui/controls/CButtonUI.h"

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"

namespace warden {

CButtonUI::CButtonUI() {
    m_uTextStyle = kDtSingleLine | kDtVCenter | kDtCenter;
}

std::string_view CButtonUI::GetClass() const {
    return "Button";
}

void* CButtonUI::GetInterface(std::string_view name) {
    return name == "Button" ? this : CLabelUI::GetInterface(name);
}

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_CLICK);
    return true;
}

void CButtonUI::SetEnabled(bool enabled) {
    CControlUI::SetEnabled(enabled);
    if (!enabled) m_uButtonState = 0;
}

void CButtonUI::SetNormalImage(std::string_view image) {
    m_sNormalImage = image;
    Invalidate();
}
void CButtonUI::SetHotImage(std::string_view image) {
    m_sHotImage = image;
    Invalidate();
}
void CButtonUI::SetPushedImage(std::string_view image) {
    m_sPushedImage = image;
    Invalidate();
}
void CButtonUI::SetDisabledImage(std::string_view image) {
    m_sDisabledImage = image;
    Invalidate();
}

void CButtonUI::DoEvent(TEventUI& event) {
    if (ForwardMouseIfDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            CLabelUI::DoEvent(event);
            return;
        case UIEVENT_KEYDOWN:
            if (IsKeyboardEnabled() && IsEnabled() &&
                (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (m_rcItem.Contains(event.ptMouse) && IsEnabled()) {
                m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uButtonState & UISTATE_CAPTURED) {
                if (m_rcItem.Contains(event.ptMouse))
                    m_uButtonState |= UISTATE_PUSHED;
                else
                    m_uButtonState &= ~UISTATE_PUSHED;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                bool inside = m_rcItem.Contains(event.ptMouse);
                m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
                Invalidate();
                if (inside) Activate();
            }
            return;
        case UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                m_uButtonState |= UISTATE_HOT;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            if (IsEnabled()) {
                m_uButtonState &= ~UISTATE_HOT;
                Invalidate();
            }
            return;
        case UIEVENT_SETCURSOR:
            return;
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "normalimage") {
        SetNormalImage(value);
    } else if (name == "hotimage") {
        SetHotImage(value);
    } else if (name == "pushedimage") {
        SetPushedImage(value);
    } else if (name == "focusedimage") {
        m_sFocusedImage = value;
    } else if (name == "disabledimage") {
        SetDisabledImage(value);
    } else if (name == "foreimage") {
        m_sForeImage = value;
    } else if (name == "hottextcolor") {
        if (auto c = ParseColor(value)) m_dwHotTextColor = *c;
    } else if (name == "pushedtextcolor") {
        if (auto c = ParseColor(value)) m_dwPushedTextColor = *c;
    } else if (name == "hotbkcolor") {
        if (auto c = ParseColor(value)) m_dwHotBkColor = *c;
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CButtonUI::PaintText(Painter& painter) {
    Color color = CurrentTextColor();
    if (IsEnabled()) {
        if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor)
            color = m_dwPushedTextColor;
        else if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor)
            color = m_dwHotTextColor;
    }
    PaintTextIn(painter, m_rcItem, color);
}

void CButtonUI::PaintStatusImage(Painter& painter) {
    // The first image that exists for the state wins; the normal image is the fallback.
    const std::string* image = &m_sNormalImage;
    if (!IsEnabled()) {
        if (!m_sDisabledImage.empty()) image = &m_sDisabledImage;
    } else if (m_uButtonState & UISTATE_PUSHED) {
        if (!m_sPushedImage.empty())
            image = &m_sPushedImage;
        else if (!m_sHotImage.empty())
            image = &m_sHotImage;
    } else if (m_uButtonState & UISTATE_HOT) {
        if (m_dwHotBkColor) painter.FillRect(m_rcItem, m_dwHotBkColor);
        if (!m_sHotImage.empty()) image = &m_sHotImage;
    } else if (IsFocused() && !m_sFocusedImage.empty()) {
        image = &m_sFocusedImage;
    }
    DrawImage(painter, *image);
    if (!m_sForeImage.empty()) DrawImage(painter, m_sForeImage);
}

}  // namespace warden
