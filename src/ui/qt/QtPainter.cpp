#include "ui/qt/QtPainter.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>
#include <algorithm>

#include "ui/qt/QtConvert.h"
#include "ui/qt/QtNativeImage.h"

namespace warden {
namespace {

// A copy of `pixels` with the colour `mask` made transparent.
QImage WithMask(const QImage& pixels, Color mask) {
    QImage copy = pixels.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(mask | 0xFF000000u).rgb();
    for (int y = 0; y < copy.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x) {
            if ((line[x] | 0xFF000000u) == key) line[x] = 0;
        }
    }
    return copy;
}

// The shape of `pixels` filled with `tint` (0x00BBGGRR).
QImage Tinted(const QImage& pixels, uint32_t tint) {
    QImage copy = pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&copy);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(copy.rect(), QColor(tint & 0xFF, (tint >> 8) & 0xFF, (tint >> 16) & 0xFF));
    return copy;
}

Qt::Alignment AlignmentOf(uint32_t format) {
    Qt::Alignment align = (format & kDtCenter)  ? Qt::AlignHCenter
                          : (format & kDtRight) ? Qt::AlignRight
                                                : Qt::AlignLeft;
    if (format & kDtVCenter) {
        align |= Qt::AlignVCenter;
    } else if (format & kDtBottom) {
        align |= Qt::AlignBottom;
    } else {
        align |= Qt::AlignTop;
    }
    return align;
}

}  // namespace

QtPainter::QtPainter(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

QtPainter::~QtPainter() {
    while (m_clipDepth > 0) PopClip();
}

void QtPainter::FillRect(const Rect& rect, Color color) {
    if (rect.IsEmpty() || (color >> 24) == 0) return;
    m_painter.fillRect(ToQRect(rect), ToQColor(color));
}

void QtPainter::DrawRect(const Rect& rect, int width, Color color) {
    if (rect.IsEmpty() || width <= 0) return;
    const int w = std::min({width, rect.Width(), rect.Height()});
    FillRect({rect.left, rect.top, rect.right, rect.top + w}, color);
    FillRect({rect.left, rect.bottom - w, rect.right, rect.bottom}, color);
    FillRect({rect.left, rect.top + w, rect.left + w, rect.bottom - w}, color);
    FillRect({rect.right - w, rect.top + w, rect.right, rect.bottom - w}, color);
}

void QtPainter::DrawLine(Point from, Point to, int width, Color color) {
    m_painter.setRenderHint(QPainter::Antialiasing, from.x != to.x && from.y != to.y);
    m_painter.setPen(QPen(ToQColor(color), std::max(width, 1), Qt::SolidLine, Qt::FlatCap));
    m_painter.drawLine(from.x, from.y, to.x, to.y);
}

void QtPainter::DrawPart(const QImage& pixels, const QRectF& dest, const QRectF& source,
                         bool xTiled, bool yTiled) {
    if (dest.isEmpty() || source.isEmpty()) return;
    if (!xTiled && !yTiled) {
        m_painter.drawImage(dest, pixels, source);
        return;
    }
    const QPixmap tile = QPixmap::fromImage(pixels.copy(source.toAlignedRect()));
    QSizeF size = tile.size();
    if (!xTiled) size.setWidth(dest.width());
    if (!yTiled) size.setHeight(dest.height());
    m_painter.drawTiledPixmap(dest, tile.scaled(size.toSize()));
}

void QtPainter::DrawImage(const NativeImage& image, const ImageDrawParams& params) {
    const auto* native = dynamic_cast<const QtNativeImage*>(&image);
    if (native == nullptr || params.dest.IsEmpty() || params.fade == 0) return;
    const Size size = native->GetSize();
    Rect source = params.source.IsEmpty() ? Rect{0, 0, size.cx, size.cy} : params.source;
    source = source.Intersect({0, 0, size.cx, size.cy});
    if (source.IsEmpty()) return;

    const Rect& dest = params.dest;
    const Rect& corner = params.corner;
    const bool nineGrid = corner.left || corner.top || corner.right || corner.bottom;
    const double ratioX = static_cast<double>(dest.Width()) / source.Width();
    const double ratioY = static_cast<double>(dest.Height()) / source.Height();
    const double wanted = nineGrid ? 1.0 : std::min(ratioX, ratioY);
    QImage pixels = native->Pixels(wanted);
    if (pixels.isNull()) return;
    if (params.useMask) pixels = WithMask(pixels, params.mask);
    if (params.tintOn) pixels = Tinted(pixels, params.tint);
    // Picture units to pixels of `pixels`.
    const double unit = static_cast<double>(pixels.width()) / size.cx;
    auto src = [&](double l, double t, double r, double b) {
        return QRectF(l * unit, t * unit, (r - l) * unit, (b - t) * unit);
    };

    m_painter.save();
    double opacity = params.fade / 255.0;
    if (params.tintOn) opacity *= std::min<uint32_t>(params.tintLevel, 255) / 255.0;
    m_painter.setOpacity(opacity);
    if (!nineGrid) {
        DrawPart(pixels, ToQRect(dest), src(source.left, source.top, source.right, source.bottom),
                 params.xTiled, params.yTiled);
        m_painter.restore();
        return;
    }
    // Nine cells: corners keep their size, edges stretch one way, the centre both.
    const int cl = std::min(corner.left, source.Width()),
              cr = std::min(corner.right, source.Width() - cl);
    const int ct = std::min(corner.top, source.Height()),
              cb = std::min(corner.bottom, source.Height() - ct);
    // Corners never overlap in the destination; a source without a middle
    // stretches a one-unit slice between its corners.
    const int dl = std::min(cl, dest.Width() / 2), dr = std::min(cr, dest.Width() - dl);
    const int dt = std::min(ct, dest.Height() / 2), db = std::min(cb, dest.Height() - dt);
    auto middle = [](double from, double to) {
        return from < to ? std::pair{from, to} : std::pair{from - 0.5, from + 0.5};
    };
    const auto [mx1, mx2] = middle(source.left + cl, source.right - cr);
    const auto [my1, my2] = middle(source.top + ct, source.bottom - cb);
    const double sx[4] = {double(source.left), mx1, mx2, double(source.right)};
    const double sy[4] = {double(source.top), my1, my2, double(source.bottom)};
    const int dx[4] = {dest.left, dest.left + dl, dest.right - dr, dest.right};
    const int dy[4] = {dest.top, dest.top + dt, dest.bottom - db, dest.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const bool centre = row == 1 && col == 1;
            if (centre && params.hole) continue;
            const QRectF target(dx[col], dy[row], dx[col + 1] - dx[col], dy[row + 1] - dy[row]);
            DrawPart(pixels, target, src(sx[col], sy[row], sx[col + 1], sy[row + 1]),
                     centre && params.xTiled, centre && params.yTiled);
        }
    }
    m_painter.restore();
}

void QtPainter::DrawText(const Rect& rect, std::string_view text, const FontInfo& font, Color color,
                         uint32_t format) {
    if (rect.IsEmpty() || text.empty()) return;
    const QFont qfont = ToQFont(font);
    m_painter.setFont(qfont);
    m_painter.setPen(ToQColor(color));
    QString qtext = ToQString(text);
    int flags = static_cast<int>(AlignmentOf(format));
    if (format & kDtWordBreak && !(format & kDtSingleLine)) {
        flags |= Qt::TextWordWrap;
    } else {
        flags |= Qt::TextSingleLine;
        if (format & kDtEndEllipsis) {
            qtext = QFontMetrics(qfont).elidedText(qtext, Qt::ElideRight, rect.Width());
        }
    }
    m_painter.drawText(ToQRect(rect), flags, qtext);
}

void QtPainter::FillEllipse(const Rect& bounds, Color color) {
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    m_painter.drawEllipse(ToQRect(bounds));
    m_painter.setBrush(Qt::NoBrush);
}

void QtPainter::DrawEllipse(const Rect& bounds, int width, Color color) {
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(QPen(ToQColor(color), std::max(width, 1)));
    m_painter.setBrush(Qt::NoBrush);
    const double inset = std::max(width, 1) / 2.0;
    m_painter.drawEllipse(QRectF(ToQRect(bounds)).adjusted(inset, inset, -inset, -inset));
}

void QtPainter::FillPie(const Rect& bounds, double startDeg, double sweepDeg, Color color) {
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    // Qt counts angles counter-clockwise in 1/16 degree.
    m_painter.drawPie(ToQRect(bounds), static_cast<int>(-startDeg * 16),
                      static_cast<int>(-sweepDeg * 16));
    m_painter.setBrush(Qt::NoBrush);
}

void QtPainter::DrawArc(const Rect& bounds, double startDeg, double sweepDeg, int width,
                        Color color) {
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(QPen(ToQColor(color), std::max(width, 1), Qt::SolidLine, Qt::FlatCap));
    const double inset = std::max(width, 1) / 2.0;
    m_painter.drawArc(QRectF(ToQRect(bounds)).adjusted(inset, inset, -inset, -inset),
                      static_cast<int>(-startDeg * 16), static_cast<int>(-sweepDeg * 16));
}

void QtPainter::FillPolygon(std::span<const Point> points, Color color) {
    if (points.size() < 3) return;
    QPolygon polygon;
    for (const auto& p : points) polygon << QPoint(p.x, p.y);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    m_painter.drawPolygon(polygon);
    m_painter.setBrush(Qt::NoBrush);
}

void QtPainter::PushClip(const Rect& rect) {
    m_painter.save();
    m_painter.setClipRect(ToQRect(rect),
                          m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    ++m_clipDepth;
}

void QtPainter::PopClip() {
    if (m_clipDepth == 0) return;
    m_painter.restore();
    --m_clipDepth;
}

}  // namespace warden
