#include "ui/controls/CColorPaletteUI.h"

#include <algorithm>
#include <cmath>

#include "ui/AttributeParse.h"
#include "ui/CPaintManagerUI.h"

namespace warden {
namespace {

constexpr int kCell = 6;  // size of one painted swatch

Color HsvToColor(double h, double s, double v) {
    h = std::fmod(std::max(0.0, h), 360.0) / 60.0;
    int sector = static_cast<int>(h);
    double f = h - sector;
    double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (sector) {
        case 1:
            r = q;
            g = v;
            b = p;
            break;
        case 2:
            r = p;
            g = v;
            b = t;
            break;
        case 3:
            r = p;
            g = q;
            b = v;
            break;
        case 4:
            r = t;
            g = p;
            b = v;
            break;
        case 5:
            r = v;
            g = p;
            b = q;
            break;
        default:
            break;
    }
    auto byte = [](double x) {
        return static_cast<Color>(std::lround(std::clamp(x, 0.0, 1.0) * 255));
    };
    return 0xFF000000u | (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

}  // namespace

std::string_view CColorPaletteUI::GetClass() const {
    return "ColorPalette";
}

void* CColorPaletteUI::GetInterface(std::string_view name) {
    return name == "ColorPalette" ? this : CControlUI::GetInterface(name);
}

Color CColorPaletteUI::GetSelectColor() const {
    return HsvToColor(m_hue, m_saturation, m_brightness);
}

void CColorPaletteUI::SetSelectColor(Color color) {
    double r = ((color >> 16) & 0xFF) / 255.0, g = ((color >> 8) & 0xFF) / 255.0,
           b = (color & 0xFF) / 255.0;
    double maxc = std::max({r, g, b}), minc = std::min({r, g, b}), delta = maxc - minc;
    m_brightness = maxc;
    m_saturation = maxc > 0 ? delta / maxc : 0;
    if (delta > 0) {
        double h = maxc == r   ? (g - b) / delta
                   : maxc == g ? 2 + (b - r) / delta
                               : 4 + (r - g) / delta;
        m_hue = std::fmod(h * 60 + 360, 360);
    }
    Invalidate();
}

Rect CColorPaletteUI::PalletRect() const {
    int bar = m_pManager ? m_pManager->Scale(m_barHeight) : m_barHeight;
    int pallet = m_palletHeight > 0 && m_pManager ? m_pManager->Scale(m_palletHeight)
                                                  : m_rcItem.Height() - bar - 4;
    return {m_rcItem.left, m_rcItem.top, m_rcItem.right,
            m_rcItem.top + std::clamp(pallet, 0, m_rcItem.Height())};
}

Rect CColorPaletteUI::BarRect() const {
    int bar = m_pManager ? m_pManager->Scale(m_barHeight) : m_barHeight;
    return {m_rcItem.left, std::max(m_rcItem.top, m_rcItem.bottom - bar), m_rcItem.right,
            m_rcItem.bottom};
}

void CColorPaletteUI::TrackPoint(Point pt) {
    if (m_drag == Drag::Pallet) {
        Rect rc = PalletRect();
        if (rc.IsEmpty()) return;
        m_hue = 360.0 * std::clamp(pt.x - rc.left, 0, rc.Width()) / rc.Width();
        m_saturation =
            1.0 - static_cast<double>(std::clamp(pt.y - rc.top, 0, rc.Height())) / rc.Height();
    } else if (m_drag == Drag::Bar) {
        Rect rc = BarRect();
        if (rc.IsEmpty()) return;
        m_brightness = static_cast<double>(std::clamp(pt.x - rc.left, 0, rc.Width())) / rc.Width();
    }
    Invalidate();
}

void CColorPaletteUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
            if (!IsEnabled()) return;
            if (PalletRect().Contains(event.ptMouse))
                m_drag = Drag::Pallet;
            else if (BarRect().Contains(event.ptMouse))
                m_drag = Drag::Bar;
            TrackPoint(event.ptMouse);
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_drag != Drag::None) TrackPoint(event.ptMouse);
            return;
        case UIEVENT_BUTTONUP:
            if (m_drag == Drag::None) return;
            TrackPoint(event.ptMouse);
            m_drag = Drag::None;
            if (m_pManager) m_pManager->SendNotify(this, DUI_MSGTYPE_COLORCHANGED);
            return;
        default:
            CControlUI::DoEvent(event);
    }
}

void CColorPaletteUI::SetAttribute(std::string_view name, std::string_view value) {
    if (name == "palletheight") {
        if (auto v = ParseInt(value); v && *v >= 0) m_palletHeight = *v;
    } else if (name == "barheight") {
        if (auto v = ParseInt(value); v && *v >= 0) m_barHeight = *v;
    } else if (name == "thumbimage") {
        m_sThumbImage = value;
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CColorPaletteUI::PaintStatusImage(Painter& painter) {
    Rect pallet = PalletRect();
    for (int y = pallet.top; y < pallet.bottom; y += kCell) {
        double s = 1.0 - static_cast<double>(y - pallet.top) / std::max(1, pallet.Height());
        for (int x = pallet.left; x < pallet.right; x += kCell) {
            double h = 360.0 * (x - pallet.left) / std::max(1, pallet.Width());
            painter.FillRect(
                {x, y, std::min(x + kCell, pallet.right), std::min(y + kCell, pallet.bottom)},
                HsvToColor(h, s, m_brightness));
        }
    }
    Rect bar = BarRect();
    for (int x = bar.left; x < bar.right; x += kCell) {
        double v = static_cast<double>(x - bar.left) / std::max(1, bar.Width());
        painter.FillRect({x, bar.top, std::min(x + kCell, bar.right), bar.bottom},
                         HsvToColor(m_hue, m_saturation, v));
    }
    // Thumbs: a ring on the field, a mark on the bar.
    int tx = pallet.left + static_cast<int>(m_hue / 360.0 * pallet.Width());
    int ty = pallet.top + static_cast<int>((1.0 - m_saturation) * pallet.Height());
    Rect ring{tx - 4, ty - 4, tx + 4, ty + 4};
    if (m_sThumbImage.empty() || !m_pManager ||
        !m_pManager->DrawImageString(painter, ring, ring, m_sThumbImage))
        painter.DrawEllipse(ring, 1, 0xFFFFFFFFu);
    int bx = bar.left + static_cast<int>(m_brightness * bar.Width());
    painter.FillRect({bx - 1, bar.top, bx + 1, bar.bottom}, 0xFF000000u);
}

}  // namespace warden
