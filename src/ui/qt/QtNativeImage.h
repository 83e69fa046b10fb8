#pragma once
// A skin picture for the Qt painter: a raster image (PNG, ...) or an SVG
// document. SVG pictures are rasterised on demand at the scale they are drawn
// at, so they stay sharp at 144 dpi; their size is the document's own size.

#include <QImage>
#include <QSvgRenderer>
#include <memory>
#include <string>

#include "ui/Painter.h"

namespace warden {

class QtNativeImage : public NativeImage {
public:
    // Decodes `path`; a missing ".png" is also looked for as ".svg" so that
    // skins can be vector-only. Null when nothing usable was found.
    static std::shared_ptr<const QtNativeImage> Load(const std::string& path);

    Size GetSize() const override { return m_size; }
    bool HasAlpha() const override { return m_hasAlpha; }

    // The picture as pixels, `scale` times its own size (raster images
    // ignore the scale). Kept until a different scale is asked for.
    const QImage& Pixels(double scale) const;

private:
    QtNativeImage() = default;

    Size m_size;
    bool m_hasAlpha = true;
    std::unique_ptr<QSvgRenderer> m_svg;
    mutable QImage m_pixels;
    mutable double m_pixelScale = 0;
};

}  // namespace warden
