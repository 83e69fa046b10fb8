#pragma once
// A control holding child controls. It owns them (deletes them when removed
// unless auto-destroy is off) and gives its inset and child padding to the
// layouts. With a vertical scroll bar its content scrolls by the wheel.

#include <vector>

#include "ui/controls/CControlUI.h"

namespace warden {

class CScrollBarUI;

class CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // The child at `index`, or null when out of range.
    virtual CControlUI* GetItemAt(int index) const;
    // Index of `control` among the children, or -1.
    virtual int GetItemIndex(CControlUI* control) const;
    virtual bool SetItemIndex(CControlUI* control, int index);
    virtual int GetCount() const { return static_cast<int>(m_items.size()); }
    // Adding takes ownership; false (and nothing owned) for null.
    virtual bool Add(CControlUI* control);
    virtual bool AddAt(CControlUI* control, int index);
    // Removing deletes the child unless auto-destroy is off. False when not a child.
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
    virtual bool RemoveAt(int index, bool doNotDestroy = false);
    virtual void RemoveAll();
    void SetAutoDestroy(bool autoDestroy) { m_bAutoDestroy = autoDestroy; }

    Rect GetInset() const;  // scaled
    void SetInset(const Rect& inset);
    int GetChildPadding() const;  // scaled
    void SetChildPadding(int padding);
    bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
    void SetMouseChildEnabled(bool enabled) { m_bMouseChildEnabled = enabled; }

    // Scroll offset of the content (vertical), clamped to the content.
    int GetScrollPos() const { return m_scrollPos; }
    int GetScrollRange() const;
    void SetScrollPos(int pos);
    void EnableScrollBar(bool vertical);
    CScrollBarUI* GetVerticalScrollbar() const { return m_pVerticalScrollBar; }

    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetPos(const Rect& rc, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    CControlUI* FindControlAt(Point pt) override;
    bool ForEach(const std::function<bool(CControlUI*)>& visit) override;
    void DoPaint(Painter& painter, const Rect& rcPaint) override;

protected:
    // The area children are laid out in: the item less inset and scroll bar.
    Rect ContentRect() const;
    // Places a floating child by its "pos" relative to this container.
    void SetFloatPos(CControlUI* child);
    // Records the laid-out content height and positions the scroll bar.
    void ProcessScrollBar(const Rect& rc, int contentHeight);

    std::vector<CControlUI*> m_items;
    Rect m_rcInset;
    int m_iChildPadding = 0;
    bool m_bAutoDestroy = true;
    bool m_bMouseChildEnabled = true;
    int m_scrollPos = 0;
    int m_contentHeight = 0;
    CScrollBarUI* m_pVerticalScrollBar = nullptr;
};

}  // namespace warden
