#include "canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>

// --- Canvas: state and measurement -----------------------------------------

Canvas::Canvas() = default;
Canvas::~Canvas() = default;

void Canvas::setFont(const Font& font) {
    if (!m_font.sameFace(font)) {
        m_qfont.reset();
        m_metrics.reset();
    }
    m_font = font;
    m_fontChanged = true;
}

void Canvas::setFontColour(Colour colour) {
    m_font.colour = colour;
    m_fontChanged = true;
}

void Canvas::setPen(const Pen& pen) {
    m_pen = pen;
    m_penChanged = true;
}

void Canvas::setPenColour(Colour colour) {
    m_pen.colour = colour;
    m_penChanged = true;
}

void Canvas::setPenWidth(std::int32_t width) {
    m_pen.width = width;
    m_penChanged = true;
}

void Canvas::setPenStyle(PenStyle style) {
    m_pen.style = style;
    m_penChanged = true;
}

void Canvas::setPenMode(PenMode mode) {
    m_pen.mode = mode;
    m_penChanged = true;
}

void Canvas::setBrush(const Brush& brush) {
    m_brush = brush;
    m_brushChanged = true;
    m_textBackground =
        brush.style == BrushStyle::Solid ? TextBackground::Opaque : TextBackground::Transparent;
}

void Canvas::setBrushColour(Colour colour) {
    setBrush({colour, BrushStyle::Solid});
}

void Canvas::setBrushStyle(BrushStyle style) {
    setBrush({m_brush.colour, style});
}

void Canvas::setTextBackground(TextBackground mode) {
    m_textBackground = mode;
}

void Canvas::moveTo(std::int32_t x, std::int32_t y) {
    m_penPosition = {x, y};
}

void Canvas::lineTo(std::int32_t x, std::int32_t y) {
    line(m_penPosition, {x, y});
    m_penPosition = {x, y};
}

const QFont& Canvas::qfont() {
    if (!m_qfont) {
        m_qfont = toQFont(m_font);
    }
    return *m_qfont;
}

// Measured without a device: the same extents on screen, image and printer, so
// a layout never depends on where it is drawn.
const QFontMetrics& Canvas::metrics() {
    if (!m_metrics) {
        m_metrics.emplace(qfont());
    }
    return *m_metrics;
}

std::int32_t Canvas::textWidth(const QString& text) {
    return metrics().horizontalAdvance(text);
}

std::int32_t Canvas::textHeight(const QString&) {
    return metrics().ascent() + metrics().descent();
}

std::int32_t Canvas::fontAscent() {
    return metrics().ascent();
}

// --- PainterCanvas ----------------------------------------------------------

namespace {

// The platform's cosmetic dash patterns, in pixels.
const QList<qreal> dashPattern = {18, 6};
const QList<qreal> dotPattern = {3, 3};

// Pixel box of a shape from (left, top) to (right, bottom), edges excluded.
QRect shapeBox(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// The outline of a width-1 pen covers the box; Qt strokes one pixel beyond the
// given rectangle's right and bottom, so hand it one pixel less.
QRect strokeBox(const QRect& box) {
    return box.adjusted(0, 0, -1, -1);
}

// Cuts the segment to the box (Liang-Barsky); false when nothing is left.
bool clipLine(const QRect& box, Point& a, Point& b) {
    const double x0 = a.x, y0 = a.y;
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left(), box.right() - x0, y0 - box.top(), box.bottom() - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const Point start{static_cast<std::int32_t>(std::lround(x0 + t0 * dx)),
                      static_cast<std::int32_t>(std::lround(y0 + t0 * dy))};
    const Point end{static_cast<std::int32_t>(std::lround(x0 + t1 * dx)),
                    static_cast<std::int32_t>(std::lround(y0 + t1 * dy))};
    a = start;
    b = end;
    return true;
}

double rayAngle(double cx, double cy, std::int32_t x, std::int32_t y) {
    // Degrees counter-clockwise from 3 o'clock, y growing downwards.
    return std::atan2(-(y - cy), x - cx) * 180.0 / std::numbers::pi;
}

} // namespace

PainterCanvas::PainterCanvas(QImage* image)
    : m_image(image) {}

PainterCanvas::PainterCanvas(QPaintDevice* device)
    : m_device(device) {}

PainterCanvas::~PainterCanvas() {
    end();
}

void PainterCanvas::end() {
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

void PainterCanvas::setImage(QImage* image) {
    end();
    m_image = image;
    m_device = nullptr;
}

QRect PainterCanvas::surfaceBounds() const {
    if (m_image) {
        return m_image->rect();
    }
    return m_device ? QRect(0, 0, m_device->width(), m_device->height()) : QRect();
}

QPainter& PainterCanvas::painter() {
    if (!m_painter) {
        QPaintDevice* target = m_image ? static_cast<QPaintDevice*>(m_image) : m_device;
        m_painter = std::make_unique<QPainter>();
        if (target && !(m_image && m_image->isNull())) {
            m_painter->begin(target);
        }
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setRenderHint(QPainter::TextAntialiasing, true);
        // A zoomed copy keeps thin lines visible instead of dropping them.
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
        m_penChanged = m_brushChanged = m_fontChanged = true;
    }
    return *m_painter;
}

void PainterCanvas::applyPen() {
    QPainter& p = painter();
    if (!m_penChanged) {
        return;
    }
    m_penChanged = false;
    const Pen& state = pen();
    if (state.style == PenStyle::Clear) {
        p.setPen(Qt::NoPen);
    } else {
        QPen q(toQColor(state.colour));
        if (state.width <= 1) {
            q.setWidth(1);
            q.setCosmetic(true);
            q.setCapStyle(Qt::FlatCap);
            q.setJoinStyle(Qt::MiterJoin);
            // Only thin pens are styled; the platform draws wide ones solid.
            if (state.style == PenStyle::Dash) {
                q.setDashPattern(dashPattern);
            } else if (state.style == PenStyle::Dot) {
                q.setDashPattern(dotPattern);
            }
        } else {
            // A damaged map may ask for any width; beyond this nothing is seen anyway.
            constexpr std::int32_t widest = 1000;
            q.setWidth(std::min(state.width, widest));
            q.setCapStyle(Qt::RoundCap);
            q.setJoinStyle(Qt::RoundJoin);
        }
        p.setPen(q);
    }
    p.setCompositionMode(state.mode == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                       : QPainter::CompositionMode_SourceOver);
}

void PainterCanvas::applyBrush() {
    QPainter& p = painter();
    if (!m_brushChanged) {
        return;
    }
    m_brushChanged = false;
    if (brush().style == BrushStyle::Clear) {
        p.setBrush(Qt::NoBrush);
    } else {
        p.setBrush(QBrush(toQColor(brush().colour)));
    }
}

void PainterCanvas::applyShapeState() {
    applyPen();
    applyBrush();
}

void PainterCanvas::fillRect(const Rect& rect) {
    if (brush().style == BrushStyle::Clear || rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    QPainter& p = painter();
    applyPen();
    p.fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()), toQColor(brush().colour));
}

void PainterCanvas::rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) {
    QPainter& p = painter();
    applyShapeState();
    const QRect box = shapeBox(left, top, right, bottom);
    if (pen().style == PenStyle::Clear) {
        // Without a pen the platform fills one pixel less on the right and bottom.
        if (brush().style == BrushStyle::Solid) {
            p.fillRect(box.adjusted(0, 0, -1, -1), p.brush());
        }
        return;
    }
    if (pen().width <= 1) {
        p.drawRect(strokeBox(box));
    } else {
        p.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void PainterCanvas::roundRect(std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom, std::int32_t ellipseWidth,
                              std::int32_t ellipseHeight) {
    QPainter& p = painter();
    applyShapeState();
    const QRect box = shapeBox(left, top, right, bottom);
    const qreal rx = std::max(0, ellipseWidth) / 2.0;
    const qreal ry = std::max(0, ellipseHeight) / 2.0;
    if (pen().width <= 1 || pen().style == PenStyle::Clear) {
        p.drawRoundedRect(QRectF(strokeBox(box)), rx, ry, Qt::AbsoluteSize);
    } else {
        p.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), rx, ry, Qt::AbsoluteSize);
    }
}

void PainterCanvas::ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom) {
    QPainter& p = painter();
    applyShapeState();
    const QRect box = shapeBox(left, top, right, bottom);
    if (pen().width <= 1 || pen().style == PenStyle::Clear) {
        p.drawEllipse(strokeBox(box));
    } else {
        p.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void PainterCanvas::arc(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom, std::int32_t x3, std::int32_t y3, std::int32_t x4,
                        std::int32_t y4) {
    QPainter& p = painter();
    applyPen();
    const QRect box = shapeBox(left, top, right, bottom);
    const QRectF path =
        pen().width <= 1 ? QRectF(strokeBox(box)) : QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5);
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double start = rayAngle(cx, cy, x3, y3);
    double span = rayAngle(cx, cy, x4, y4) - start;
    while (span <= 0) {
        span += 360.0; // equal rays draw the whole ellipse
    }
    p.drawArc(path, static_cast<int>(std::lround(start * 16)),
              static_cast<int>(std::lround(span * 16)));
}

void PainterCanvas::polygon(const std::vector<Point>& points) {
    if (points.size() < 2) {
        return;
    }
    QPainter& p = painter();
    applyShapeState();
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const Point& pt : points) {
        poly.append(QPoint(pt.x, pt.y));
    }
    p.drawPolygon(poly, Qt::OddEvenFill);
}

void PainterCanvas::polyBezier(const std::vector<Point>& points) {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) {
        return;
    }
    QPainter& p = painter();
    applyPen();
    QPainterPath path(QPointF(points[0].x, points[0].y));
    for (std::size_t i = 1; i + 2 < points.size(); i += 3) {
        path.cubicTo(QPointF(points[i].x, points[i].y), QPointF(points[i + 1].x, points[i + 1].y),
                     QPointF(points[i + 2].x, points[i + 2].y));
    }
    p.strokePath(path, p.pen());
}

void PainterCanvas::line(Point from, Point to) {
    if (from == to) {
        return; // the end point is never drawn, so nothing is
    }
    QPainter& p = painter();
    applyPen();
    if (pen().style == PenStyle::Clear) {
        return;
    }
    if (pen().width > 1) {
        p.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
        return;
    }
    // Thin lines are stepped here, pixel by pixel from the start, so that the
    // end point is left out whatever the direction and the dash pattern runs
    // from the start.
    const QList<qreal>* pattern = pen().style == PenStyle::Dash  ? &dashPattern
                                  : pen().style == PenStyle::Dot ? &dotPattern
                                                                 : nullptr;
    const int period = pattern ? static_cast<int>((*pattern)[0] + (*pattern)[1]) : 1;
    const int on = pattern ? static_cast<int>((*pattern)[0]) : 1;
    // A line far beyond the surface (a damaged map can hold any coordinate) is
    // first cut to the surface, keeping the pattern's phase.
    int phase = 0;
    const QRect bounds = surfaceBounds().adjusted(-2, -2, 2, 2);
    if (!bounds.contains(QPoint(from.x, from.y)) || !bounds.contains(QPoint(to.x, to.y))) {
        Point start = from, end = to;
        if (!clipLine(bounds, start, end)) {
            return;
        }
        const std::int64_t major =
            std::max(std::abs(std::int64_t(to.x) - from.x), std::abs(std::int64_t(to.y) - from.y));
        const std::int64_t skipped = std::max(std::abs(std::int64_t(start.x) - from.x),
                                              std::abs(std::int64_t(start.y) - from.y));
        phase = static_cast<int>(std::min(skipped, major) % period);
        from = start;
        if (!bounds.contains(QPoint(to.x, to.y))) {
            to = end;
        }
        if (from == to) {
            return;
        }
    }
    QPolygon pixels;
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1;
    const int sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    int x = from.x;
    int y = from.y;
    for (int step = phase; x != to.x || y != to.y; ++step) {
        if (step % period < on) {
            pixels.append(QPoint(x, y));
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    QPen dotPen(toQColor(pen().colour), 1);
    dotPen.setCosmetic(true);
    dotPen.setCapStyle(Qt::SquareCap);
    p.setPen(dotPen);
    p.drawPoints(pixels);
    m_penChanged = true;
}

void PainterCanvas::textOut(std::int32_t x, std::int32_t y, const QString& text) {
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (textBackground() == TextBackground::Opaque && brush().style == BrushStyle::Solid) {
        p.fillRect(QRect(x, y, textWidth(text), textHeight(text)), toQColor(brush().colour));
    }
    p.setFont(qfont());
    p.setPen(QPen(toQColor(font().colour)));
    p.drawText(QPoint(x, y + fontAscent()), text);
    m_penChanged = true; // the painter now holds the text colour
}

void PainterCanvas::floodFill(std::int32_t x, std::int32_t y, Colour border) {
    if (!m_image || m_image->isNull() || brush().style == BrushStyle::Clear) {
        return;
    }
    end(); // the pixels are changed directly
    QImage& image = *m_image;
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
        return;
    }
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        image.convertTo(QImage::Format_RGB32);
    }
    const QRgb stop = toQColor(border).rgb() & 0xFFFFFF;
    const QRgb fill = toQColor(brush().colour).rgb();
    const int w = image.width();
    const int h = image.height();
    auto pixelAt = [&](int px, int py) -> QRgb& {
        return reinterpret_cast<QRgb*>(image.scanLine(py))[px];
    };
    auto open = [&](int px, int py) { return (pixelAt(px, py) & 0xFFFFFF) != stop; };
    if (!open(x, y)) {
        return;
    }
    std::vector<bool> seen(static_cast<std::size_t>(w) * h, false);
    std::vector<QPoint> todo{QPoint(x, y)};
    while (!todo.empty()) {
        const QPoint seed = todo.back();
        todo.pop_back();
        const int py = seed.y();
        int lx = seed.x();
        if (seen[static_cast<std::size_t>(py) * w + lx] || !open(lx, py)) {
            continue;
        }
        while (lx > 0 && open(lx - 1, py) && !seen[static_cast<std::size_t>(py) * w + lx - 1]) {
            --lx;
        }
        int rx = lx;
        while (rx < w && open(rx, py) && !seen[static_cast<std::size_t>(py) * w + rx]) {
            seen[static_cast<std::size_t>(py) * w + rx] = true;
            pixelAt(rx, py) = fill;
            ++rx;
        }
        for (int ny : {py - 1, py + 1}) {
            if (ny < 0 || ny >= h) {
                continue;
            }
            for (int px = lx; px < rx; ++px) {
                if (!seen[static_cast<std::size_t>(ny) * w + px] && open(px, ny)) {
                    todo.push_back(QPoint(px, ny));
                    // one seed per run of open pixels is enough
                    while (px + 1 < rx && open(px + 1, ny)) {
                        ++px;
                    }
                }
            }
        }
    }
}

void PainterCanvas::draw(std::int32_t x, std::int32_t y, const QImage& image) {
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(x, y), image);
    m_penChanged = true;
}

void PainterCanvas::stretchDraw(const Rect& rect, const QImage& image) {
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QRect(rect.left, rect.top, rect.width(), rect.height()), image);
    m_penChanged = true;
}

void PainterCanvas::copyRect(const Rect& target, const QImage& source, const Rect& sourceRect) {
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QRect(target.left, target.top, target.width(), target.height()), source,
                QRect(sourceRect.left, sourceRect.top, sourceRect.width(), sourceRect.height()));
    m_penChanged = true;
}
