#pragma once
// The vertical scroll bar of a container: a track with a thumb that shows
// and sets the owner's scroll position.

#include "ui/controls/CControlUI.h"

namespace warden {

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    explicit CScrollBarUI(CContainerUI* owner);

    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    // The range (content height less view height) and position, 0..range.
    void SetScrollRange(int range);
    int GetScrollRange() const { return m_range; }
    void SetScrollPos(int pos);
    int GetScrollPos() const { return m_pos; }
    // The thumb rectangle in window coordinates (empty without a range).
    Rect GetThumbRect() const;

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(Painter& painter) override;

private:
    CContainerUI* m_owner;
    int m_range = 0;
    int m_pos = 0;
    bool m_dragging = false;
    int m_dragStartY = 0;
    int m_dragStartPos = 0;
    Color m_thumbColor = 0xFF9A9A9Au;
    std::string m_thumbImage;
};

}  // namespace warden
