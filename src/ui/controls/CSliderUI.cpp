#include "ui/controls/CSliderUI.h"

#include <algorithm>

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/CButtonUI.h"

namespace warden {

CSliderUI::CSliderUI() {
    m_uTextStyle = kDtSingleLine | kDtCenter;
}

std::string_view CSliderUI::GetClass() const {
    return "Slider";
}

void* CSliderUI::GetInterface(std::string_view name) {
    return name == "Slider" ? this : CProgressUI::GetInterface(name);
}

void CSliderUI::SetEnabled(bool enabled) {
    CProgressUI::SetEnabled(enabled);
    if (!enabled) m_uButtonState = 0;
}

Rect CSliderUI::GetThumbRect() const {
    Size thumb = m_pManager ? m_pManager->Scale(m_szThumb) : m_szThumb;
    int range = m_nMax - m_nMin;
    int64_t share = m_nValue - m_nMin;
    if (m_bHorizontal) {
        int travel = m_rcItem.Width() - thumb.cx;
        int left = m_rcItem.left + (range > 0 ? static_cast<int>(share * travel / range) : 0);
        int top = (m_rcItem.top + m_rcItem.bottom - thumb.cy) / 2;
        return {left, top, left + thumb.cx, top + thumb.cy};
    }
    int travel = m_rcItem.Height() - thumb.cy;
    int top =
        m_rcItem.bottom - thumb.cy - (range > 0 ? static_cast<int>(share * travel / range) : 0);
    int left = (m_rcItem.left + m_rcItem.right - thumb.cx) / 2;
    return {left, top, left + thumb.cx, top + thumb.cy};
}

int CSliderUI::ValueAt(Point pt) const {
    Size thumb = m_pManager ? m_pManager->Scale(m_szThumb) : m_szThumb;
    int range = m_nMax - m_nMin;
    int64_t travel;
    int64_t offset;
    if (m_bHorizontal) {
        travel = m_rcItem.Width() - thumb.cx;
        offset = pt.x - m_rcItem.left - thumb.cx / 2;
    } else {
        travel = m_rcItem.Height() - thumb.cy;
        offset = m_rcItem.bottom - thumb.cy / 2 - pt.y;
    }
    if (travel <= 0) return m_nMin;
    offset = std::clamp<int64_t>(offset, 0, travel);
    // Rounded to the nearest value, then to the change step.
    int value = m_nMin + static_cast<int>((offset * range + travel / 2) / travel);
    if (m_nStep > 1) value = m_nMin + (value - m_nMin + m_nStep / 2) / m_nStep * m_nStep;
    return std::clamp(value, m_nMin, m_nMax);
}

void CSliderUI::DoEvent(TEventUI& event) {
    if (ForwardMouseIfDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!IsEnabled()) return;
            m_uButtonState |= UISTATE_CAPTURED;
            if (!GetThumbRect().Contains(event.ptMouse)) {
                int old = m_nValue;
                SetValue(ValueAt(event.ptMouse));
                if (m_pManager && old != m_nValue)
                    m_pManager->SendNotify(this, DUI_MSGTYPE_MOVEVALUECHANGED);
            }
            Invalidate();
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_uButtonState & UISTATE_CAPTURED) {
                int old = m_nValue;
                SetValue(ValueAt(event.ptMouse));
                if (m_pManager && old != m_nValue)
                    m_pManager->SendNotify(this, DUI_MSGTYPE_MOVEVALUECHANGED);
            }
            return;
        case UIEVENT_BUTTONUP:
            if (m_uButtonState & UISTATE_CAPTURED) {
                m_uButtonState &= ~UISTATE_CAPTURED;
                SetValue(ValueAt(event.ptMouse));
                if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED);
                Invalidate();
            }
            return;
        case UIEVENT_SCROLLWHEEL: {
            if (!IsEnabled()) return;
            int delta = static_cast<int16_t>((event.wParam >> 16) & 0xFFFF);
            SetValue(m_nValue + (delta > 0 ? m_nStep : -m_nStep));
            if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_VALUECHANGED);
            return;
        }
        case UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                m_uButtonState |= UISTATE_HOT;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
            return;
        default:
            CProgressUI::DoEvent(event);
    }
}

void CSliderUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "step") {
        if (auto v = ParseInt(value)) SetChangeStep(*v);
    } else if (name == "thumbsize") {
        if (auto s = ParseSize(value); s && s->cx >= 0 && s->cy >= 0) SetThumbSize(*s);
    } else if (name == "thumbimage") {
        SetThumbImage(value);
    } else if (name == "thumbhotimage") {
        m_sThumbHotImage = value;
    } else if (name == "thumbpushedimage") {
        m_sThumbPushedImage = value;
    } else {
        CProgressUI::SetAttribute(name, value);
    }
}

void CSliderUI::PaintStatusImage(Painter& painter) {
    CProgressUI::PaintStatusImage(painter);
    if (!m_pManager) return;
    Rect thumb = GetThumbRect();
    const std::string* image = &m_sThumbImage;
    if ((m_uButtonState & UISTATE_CAPTURED) && !m_sThumbPushedImage.empty())
        image = &m_sThumbPushedImage;
    else if ((m_uButtonState & UISTATE_HOT) && !m_sThumbHotImage.empty())
        image = &m_sThumbHotImage;
    if (!image->empty()) m_pManager->DrawImageString(painter, thumb, thumb, *image);
}

}  // namespace warden
