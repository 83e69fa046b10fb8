#include "ui/controls/CListUI.h"

#include <algorithm>

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"
#include "ui/controls/ListInfoAttributes.h"

namespace warden {

std::string_view CListHeaderItemUI::GetClass() const {
    return "ListHeaderItem";
}

void* CListHeaderItemUI::GetInterface(std::string_view name) {
    return name == "ListHeaderItem" ? this : CButtonUI::GetInterface(name);
}

std::string_view CListHeaderUI::GetClass() const {
    return "ListHeader";
}

void* CListHeaderUI::GetInterface(std::string_view name) {
    return name == "ListHeader" ? this : CHorizontalLayoutUI::GetInterface(name);
}

Size CListHeaderUI::EstimateSize(Size available) {
    Size size = CHorizontalLayoutUI::EstimateSize(available);
    if (size.cy == 0)
        for (CControlUI* item : m_items)
            if (item->IsVisible()) size.cy = std::max(size.cy, item->EstimateSize(available).cy);
    return size;
}

CListUI::CListUI() : m_pHeader(new CListHeaderUI), m_pList(new CVerticalLayoutUI) {
    CContainerUI::AddAt(m_pHeader, 0);
    CContainerUI::AddAt(m_pList, 1);
}

std::string_view CListUI::GetClass() const {
    return "List";
}

void* CListUI::GetInterface(std::string_view name) {
    if (name == "List") return this;
    if (name == "IListOwner") return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(name);
}

CControlUI* CListUI::GetItemAt(int index) const {
    return m_pList->GetItemAt(index);
}
int CListUI::GetItemIndex(CControlUI* control) const {
    return m_pList->GetItemIndex(control);
}
int CListUI::GetCount() const {
    return m_pList->GetCount();
}

IListItemUI* CListUI::ItemAt(int index) const {
    CControlUI* control = GetItemAt(index);
    return control ? static_cast<IListItemUI*>(control->GetInterface("ListItem")) : nullptr;
}

void CListUI::Renumber(int from) {
    for (int i = std::max(0, from); i < GetCount(); ++i)
        if (IListItemUI* item = ItemAt(i)) item->SetIndex(i);
}

bool CListUI::SetItemIndex(CControlUI* control, int index) {
    int old = GetItemIndex(control);
    if (!m_pList->SetItemIndex(control, index)) return false;
    Renumber(std::min(old, index));
    return true;
}

bool CListUI::Add(CControlUI* control) {
    if (control && control->GetInterface("ListHeader")) {
        // The layout's own header replaces the built-in one.
        CListHeaderUI* old = m_pHeader;
        if (!CContainerUI::AddAt(control, 0)) return false;
        m_pHeader = static_cast<CListHeaderUI*>(control);
        m_items.erase(std::find(m_items.begin(), m_items.end(), old));
        delete old;
        return true;
    }
    if (control && control->GetInterface("ListHeaderItem")) return m_pHeader->Add(control);
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (!m_pList->AddAt(control, index)) return false;
    if (IListItemUI* item = static_cast<IListItemUI*>(control->GetInterface("ListItem")))
        item->SetOwner(this);
    for (int& selected : m_aSelItems)
        if (selected >= index) ++selected;
    Renumber(index);
    return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
    int index = GetItemIndex(control);
    if (index < 0) return false;
    return RemoveAt(index, doNotDestroy);
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) {
    if (!m_pList->RemoveAt(index, doNotDestroy)) return false;
    std::vector<int> kept;
    for (int selected : m_aSelItems) {
        if (selected == index) continue;
        kept.push_back(selected > index ? selected - 1 : selected);
    }
    m_aSelItems = std::move(kept);
    Renumber(index);
    return true;
}

void CListUI::RemoveAll() {
    m_aSelItems.clear();
    m_pList->RemoveAll();
}

int CListUI::GetCurSel() const {
    return m_aSelItems.empty() ? -1 : m_aSelItems.back();
}

bool CListUI::SelectItem(int index, bool takeFocus, bool triggerEvent) {
    IListItemUI* item = ItemAt(index);
    if (!item) return false;
    int old = GetCurSel();
    if (old == index && m_aSelItems.size() == 1) return true;
    for (int selected : m_aSelItems)
        if (IListItemUI* other = ItemAt(selected)) other->Select(false, false);
    m_aSelItems.clear();
    item->Select(true, false);
    m_aSelItems.push_back(index);
    EnsureVisible(index);
    if (takeFocus && m_pManager) m_pManager->SetFocus(GetItemAt(index));
    if (triggerEvent && m_pManager)
        m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WParam>(index),
                               static_cast<LParam>(old));
    return true;
}

bool CListUI::SelectMultiItem(int index, bool takeFocus) {
    if (!m_ListInfo.bMultiSelect) return SelectItem(index, takeFocus);
    IListItemUI* item = ItemAt(index);
    if (!item) return false;
    int old = GetCurSel();
    auto it = std::find(m_aSelItems.begin(), m_aSelItems.end(), index);
    if (it != m_aSelItems.end()) {
        m_aSelItems.erase(it);
        item->SelectMulti(false);
    } else {
        m_aSelItems.push_back(index);
        item->SelectMulti(true);
    }
    if (m_pManager)
        m_pManager->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WParam>(index),
                               static_cast<LParam>(old));
    return true;
}

bool CListUI::UnSelectItem(int index, bool others) {
    if (others) {
        for (int selected : m_aSelItems)
            if (selected != index)
                if (IListItemUI* item = ItemAt(selected)) item->Select(false, false);
        bool had = std::find(m_aSelItems.begin(), m_aSelItems.end(), index) != m_aSelItems.end();
        m_aSelItems.clear();
        if (had) m_aSelItems.push_back(index);
        return true;
    }
    auto it = std::find(m_aSelItems.begin(), m_aSelItems.end(), index);
    if (it == m_aSelItems.end()) return false;
    m_aSelItems.erase(it);
    if (IListItemUI* item = ItemAt(index)) item->Select(false, false);
    return true;
}

void CListUI::SetMultiSelect(bool multi) {
    m_ListInfo.bMultiSelect = multi;
    if (!multi && m_aSelItems.size() > 1) UnSelectItem(GetCurSel(), true);
}

void CListUI::EnsureVisible(int index) {
    CControlUI* control = GetItemAt(index);
    if (!control || !m_pList->GetVerticalScrollbar()) return;
    const Rect& view = m_pList->GetPos();
    const Rect& row = control->GetPos();
    if (row.top < view.top)
        m_pList->SetScrollPos(m_pList->GetScrollPos() - (view.top - row.top));
    else if (row.bottom > view.bottom)
        m_pList->SetScrollPos(m_pList->GetScrollPos() + (row.bottom - view.bottom));
}

void CListUI::SetPos(const Rect& rc, bool needInvalidate) {
    bool show = m_bShowHeader && m_pHeader->GetCount() > 0;
    if (m_pHeader->IsVisible() != show) m_pHeader->SetVisible(show);
    CVerticalLayoutUI::SetPos(rc, needInvalidate);
}

void CListUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_KEYDOWN && IsEnabled()) {
        int cur = GetCurSel();
        if (event.chKey == VK_UP && cur > 0) {
            SelectItem(cur - 1, true);
            return;
        }
        if (event.chKey == VK_DOWN && cur + 1 < GetCount()) {
            SelectItem(cur + 1, true);
            return;
        }
    }
    if (event.Type == UIEVENT_SCROLLWHEEL) {
        m_pList->DoEvent(event);
        return;
    }
    CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetAttribute(std::string_view name, std::string_view value) {
    if (SetListInfoAttribute(m_ListInfo, name, value)) return;
    if (name == "header") {
        m_bShowHeader = value != "hidden";
        NeedUpdate();
    } else if (name == "multiselect") {
        if (auto b = ParseBool(value)) SetMultiSelect(*b);
    } else if (name == "vscrollbar") {
        if (auto b = ParseBool(value)) m_pList->EnableScrollBar(*b);
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
    }
}

}  // namespace warden
