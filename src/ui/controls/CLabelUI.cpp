#include "ui/controls/CLabelUI.h"

#include "platform/Text.h"
#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/Host.h"

namespace warden {

CLabelUI::CLabelUI() = default;

std::string_view CLabelUI::GetClass() const {
    return "Label";
}

void* CLabelUI::GetInterface(std::string_view name) {
    return name == "Label" ? this : CControlUI::GetInterface(name);
}

void CLabelUI::SetTextStyle(uint32_t style) {
    m_uTextStyle = style;
    Invalidate();
}

void CLabelUI::SetTextColor(Color color) {
    m_dwTextColor = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(Color color) {
    m_dwDisabledTextColor = color;
    Invalidate();
}

void CLabelUI::SetFont(int index) {
    m_iFont = index;
    Invalidate();
}

Rect CLabelUI::GetTextPadding() const {
    return m_pManager ? m_pManager->Scale(m_rcTextPadding) : m_rcTextPadding;
}

void CLabelUI::SetTextPadding(const Rect& padding) {
    m_rcTextPadding = padding;
    Invalidate();
}

Size CLabelUI::EstimateSize(Size available) {
    Size size = CControlUI::EstimateSize(available);
    if (m_bAutoCalcWidth && m_pManager && GetHost()) {
        Rect pad = GetTextPadding();
        size.cx = GetHost()->MeasureText(GetText(), m_pManager->GetFont(m_iFont)).cx + pad.left +
                  pad.right;
    }
    return size;
}

void CLabelUI::SetAttribute(std::string_view name, std::string_view value) {
    auto setAlign = [this](uint32_t clear, uint32_t set) {
        SetTextStyle((m_uTextStyle & ~clear) | set);
    };
    if (name == "align") {
        if (value == "left")
            setAlign(kDtCenter | kDtRight, kDtLeft);
        else if (value == "center")
            setAlign(kDtLeft | kDtRight, kDtCenter);
        else if (value == "right")
            setAlign(kDtLeft | kDtCenter, kDtRight);
    } else if (name == "valign") {
        if (value == "top")
            setAlign(kDtVCenter | kDtBottom, 0);
        else if (value == "vcenter" || value == "center")
            setAlign(kDtBottom, kDtVCenter);
        else if (value == "bottom")
            setAlign(kDtVCenter, kDtBottom);
    } else if (name == "endellipsis") {
        if (auto b = ParseBool(value)) setAlign(kDtEndEllipsis, *b ? kDtEndEllipsis : 0);
    } else if (name == "multiline") {
        if (auto b = ParseBool(value))
            setAlign(kDtSingleLine | kDtWordBreak, *b ? kDtWordBreak : kDtSingleLine);
    } else if (name == "font") {
        if (auto v = ParseInt(value)) SetFont(*v);
    } else if (name == "textcolor") {
        if (auto c = ParseColor(value)) SetTextColor(*c);
    } else if (name == "disabledtextcolor") {
        if (auto c = ParseColor(value)) SetDisabledTextColor(*c);
    } else if (name == "textpadding") {
        if (auto r = ParseRect(value)) SetTextPadding(*r);
    } else if (name == "autocalcwidth") {
        if (auto b = ParseBool(value)) m_bAutoCalcWidth = *b;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

Color CLabelUI::CurrentTextColor() const {
    if (!IsEnabled()) {
        if (m_dwDisabledTextColor) return m_dwDisabledTextColor;
        return m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AAu;
    }
    if (m_dwTextColor) return m_dwTextColor;
    return m_pManager ? m_pManager->GetDefaultFontColor() : 0xFF000000u;
}

void CLabelUI::PaintTextIn(Painter& painter, const Rect& rc, Color color) {
    std::string text = GetText();
    if (text.empty() || !m_pManager) return;
    Rect pad = GetTextPadding();
    Rect area{rc.left + pad.left, rc.top + pad.top, rc.right - pad.right, rc.bottom - pad.bottom};
    painter.DrawText(area, text, m_pManager->GetFont(m_iFont), color, m_uTextStyle);
}

void CLabelUI::PaintText(Painter& painter) {
    PaintTextIn(painter, m_rcItem, CurrentTextColor());
}

CTextUI::CTextUI() {
    m_uTextStyle = kDtWordBreak;
}

std::string_view CTextUI::GetClass() const {
    return "Text";
}

void* CTextUI::GetInterface(std::string_view name) {
    return name == "Text" ? this : CLabelUI::GetInterface(name);
}

}  // namespace warden
