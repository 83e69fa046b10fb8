#include "ui/controls/COptionUI.h"

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"

namespace warden {

COptionUI::~COptionUI() {
    if (!m_sGroupName.empty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

std::string_view COptionUI::GetClass() const {
    return "Option";
}

void* COptionUI::GetInterface(std::string_view name) {
    return name == "Option" ? this : CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pManager && m_pManager && !m_sGroupName.empty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    CButtonUI::SetManager(manager, parent, init);
    if (init && m_pManager && !m_sGroupName.empty()) m_pManager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::SetGroup(std::string_view group) {
    if (group == m_sGroupName) return;
    if (m_pManager && !m_sGroupName.empty()) m_pManager->RemoveOptionGroup(m_sGroupName, this);
    m_sGroupName = group;
    if (m_pManager && !m_sGroupName.empty()) m_pManager->AddOptionGroup(m_sGroupName, this);
    Selected(m_bSelected, false);
}

void COptionUI::Selected(bool selected, bool triggerEvent) {
    if (m_bSelected == selected) return;
    m_bSelected = selected;
    if (selected)
        m_uButtonState |= UISTATE_SELECTED;
    else
        m_uButtonState &= ~UISTATE_SELECTED;
    if (m_pManager) {
        if (selected && !m_sGroupName.empty()) {
            // Copy: a peer's handler may regroup options while we walk.
            if (const auto* group = m_pManager->GetOptionGroup(m_sGroupName)) {
                std::vector<CControlUI*> peers = *group;
                for (CControlUI* peer : peers) {
                    if (peer == this) continue;
                    if (auto* option = static_cast<COptionUI*>(peer->GetInterface("Option")))
                        option->Selected(false, triggerEvent);
                }
            }
        }
        if (triggerEvent) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
    }
    Invalidate();
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) return false;
    if (!m_sGroupName.empty())
        Selected(true);
    else
        Selected(!m_bSelected);
    return true;
}

void COptionUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "group") {
        SetGroup(value);
    } else if (name == "selected") {
        if (auto b = ParseBool(value)) Selected(*b, false);
    } else if (name == "selectedimage") {
        m_sSelectedImage = value;
    } else if (name == "selectedhotimage") {
        m_sSelectedHotImage = value;
    } else if (name == "selectedtextcolor") {
        if (auto c = ParseColor(value)) m_dwSelectedTextColor = *c;
    } else if (name == "selectedbkcolor") {
        if (auto c = ParseColor(value)) m_dwSelectedBkColor = *c;
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void COptionUI::PaintStatusImage(Painter& painter) {
    if (!m_bSelected) {
        CButtonUI::PaintStatusImage(painter);
        return;
    }
    if (m_dwSelectedBkColor) painter.FillRect(m_rcItem, m_dwSelectedBkColor);
    if ((m_uButtonState & UISTATE_HOT) && !m_sSelectedHotImage.empty()) {
        DrawImage(painter, m_sSelectedHotImage);
    } else if (!m_sSelectedImage.empty()) {
        if (!IsEnabled() && !m_sDisabledImage.empty())
            DrawImage(painter, m_sDisabledImage);
        else
            DrawImage(painter, m_sSelectedImage);
    } else {
        CButtonUI::PaintStatusImage(painter);
    }
}

void COptionUI::PaintText(Painter& painter) {
    if (m_bSelected && m_dwSelectedTextColor && IsEnabled())
        PaintTextIn(painter, m_rcItem, m_dwSelectedTextColor);
    else
        CButtonUI::PaintText(painter);
}

std::string_view CCheckBoxUI::GetClass() const {
    return "CheckBox";
}

void* CCheckBoxUI::GetInterface(std::string_view name) {
    return name == "CheckBox" ? this : COptionUI::GetInterface(name);
}

}  // namespace warden
