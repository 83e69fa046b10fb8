// CPaintManagerUI: the image cache and image-string drawing.

#include <algorithm>

#include "platform/Trace.h"
#include "ui/CPaintManagerUI.h"
#include "ui/CResourceManager.h"
#include "ui/Host.h"
#include "ui/controls/CControlUI.h"

namespace warden {

NativeImagePtr CPaintManagerUI::GetImage(std::string_view name) {
    if (name.empty()) return nullptr;
    if (auto it = m_images.find(name); it != m_images.end()) return it->second;
    NativeImagePtr image;
    if (Host* host = GetHost())
        image = host->LoadImage(ResolvePath(CResourceManager::GetInstance().GetResourcePath(name)));
    // A failure is cached too, so a missing picture is not retried every paint.
    if (!image) Trace("image not loaded: %.*s\n", static_cast<int>(name.size()), name.data());
    m_images.emplace(std::string(name), image);
    return image;
}

void CPaintManagerUI::RemoveAllImages() {
    m_images.clear();
    m_drawInfos.clear();
}

void CPaintManagerUI::ResetDPIAssets() {
    RemoveAllImages();
    NeedUpdate();
    if (m_pRoot) m_pRoot->NeedUpdate();
    Invalidate();
}

bool CPaintManagerUI::DrawImageString(Painter& painter, const Rect& rcItem, const Rect& rcPaint,
                                      std::string_view image, const ImageDrawParams* tint) {
    if (image.empty()) return false;
    auto it = m_drawInfos.find(image);
    if (it == m_drawInfos.end())
        it = m_drawInfos.emplace(std::string(image), ParseImageString(image)).first;
    const TDrawInfo& info = it->second;
    if (info.sImageName.empty()) return false;
    NativeImagePtr picture = GetImage(info.sImageName);
    if (!picture) return false;

    Rect dest = rcItem;
    if (info.bHasDest) {
        Rect offsets = Scale(info.rcDest);
        dest = {rcItem.left + offsets.left, rcItem.top + offsets.top, rcItem.left + offsets.right,
                rcItem.top + offsets.bottom};
        dest.right = std::min(dest.right, rcItem.right);
        dest.bottom = std::min(dest.bottom, rcItem.bottom);
    }
    if (dest.IsEmpty() || !dest.Intersects(rcItem) || !dest.Intersects(rcPaint)) return false;

    Size size = picture->GetSize();
    Rect source = info.rcSource;
    if (source == Rect{}) {
        source = {0, 0, size.cx, size.cy};
    } else {
        source.right = std::min(source.right, size.cx);
        source.bottom = std::min(source.bottom, size.cy);
    }
    if (source.IsEmpty()) return false;

    ImageDrawParams params = tint ? *tint : ImageDrawParams{};
    params.dest = dest;
    params.source = source;
    params.corner = info.rcCorner;
    params.fade = info.uFade;
    params.hole = info.bHole;
    params.xTiled = info.bTiledX;
    params.yTiled = info.bTiledY;
    params.useMask = info.bHasMask;
    params.mask = info.dwMask;
    Rect clip = rcPaint.Intersect(rcItem);
    painter.PushClip(clip);
    painter.DrawImage(*picture, params);
    painter.PopClip();
    return true;
}

}  // namespace warden
