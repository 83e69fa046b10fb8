#pragma once
// A progress bar with a thumb the user drags. Dragging raises
// "movevaluechanged" for each new value; letting go (or the wheel, or a
// click on the track) raises "valuechanged". SetValue from code raises
// nothing.

#include "ui/controls/CProgressUI.h"

namespace warden {

class CSliderUI : public CProgressUI {
public:
    CSliderUI();
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    void SetChangeStep(int step) { m_nStep = step > 0 ? step : 1; }
    int GetChangeStep() const { return m_nStep; }
    // The thumb size (unscaled).
    void SetThumbSize(Size size) { m_szThumb = size; }
    Rect GetThumbRect() const;
    void SetThumbImage(std::string_view image) {
        m_sThumbImage = image;
        Invalidate();
    }

    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(Painter& painter) override;

private:
    int ValueAt(Point pt) const;

    int m_nStep = 1;
    Size m_szThumb{10, 10};
    uint32_t m_uButtonState = 0;
    std::string m_sThumbImage;
    std::string m_sThumbHotImage;
    std::string m_sThumbPushedImage;
};

}  // namespace warden
