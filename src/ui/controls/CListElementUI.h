#pragma once
// List rows: a text row (CListLabelElementUI) and a row that is a container
// of controls (CListContainerElementUI). Both select on button down (Ctrl
// toggles a multi-selection), raise "itemclick" on button up and
// "itemactivate" on double click or Enter.

#include "ui/controls/CContainerUI.h"
#include "ui/controls/CLabelUI.h"
#include "ui/controls/ListInterfaces.h"

namespace warden {

// The row state and event handling shared by both row kinds.
class ListItemState : public IListItemUI {
public:
    explicit ListItemState(CControlUI& self) : m_self(self) {}
    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int index) override { m_iIndex = index; }
    IListOwnerUI* GetOwner() override { return m_pOwner; }
    void SetOwner(IListOwnerUI* owner) override { m_pOwner = owner; }
    bool IsSelected() const override { return m_bSelected; }
    bool Select(bool select = true, bool triggerEvent = true) override;
    bool SelectMulti(bool select = true) override;
    bool IsHot() const { return m_bHot; }
    // Handles row events; false when the event is not a row event.
    bool HandleEvent(TEventUI& event);
    // "itemactivate" when the row can be activated; false otherwise.
    bool ActivateRow();
    // Background for the row's state from the owner's list info.
    void PaintRowBackground(Painter& painter);

private:
    CControlUI& m_self;
    IListOwnerUI* m_pOwner = nullptr;
    int m_iIndex = -1;
    bool m_bSelected = false;
    bool m_bHot = false;
};

class CListLabelElementUI : public CLabelUI, public ListItemState {
public:
    CListLabelElementUI() : ListItemState(static_cast<CControlUI&>(*this)) {}
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
    bool Activate() override;
    Size EstimateSize(Size available) override;
    void DoEvent(TEventUI& event) override;
    void PaintStatusImage(Painter& painter) override;
    void PaintText(Painter& painter) override;
};

class CListContainerElementUI : public CContainerUI, public ListItemState {
public:
    CListContainerElementUI() : ListItemState(static_cast<CControlUI&>(*this)) {}
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
    bool Activate() override;
    void DoEvent(TEventUI& event) override;
    void PaintStatusImage(Painter& painter) override;
};

}  // namespace warden
