#include "ui/controls/CScrollBarUI.h"

#include <algorithm>

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/CContainerUI.h"

namespace warden {

CScrollBarUI::CScrollBarUI(CContainerUI* owner) : m_owner(owner) {
    m_cxyFixed.cx = 8;
}

std::string_view CScrollBarUI::GetClass() const {
    return "ScrollBar";
}

void* CScrollBarUI::GetInterface(std::string_view name) {
    return name == "ScrollBar" ? this : CControlUI::GetInterface(name);
}

void CScrollBarUI::SetScrollRange(int range) {
    m_range = std::max(0, range);
    m_pos = std::clamp(m_pos, 0, m_range);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos) {
    pos = std::clamp(pos, 0, m_range);
    if (pos == m_pos) return;
    m_pos = pos;
    Invalidate();
}

Rect CScrollBarUI::GetThumbRect() const {
    int track = m_rcItem.Height();
    if (m_range <= 0 || track <= 0) return {};
    int view = track;
    int thumb = std::max(track * view / (view + m_range), std::min(track, 16));
    int top =
        m_rcItem.top + static_cast<int>(static_cast<int64_t>(track - thumb) * m_pos / m_range);
    return {m_rcItem.left, top, m_rcItem.right, top + thumb};
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            if (!IsEnabled() || m_range <= 0) return;
            Rect thumb = GetThumbRect();
            if (thumb.Contains(event.ptMouse)) {
                m_dragging = true;
                m_dragStartY = event.ptMouse.y;
                m_dragStartPos = m_pos;
            } else {
                // A click on the track pages towards the point.
                int page = m_rcItem.Height();
                m_owner->SetScrollPos(m_pos + (event.ptMouse.y < thumb.top ? -page : page));
            }
            return;
        }
        case UIEVENT_MOUSEMOVE:
            if (m_dragging) {
                Rect thumb = GetThumbRect();
                int free = m_rcItem.Height() - thumb.Height();
                if (free > 0)
                    m_owner->SetScrollPos(m_dragStartPos +
                                          (event.ptMouse.y - m_dragStartY) * m_range / free);
            }
            return;
        case UIEVENT_BUTTONUP:
            m_dragging = false;
            return;
        case UIEVENT_SCROLLWHEEL:
            m_owner->DoEvent(event);
            return;
        default:
            CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "thumbcolor") {
        if (auto c = ParseColor(value)) m_thumbColor = *c;
    } else if (name == "thumbimage") {
        m_thumbImage = value;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CScrollBarUI::PaintStatusImage(Painter& painter) {
    Rect thumb = GetThumbRect();
    if (thumb.IsEmpty()) return;
    if (!m_thumbImage.empty() && m_pManager &&
        m_pManager->DrawImageString(painter, thumb, thumb, m_thumbImage))
        return;
    painter.FillRect(thumb, m_thumbColor);
}

}  // namespace warden
