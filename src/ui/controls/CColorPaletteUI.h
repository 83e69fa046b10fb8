#pragma once
// A colour chooser: a hue (across) by saturation (down) field over a
// brightness bar. Dragging in either moves its thumb; letting go raises
// "colorchanged". GetSelectColor is 0xFFRRGGBB.

#include "ui/controls/CControlUI.h"

namespace warden {

class CColorPaletteUI : public CControlUI {
public:
    std::string_view GetClass() const override;
    void* GetInterface(std::string_view name) override;

    Color GetSelectColor() const;
    // Moves the thumbs to `color` (alpha ignored); raises nothing.
    void SetSelectColor(Color color);

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;
    void PaintStatusImage(Painter& painter) override;

private:
    Rect PalletRect() const;
    Rect BarRect() const;
    void TrackPoint(Point pt);

    double m_hue = 0;         // 0..360
    double m_saturation = 1;  // 0..1
    double m_brightness = 1;  // 0..1
    int m_palletHeight = 0;   // 0 = all but the bar
    int m_barHeight = 10;
    enum class Drag { None, Pallet, Bar } m_drag = Drag::None;
    std::string m_sThumbImage;
};

}  // namespace warden
