#pragma once
// The contracts between a list-like owner (list, combo) and its rows.

#include <string>

#include "ui/Geometry.h"
#include "ui/UIDefine.h"

namespace warden {

// How an owner wants its text rows drawn.
struct TListInfoUI {
    int nFont = -1;
    uint32_t uTextStyle = 0x0004 | 0x0020 | 0x8000;  // vcenter, single line, ellipsis
    Rect rcTextPadding;
    Color dwTextColor = 0;
    Color dwBkColor = 0;
    Color dwSelectedTextColor = 0;
    Color dwSelectedBkColor = 0;
    Color dwHotTextColor = 0;
    Color dwHotBkColor = 0;
    Color dwDisabledTextColor = 0;
    std::string sBkImage;
    std::string sSelectedImage;
    std::string sHotImage;
    bool bMultiSelect = false;
};

class IListOwnerUI {
public:
    virtual ~IListOwnerUI() = default;
    virtual TListInfoUI* GetListInfo() = 0;
    // Index of the selected row, or -1.
    virtual int GetCurSel() const = 0;
    // Selects one row (deselecting others) and raises "itemselect"
    // (wParam new, lParam old) when `triggerEvent`. False when out of range.
    virtual bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) = 0;
    // Toggles `index` in a multi-selection; a list without multi-selection
    // selects it alone.
    virtual bool SelectMultiItem(int index, bool takeFocus = false) = 0;
    virtual bool UnSelectItem(int index, bool others = false) = 0;
    // Rows hand their unhandled events to the owner.
    virtual void DoEvent(TEventUI& event) = 0;
};

class IListItemUI {
public:
    virtual ~IListItemUI() = default;
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int index) = 0;
    virtual IListOwnerUI* GetOwner() = 0;
    virtual void SetOwner(IListOwnerUI* owner) = 0;
    virtual bool IsSelected() const = 0;
    // Changes the selection through the owner when `triggerEvent`, else
    // only the row's own flag.
    virtual bool Select(bool select = true, bool triggerEvent = true) = 0;
    virtual bool SelectMulti(bool select = true) = 0;
};

}  // namespace warden
