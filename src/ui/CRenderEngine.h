#pragma once
// Drawing helpers for custom controls, on top of the painter.

#include <string_view>

#include "ui/Geometry.h"
#include "ui/Painter.h"

namespace warden {

class CPaintManagerUI;

class CRenderEngine {
public:
    // Draws an image string in `rcItem` clipped to `rcPaint`. With `lightOn`
    // the picture is tinted with `lightColor` (0x00BBGGRR) at `lightLevel`
    // (0..255). False when nothing was drawn (no picture, outside).
    static bool DrawImageString(Painter& painter, CPaintManagerUI* manager, const Rect& rcItem,
                                const Rect& rcPaint, std::string_view image,
                                uint32_t lightColor = 0, uint32_t lightLevel = 255,
                                bool lightOn = false);
};

}  // namespace warden
