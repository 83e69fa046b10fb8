#pragma once
// A value within [min, max] shown by a fore image filling its share of the
// control, horizontally or vertically (bottom-up).

#include "ui/controls/CLabelUI.h"

namespace warden {

class CProgressUI : public CLabelUI {
public:
    CProgressUI();
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    bool IsHorizontal() const { return m_bHorizontal; }
    void SetHorizontal(bool horizontal);
    int GetMinValue() const { return m_nMin; }
    int GetMaxValue() const { return m_nMax; }
    // A maximum below the minimum is ignored; the value is clamped again.
    void SetMinValue(int minValue);
    void SetMaxValue(int maxValue);
    int GetValue() const { return m_nValue; }
    // Clamped into [min, max].
    virtual void SetValue(int value);
    void SetForeImage(std::string_view image);

    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(Painter& painter) override;

protected:
    // The part of the control the value covers.
    Rect FilledRect() const;

    bool m_bHorizontal = true;
    bool m_bStretchForeImage = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    std::string m_sForeImage;
    Color m_dwForeColor = 0;
};

}  // namespace warden
