#pragma once
// Shows one child at a time (the selected page); the others are hidden.

#include "ui/controls/CContainerUI.h"

namespace warden {

class CTabLayoutUI : public CContainerUI {
public:
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    int GetCurSel() const { return m_iCurSel; }
    // Shows page `index`. False (nothing changed) when out of range.
    // Raises "tabselect" with wParam = new, lParam = old page.
    bool SelectItem(int index);
    bool SelectItem(CControlUI* page) { return SelectItem(GetItemIndex(page)); }

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    void ApplySelection();
    int m_iCurSel = -1;
};

}  // namespace warden
