#include "ui/qt/QtNativeImage.h"

#include <QPainter>
#include <cmath>
#include <filesystem>

#include "platform/Text.h"

namespace warden {
namespace {

// Keeps a broken or hostile picture from taking the program's memory.
constexpr int kMaxPixelSide = 8192;

bool IsSvg(const std::filesystem::path& path) {
    return EqualsNoCase(path.extension().string(), ".svg");
}

}  // namespace

std::shared_ptr<const QtNativeImage> QtNativeImage::Load(const std::string& file) {
    std::filesystem::path path(file);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) &&
        EqualsNoCase(path.extension().string(), ".png")) {
        path.replace_extension(".svg");
    }
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    const QString name = QString::fromStdString(path.string());
    std::shared_ptr<QtNativeImage> image(new QtNativeImage);
    if (IsSvg(path)) {
        image->m_svg = std::make_unique<QSvgRenderer>(name);
        const QSize size = image->m_svg->defaultSize();
        if (!image->m_svg->isValid() || size.isEmpty() || size.width() > kMaxPixelSide ||
            size.height() > kMaxPixelSide)
            return nullptr;
        image->m_size = {size.width(), size.height()};
        return image;
    }
    QImage pixels(name);
    if (pixels.isNull() || pixels.width() > kMaxPixelSide || pixels.height() > kMaxPixelSide)
        return nullptr;
    image->m_hasAlpha = pixels.hasAlphaChannel();
    image->m_pixels = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image->m_pixelScale = 1.0;
    image->m_size = {pixels.width(), pixels.height()};
    return image;
}

const QImage& QtNativeImage::Pixels(double scale) const {
    if (!m_svg) return m_pixels;
    // Quarter steps keep the number of re-renders small while resizing.
    scale = std::clamp(std::ceil(scale * 4.0) / 4.0, 0.25, 4.0);
    if (scale == m_pixelScale && !m_pixels.isNull()) return m_pixels;
    const int width = std::min(kMaxPixelSide, static_cast<int>(std::ceil(m_size.cx * scale)));
    const int height = std::min(kMaxPixelSide, static_cast<int>(std::ceil(m_size.cy * scale)));
    m_pixels = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    m_pixels.fill(Qt::transparent);
    QPainter painter(&m_pixels);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_svg->render(&painter);
    painter.end();
    m_pixelScale = scale;
    return m_pixels;
}

}  // namespace warden
