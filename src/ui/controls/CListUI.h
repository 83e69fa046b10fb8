#pragma once
// A list: an optional header of column captions over a scrolling body of
// rows (text rows or container rows). Row functions (GetItemAt, Add, ...)
// work on the body. Selection of one row, or of several with Ctrl when
// "multiselect" is set, raises "itemselect".

#include <vector>

#include "ui/controls/CButtonUI.h"
#include "ui/controls/CLinearLayoutUI.h"
#include "ui/controls/ListInterfaces.h"

namespace warden {

class CListHeaderItemUI : public CButtonUI {
public:
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

class CListHeaderUI : public CHorizontalLayoutUI {
public:
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
    // Without a fixed height the header takes the height of its tallest item.
    Size EstimateSize(Size available) override;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    CListHeaderUI* GetHeader() const { return m_pHeader; }
    CVerticalLayoutUI* GetList() const { return m_pList; }

    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    int GetCount() const override;
    // A header item goes to the header; anything else becomes a row.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    TListInfoUI* GetListInfo() override { return &m_ListInfo; }
    int GetCurSel() const override;
    // Indexes of every selected row, in selection order.
    const std::vector<int>& GetSelectedItems() const { return m_aSelItems; }
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
    bool SelectMultiItem(int index, bool takeFocus = false) override;
    bool UnSelectItem(int index, bool others = false) override;
    void SetMultiSelect(bool multi);
    // Scrolls so that row `index` is visible.
    void EnsureVisible(int index);

    // The header shows only when it has columns and "header" is not "hidden".
    void SetPos(const Rect& rc, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    void Renumber(int from);
    IListItemUI* ItemAt(int index) const;

    CListHeaderUI* m_pHeader;
    CVerticalLayoutUI* m_pList;
    TListInfoUI m_ListInfo;
    std::vector<int> m_aSelItems;
    bool m_bShowHeader = true;
};

}  // namespace warden
