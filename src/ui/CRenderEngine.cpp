#include "ui/CRenderEngine.h"

#include "ui/CPaintManagerUI.h"

namespace warden {

bool CRenderEngine::DrawImageString(Painter& painter, CPaintManagerUI* manager, const Rect& rcItem,
                                    const Rect& rcPaint, std::string_view image,
                                    uint32_t lightColor, uint32_t lightLevel, bool lightOn) {
    if (!manager) return false;
    ImageDrawParams tint;
    tint.tintOn = lightOn;
    tint.tint = lightColor;
    tint.tintLevel = lightLevel;
    return manager->DrawImageString(painter, rcItem, rcPaint, image, lightOn ? &tint : nullptr);
}

}  // namespace warden
