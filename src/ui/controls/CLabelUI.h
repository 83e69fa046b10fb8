#pragma once
// A text in a font of the window's table, aligned in the control less its
// text padding; single line with end ellipsis unless "multiline" is set.

#include "ui/controls/CControlUI.h"

namespace warden {

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    void SetTextStyle(uint32_t style);
    uint32_t GetTextStyle() const { return m_uTextStyle; }
    void SetTextColor(Color color);
    Color GetTextColor() const { return m_dwTextColor; }
    void SetDisabledTextColor(Color color);
    void SetFont(int index);
    int GetFont() const { return m_iFont; }
    Rect GetTextPadding() const;  // scaled
    void SetTextPadding(const Rect& padding);

    Size EstimateSize(Size available) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintText(Painter& painter) override;

protected:
    // The colour for the current state (disabled colour when disabled).
    Color CurrentTextColor() const;
    void PaintTextIn(Painter& painter, const Rect& rc, Color color);

    uint32_t m_uTextStyle = kDtVCenter | kDtSingleLine | kDtEndEllipsis;
    Color m_dwTextColor = 0;
    Color m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    Rect m_rcTextPadding;
    bool m_bAutoCalcWidth = false;
};

// A label whose text may wrap (DuiLib's "Text").
class CTextUI : public CLabelUI {
public:
    CTextUI();
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;
};

}  // namespace warden
