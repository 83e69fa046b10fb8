#include "ui/controls/CEditUI.h"

#include <algorithm>

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CWindowWnd.h"

namespace warden {
namespace {

// Number of UTF-8 code points.
size_t CountChars(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Drops the last UTF-8 code point.
void PopChar(std::string& text) {
    while (!text.empty()) {
        bool lead = (static_cast<unsigned char>(text.back()) & 0xC0) != 0x80;
        text.pop_back();
        if (lead) break;
    }
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x110000) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

CEditUI::CEditUI() {
    m_uTextStyle = kDtSingleLine | kDtVCenter | kDtLeft;
    m_cursor = 32513;  // I-beam
}

CEditUI::~CEditUI() {
    EndNativeInput();
}

void CEditUI::EndNativeInput() {
    if (m_bNativeInput && m_pManager && m_pManager->GetPaintWindow() &&
        m_pManager->GetPaintWindow()->GetNative())
        m_pManager->GetPaintWindow()->GetNative()->EndTextInput();
    m_bNativeInput = false;
}

std::string_view CEditUI::GetClass() const {
    return "Edit";
}

void* CEditUI::GetInterface(std::string_view name) {
    return name == "Edit" ? this : CLabelUI::GetInterface(name);
}

void CEditUI::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    Invalidate();
}

void CEditUI::SetPasswordMode(bool password) {
    m_bPasswordMode = password;
    Invalidate();
}

void CEditUI::SetRange(int minValue, int maxValue) {
    if (minValue > maxValue) return;
    m_minValue = minValue;
    m_maxValue = maxValue;
}

void CEditUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!enabled && IsFocused() && m_pManager) m_pManager->SetFocus(nullptr);
}

void CEditUI::ApplyUserText(std::string text) {
    if (m_bNumberOnly)
        text.erase(
            std::remove_if(text.begin(), text.end(), [](char c) { return c < '0' || c > '9'; }),
            text.end());
    while (m_iMaxChars > 0 && CountChars(text) > static_cast<size_t>(m_iMaxChars)) PopChar(text);
    if (text == m_sText) return;
    m_sText = std::move(text);
    Invalidate();
    if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_TEXTCHANGED);
}

void CEditUI::ClampToRange() {
    if (!m_minValue || !m_maxValue) return;
    auto value = ParseInt(m_sText);
    int clamped = value ? std::clamp(*value, *m_minValue, *m_maxValue) : *m_minValue;
    if (value && clamped == *value) return;
    ApplyUserText(std::to_string(clamped));
}

void CEditUI::DoEvent(TEventUI& event) {
    if (ForwardMouseIfDisabled(event)) return;
    switch (event.Type) {
        case UIEVENT_SETFOCUS: {
            CLabelUI::DoEvent(event);
            NativeWindow* native = m_pManager && m_pManager->GetPaintWindow()
                                       ? m_pManager->GetPaintWindow()->GetNative()
                                       : nullptr;
            if (native && !m_bReadOnly && IsEnabled())
                m_bNativeInput = native->BeginTextInput(
                    m_rcItem, m_sText, m_pManager->GetFont(m_iFont), m_bPasswordMode,
                    [this](std::string text) { ApplyUserText(std::move(text)); });
            return;
        }
        case UIEVENT_KILLFOCUS: {
            EndNativeInput();
            ClampToRange();
            CLabelUI::DoEvent(event);
            return;
        }
        case UIEVENT_CHAR:
            if (m_bReadOnly || !IsEnabled() || m_bNativeInput) return;
            if (event.chKey == VK_BACK) {
                std::string text = m_sText;
                PopChar(text);
                ApplyUserText(std::move(text));
            } else if (event.chKey == '\r' || event.chKey == '\n') {
                if (AcceptsNewline()) ApplyUserText(m_sText + "\n");
            } else if (event.chKey >= 0x20 && event.chKey != 0x7F) {
                std::string text = m_sText;
                AppendUtf8(text, event.chKey);
                ApplyUserText(std::move(text));
            }
            return;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_RETURN && IsEnabled() && !AcceptsNewline()) {
                ClampToRange();
                if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_RETURN);
            }
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
        case UIEVENT_BUTTONUP:
        case UIEVENT_MOUSEMOVE:
            return;
        case UIEVENT_MOUSEENTER:
            m_bHot = true;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            m_bHot = false;
            Invalidate();
            return;
        default:
            CLabelUI::DoEvent(event);
    }
}

void CEditUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "readonly") {
        if (auto b = ParseBool(value)) SetReadOnly(*b);
    } else if (name == "numberonly") {
        if (auto b = ParseBool(value)) SetNumberOnly(*b);
    } else if (name == "password") {
        if (auto b = ParseBool(value)) SetPasswordMode(*b);
    } else if (name == "maxchar") {
        if (auto v = ParseInt(value); v && *v >= 0) SetMaxChar(*v);
    } else if (name == "minvalue" || name == "maxvalue") {
        if (auto v = ParseInt(value)) {
            (name == "minvalue" ? m_minValue : m_maxValue) = *v;
            if (m_minValue && m_maxValue && *m_minValue > *m_maxValue) m_maxValue = m_minValue;
        }
    } else if (name == "normalimage") {
        m_sNormalImage = value;
    } else if (name == "hotimage") {
        m_sHotImage = value;
    } else if (name == "focusedimage") {
        m_sFocusedImage = value;
    } else if (name == "disabledimage") {
        m_sDisabledImage = value;
    } else if (name == "nativebkcolor") {
        if (auto c = ParseColor(value)) m_dwEditBkColor = *c;
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CEditUI::PaintStatusImage(Painter& painter) {
    const std::string* image = &m_sNormalImage;
    if (!IsEnabled() && !m_sDisabledImage.empty())
        image = &m_sDisabledImage;
    else if (IsFocused() && !m_sFocusedImage.empty())
        image = &m_sFocusedImage;
    else if (m_bHot && !m_sHotImage.empty())
        image = &m_sHotImage;
    if (IsFocused() && m_dwEditBkColor) painter.FillRect(m_rcItem, m_dwEditBkColor);
    DrawImage(painter, *image);
}

void CEditUI::PaintText(Painter& painter) {
    if (m_bNativeInput) return;  // the native editor shows the text
    if (!m_bPasswordMode) {
        CLabelUI::PaintText(painter);
        return;
    }
    std::string masked(CountChars(m_sText), '*');
    if (masked.empty() || !m_pManager) return;
    Rect pad = GetTextPadding();
    Rect area{m_rcItem.left + pad.left, m_rcItem.top + pad.top, m_rcItem.right - pad.right,
              m_rcItem.bottom - pad.bottom};
    painter.DrawText(area, masked, m_pManager->GetFont(m_iFont), CurrentTextColor(), m_uTextStyle);
}

CRichEditUI::CRichEditUI() {
    m_uTextStyle = kDtWordBreak | kDtLeft;
    m_iMaxChars = 0x7FFF;
}

std::string_view CRichEditUI::GetClass() const {
    return "RichEdit";
}

void* CRichEditUI::GetInterface(std::string_view name) {
    return name == "RichEdit" ? this : CEditUI::GetInterface(name);
}

void CRichEditUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "multiline" || name == "wantreturn") {
        if (auto b = ParseBool(value)) m_bWantReturn = *b;
    } else {
        CEditUI::SetAttribute(name, value);
    }
}

}  // namespace warden
