#include "ui/controls/CProgressUI.h"

#include <algorithm>

#include "platform/Text.h"
#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"

namespace warden {

CProgressUI::CProgressUI() {
    m_uTextStyle = kDtSingleLine | kDtCenter | kDtVCenter;
}

std::string_view CProgressUI::GetClass() const {
    return "Progress";
}

void* CProgressUI::GetInterface(std::string_view name) {
    return name == "Progress" ? this : CLabelUI::GetInterface(name);
}

void CProgressUI::SetHorizontal(bool horizontal) {
    m_bHorizontal = horizontal;
    Invalidate();
}

void CProgressUI::SetMinValue(int minValue) {
    if (minValue > m_nMax) return;
    m_nMin = minValue;
    m_nValue = std::clamp(m_nValue, m_nMin, m_nMax);
    Invalidate();
}

void CProgressUI::SetMaxValue(int maxValue) {
    if (maxValue < m_nMin) return;
    m_nMax = maxValue;
    m_nValue = std::clamp(m_nValue, m_nMin, m_nMax);
    Invalidate();
}

void CProgressUI::SetValue(int value) {
    value = std::clamp(value, m_nMin, m_nMax);
    if (value == m_nValue) return;
    m_nValue = value;
    Invalidate();
}

void CProgressUI::SetForeImage(std::string_view image) {
    m_sForeImage = image;
    Invalidate();
}

void CProgressUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "hor") {
        if (auto b = ParseBool(value)) SetHorizontal(*b);
    } else if (name == "min") {
        if (auto v = ParseInt(value)) SetMinValue(*v);
    } else if (name == "max") {
        if (auto v = ParseInt(value)) SetMaxValue(*v);
    } else if (name == "value") {
        if (auto v = ParseInt(value)) SetValue(*v);
    } else if (name == "foreimage") {
        SetForeImage(value);
    } else if (name == "forecolor") {
        if (auto c = ParseColor(value)) m_dwForeColor = *c;
    } else if (name == "isstretchfore") {
        if (auto b = ParseBool(value)) m_bStretchForeImage = *b;
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

Rect CProgressUI::FilledRect() const {
    Rect rc = m_rcItem;
    int range = m_nMax - m_nMin;
    if (range <= 0) return {};
    int64_t share = m_nValue - m_nMin;
    if (m_bHorizontal)
        rc.right = rc.left + static_cast<int>(share * m_rcItem.Width() / range);
    else
        rc.top = rc.bottom - static_cast<int>(share * m_rcItem.Height() / range);
    return rc;
}

void CProgressUI::PaintStatusImage(Painter& painter) {
    Rect filled = FilledRect();
    if (filled.IsEmpty()) return;
    if (m_dwForeColor) painter.FillRect(filled, m_dwForeColor);
    if (m_sForeImage.empty() || !m_pManager) return;
    if (m_bStretchForeImage) {
        m_pManager->DrawImageString(painter, filled, filled, m_sForeImage);
    } else {
        // The image keeps its place; only the covered part shows.
        m_pManager->DrawImageString(painter, m_rcItem, filled, m_sForeImage);
    }
}

}  // namespace warden
