#include "ui/controls/CTabLayoutUI.h"

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"

namespace warden {

std::string_view CTabLayoutUI::GetClass() const {
    return "TabLayout";
}

void* CTabLayoutUI::GetInterface(std::string_view name) {
    return name == "TabLayout" ? this : CContainerUI::GetInterface(name);
}

void CTabLayoutUI::ApplySelection() {
    for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == m_iCurSel);
    NeedUpdate();
}

bool CTabLayoutUI::SelectItem(int index) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == m_iCurSel) return true;
    int old = m_iCurSel;
    m_iCurSel = index;
    ApplySelection();
    if (m_pManager) {
        m_pManager->SetFocus(nullptr);
        m_pManager->SendNotify(this, DUI_MSGTYPE_TABSELECT, static_cast<WParam>(index),
                               static_cast<LParam>(old));
    }
    return true;
}

bool CTabLayoutUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index)) return false;
    if (m_iCurSel < 0) {
        m_iCurSel = 0;
    } else if (index <= m_iCurSel) {
        ++m_iCurSel;
    }
    ApplySelection();
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy) {
    int index = GetItemIndex(control);
    if (!CContainerUI::Remove(control, doNotDestroy)) return false;
    if (GetCount() == 0) {
        m_iCurSel = -1;
    } else if (index < m_iCurSel || m_iCurSel >= GetCount()) {
        --m_iCurSel;
    }
    ApplySelection();
    return true;
}

void CTabLayoutUI::RemoveAll() {
    CContainerUI::RemoveAll();
    m_iCurSel = -1;
}

void CTabLayoutUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "selectedid") {
        if (auto v = ParseInt(value)) {
            if (*v >= 0 && *v < GetCount()) {
                m_iCurSel = *v;
                ApplySelection();
            }
        }
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

}  // namespace warden
