// Drawing of a map: branch boxes, text, icons and markers, tails, text boxes,
// the selection and the feedback of a drag.
#include "modelstate.h"
#include "tlink.h"
#include "tmindmap.h"
#include "ttextbox.h"

#include "platform/arith.h"
#include "platform/error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

Canvas& surface() {
    return modelState().canvas();
}

// Rounds half to even; a damaged map's far-away coordinates are held at the
// int32 limits, where nothing of them can be seen.
std::int32_t pixel(extended v) {
    constexpr extended lowest = std::numeric_limits<std::int32_t>::min();
    constexpr extended highest = std::numeric_limits<std::int32_t>::max();
    if (!(v > lowest)) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (!(v < highest)) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(roundHalfEven(v));
}

// The seven points of the S-shaped connector from (x0, y0) to (x1, y1).
std::vector<Point> connector(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    return {{x0, y0},
            {(x1 + 5 * x0) / 6, y0},
            {(x1 + 2 * x0) / 3, (3 * y0 + y1) / 4},
            {(x0 + x1) / 2, (y0 + y1) / 2},
            {(x0 + 2 * x1) / 3, (3 * y1 + y0) / 4},
            {(x0 + 5 * x1) / 6, y1},
            {x1, y1}};
}

// The red line from the centre to (x, y), then 40 units outward.
void dropLine(const tmindmap& m, Point p) {
    Canvas& c = surface();
    c.setPenColour(colours::red);
    c.moveTo(m.centreX + m.originX, m.centreY + m.originY);
    c.lineTo(p.x + m.originX, p.y + m.originY);
    c.lineTo((p.x < m.centreX ? p.x - 40 : p.x + 40) + m.originX, p.y + m.originY);
}

Rect inflated(const Rect& r, std::int32_t by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

Rect unite(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Everything the drawing of child k and its subtree can touch, in map units.
Rect reach(const tlink& k) {
    Rect r = inflated(k.subtreeRect, k.inkMargin);
    r = unite(r, inflated(Rect{k.left, k.top, k.right, k.bottom}, k.inkMargin));
    const tlink& p = *k.parent;
    const std::int32_t pen = std::abs(k.borderWidth) + 2;
    if (p.isRoot()) {
        // The tapering tail: between the root's centre and the inner end,
        // 20 wide, swinging at most 10 to the side.
        const std::int32_t xc = p.left + p.width / 2;
        const std::int32_t yc = p.top + p.height / 2;
        const std::int32_t xe = k.side == 0 ? k.left : k.right;
        const std::int32_t margin = 25 + pen;
        r = unite(r, Rect{std::min(xc, xe) - margin, std::min(yc, k.textBottom) - margin,
                          std::max(xc, xe) + margin, std::max(yc, k.textBottom) + margin});
    } else {
        const std::int32_t x0 = k.side == 0 ? p.right : p.left;
        r = unite(r, Rect{std::min(x0, k.left) - pen, std::min(p.textBottom, k.textBottom) - pen,
                          std::max(x0, k.right) + pen, std::max(p.textBottom, k.textBottom) + pen});
    }
    return r;
}

bool holds(const tlink& subtree, const tlink* branch) {
    for (const tlink* b = branch; b != nullptr; b = b->parent) {
        if (b == &subtree) {
            return true;
        }
    }
    return false;
}

// The pen widths that the drawing of a skipped subtree would have drawn the
// drop line with.
void dropLineWidths(const tlink& b, std::vector<std::int32_t>& widths) {
    if (std::find(widths.begin(), widths.end(), b.borderWidth) == widths.end()) {
        widths.push_back(b.borderWidth);
    }
    if (!b.hidden) {
        for (const auto& child : b.children) {
            dropLineWidths(*child, widths);
        }
    }
}

} // namespace

void tmindmap::drawAll(std::int32_t x, std::int32_t y) {
    dragRect.top = -10000;
    originX = x;
    originY = y;
    Canvas& c = surface();
    const QSize size = c.size();
    c.setBrushColour(colours::white);
    c.fillRect({0, 0, size.width(), size.height()});
    root->draw();
    for (const auto& box : textBoxes) {
        box->draw();
    }
}

void tlink::draw() {
    Canvas& c = surface();
    tmindmap& m = *map;
    const std::int32_t ox = m.originX;
    const std::int32_t oy = m.originY;

    if (!hidden) {
        const QSize size = c.size();
        const Rect visible{-ox, -oy, size.width() - ox, size.height() - oy};
        for (const auto& child : children) {
            // A subtree that cannot touch the surface is skipped, unless it
            // holds the drop target, whose drawing writes the drop state.
            if (!tmindmap::cullDrawing || rectsOverlap(reach(*child), visible) ||
                holds(*child, m.dropTarget)) {
                child->draw();
            } else if (m.dropNeighbourA != nullptr || m.dropNeighbourB != nullptr) {
                // Its branches would each have drawn the drop line, which can
                // cross the surface.
                std::vector<std::int32_t> widths;
                dropLineWidths(*child, widths);
                if (const auto point = m.bisectorPoint(m.dropNeighbourA, m.dropNeighbourB)) {
                    for (const std::int32_t w : widths) {
                        c.setPenWidth(w);
                        dropLine(m, *point);
                    }
                }
            }
        }
    }

    Font f = font;
    c.setFont(f);
    c.setBrushColour(fillColor);
    c.setPenWidth(borderWidth);

    if (!hidden) {
        // The box covers the text area; icons and markers stand outside it.
        if (!isRoot()) {
            c.setPenColour(fillColor);
            if (this == m.dropTarget) {
                c.setBrushColour(colours::olive);
                c.setPenColour(colours::black);
                c.roundRect(textLeft + ox, top + oy, textRight + ox, bottom + oy, 10, 10);
                textCentreX = (textLeft + textRight) / 2;
                c.moveTo(textCentreX + ox, top + oy);
                c.lineTo(textCentreX + ox, bottom + oy);
                c.setBrushColour(colours::red);
                c.roundRect(textCentreX + ox, top + oy, textRight + ox, bottom + oy, 10, 10);
                c.setPenColour(colours::red);
                c.rectangle(textCentreX + ox, top + 1 + oy, textRight - 10 + ox, bottom - 1 + oy);
                c.setTextBackground(TextBackground::Transparent);
                c.setFontColour(colours::white);
            } else {
                c.roundRect(textLeft + ox, top + oy, textRight + ox, bottom + oy, 15, 15);
            }
        } else {
            c.setPenColour(colours::black);
            c.roundRect(textLeft + ox, textTop + oy, textRight + ox, textBottom + oy, 10, 10);
        }

        c.setPenColour(lineColor);
        c.moveTo(left + ox, textBottom + oy);
        c.lineTo(right + ox, textBottom + oy);

        if (this == m.selected && !m.printing) {
            c.setFontColour(colours::white);
            c.setBrushColour(colours::blue);
            c.roundRect(textLeft + ox, textTop + oy, textRight + ox, textBottom + oy, 10, 10);
        }

        const bool main = isMain();
        const std::int32_t k = main ? 10 : 0;
        const std::int32_t iy = textBottom - 20;
        for (std::size_t i = 0; i < icons.size(); ++i) {
            const auto n = static_cast<std::int32_t>(i);
            const std::int32_t ix = side == 0 ? left + 20 * n + k : right - 20 * (n + 1) - k;
            const QImage& picture = modelState().iconButtons[icons[i]];
            if (!picture.isNull()) {
                c.draw(ix + ox, iy + oy, picture);
            }
        }

        for (qsizetype i = 0; i < lines.size(); ++i) {
            const std::int32_t ty = textTop + lineHeight * static_cast<std::int32_t>(i) + 2;
            const std::int32_t tx =
                side == 2 ? (textLeft + textRight - c.textWidth(lines[i])) / 2 : textLeft + 5;
            c.textOut(tx + ox, ty + oy, lines[i]);
        }

        if (main) {
            c.setPenColour(colours::black);
            c.setBrushColour(colours::white);
            if (side == 0) {
                c.roundRect(left + ox, textBottom - 2 + oy, left + 8 + ox, textBottom + 2 + oy, 4,
                            4);
            } else {
                c.roundRect(right - 8 + ox, textBottom - 2 + oy, right + ox, textBottom + 2 + oy, 4,
                            4);
            }
        }
    }

    c.setFontColour(colours::black);
    if (parent != nullptr) {
        drawTail();
    }

    // Drag feedback.
    if (m.dropNeighbourA != nullptr || m.dropNeighbourB != nullptr) {
        if (const auto point = m.bisectorPoint(m.dropNeighbourA, m.dropNeighbourB)) {
            dropLine(m, *point);
        }
        return;
    }
    if (this != m.dropTarget || parent == nullptr) {
        return;
    }
    const tlink& p = *parent;
    const std::int32_t gap = m.levelGap;
    auto beforeY = [&] {
        const auto it = std::find_if(p.children.begin(), p.children.end(),
                                     [this](const auto& child) { return child.get() == this; });
        const auto j = it - p.children.begin();
        return j > 0 ? (p.children[static_cast<std::size_t>(j - 1)]->bottom + top) / 2
                     : top - height / 2;
    };
    std::int32_t x1, y1, x2, x3, y2;
    const auto childCount = static_cast<std::int32_t>(children.size());
    if (side == 0 && m.dropLeftHalf) {
        x1 = p.right;
        y1 = p.textBottom;
        x2 = p.right + gap;
        x3 = x2 + width;
        y2 = beforeY();
        m.dropParent = parent;
        m.dropIndex = 0;
    } else if (side == 0) {
        x1 = right;
        y1 = textBottom;
        x2 = right + gap;
        if (!children.empty()) {
            x3 = childBlockRect.right;
            y2 = childBlockRect.bottom + height / 2;
        } else {
            x3 = x2 + gap;
            y2 = bottom - height / 2;
        }
        m.dropParent = this;
        m.dropIndex = childCount;
    } else if (m.dropLeftHalf) {
        x1 = left;
        y1 = textBottom;
        x2 = left - gap;
        if (!children.empty()) {
            x3 = childBlockRect.left;
            y2 = childBlockRect.bottom + c.textHeight(QStringLiteral("H")) / 2;
        } else {
            x3 = x2 - gap;
            y2 = bottom - height / 2;
        }
        m.dropParent = this;
        m.dropIndex = childCount;
    } else {
        x1 = p.left;
        y1 = p.textBottom;
        x2 = right;
        x3 = left;
        y2 = beforeY();
        m.dropParent = parent;
        m.dropIndex = 0;
    }

    if (m.dropParent->isRoot()) {
        // A new main branch: point between this one and the main branch on
        // its side that lies just above it.
        const tlink* q = nullptr;
        for (const auto& other : m.root->children) {
            if (other->side == side && other->bottom < bottom &&
                (q == nullptr || other->bottom > q->bottom)) {
                q = other.get();
            }
        }
        const auto point = side == 0 ? m.bisectorPoint(this, q) : m.bisectorPoint(q, this);
        if (point) {
            dropLine(m, *point);
        }
        return;
    }
    c.setPenColour(colours::black);
    c.setPenStyle(PenStyle::Dash);
    c.moveTo(x3 + ox, y2 + oy);
    c.lineTo(x2 + ox, y2 + oy);
    c.polyBezier(connector(x1 + ox, y1 + oy, x2 + ox, y2 + oy));
    c.setPenStyle(PenStyle::Solid);
}

void tlink::drawTail() {
    Canvas& c = surface();
    const tmindmap& m = *map;
    const tlink& p = *parent;
    const std::int32_t ox = m.originX;
    const std::int32_t oy = m.originY;

    if (!p.isRoot()) {
        const std::int32_t x0 = (side == 0 ? p.right : p.left) + ox;
        const std::int32_t x1 = (side == 0 ? left : right) + ox;
        c.setPenColour(lineColor);
        c.setPenWidth(borderWidth);
        c.polyBezier(connector(x0, p.textBottom + oy, x1, textBottom + oy));
        return;
    }

    // A tail that tapers from 20 units at the root's centre to a point here.
    constexpr int n = 21;
    constexpr extended pi = std::numbers::pi_v<extended>;
    const std::int32_t xc = p.left + p.width / 2;
    const std::int32_t yc = p.top + p.height / 2;
    std::int32_t e = (side == 0 ? left : right) - xc;
    if (e == 0) {
        e = 1;
    }
    const extended d = static_cast<extended>(yc) - textBottom;
    std::array<Point, n + 1> centre;
    for (int i = 0; i <= n; ++i) {
        extended l;
        extended h;
        if (std::abs(e) >= 21) {
            l = static_cast<extended>(n - i) * e / n;
            const extended t = l / e;
            h = d * (t * t * t - t * t - t);
        } else if (i <= n / 3) {
            const extended mm = i * (3 * pi / 2) / n;
            l = e < 0 ? e + std::sin(mm) * (10 - e) : e + std::sin(-mm) * (e + 10);
            h = -std::cos(mm) * d / 3 - 2 * d / 3;
        } else {
            const extended mm = 1 - static_cast<extended>(i - 7) / (n - 7);
            h = -2 * mm * d / 3;
            l = e < 0 ? 5 - 5 * std::cos(pi * mm) : 5 * std::cos(pi * mm) - 5;
        }
        // Rounded before the integer offsets are added, so halves go to even.
        centre[static_cast<std::size_t>(i)] = {pixel(extended(xc) + pixel(l) + ox),
                                               pixel(extended(yc) + pixel(h) + oy)};
    }
    std::vector<Point> outline(2 * n + 1);
    outline[n] = centre[0];
    for (int i = 1; i <= n; ++i) {
        const Point& a = centre[static_cast<std::size_t>(i)];
        const Point& b = centre[static_cast<std::size_t>(i - 1)];
        const extended dx = static_cast<extended>(a.x) - b.x;
        const extended dy = static_cast<extended>(a.y) - b.y;
        const extended s =
            std::abs(dx) + std::abs(dy) < 1 ? 0 : (10.0L * i / n) / std::sqrt(dx * dx + dy * dy);
        outline[static_cast<std::size_t>(n - i)] = {pixel(a.x + pixel(s * dy)),
                                                    pixel(a.y - pixel(s * dx))};
        outline[static_cast<std::size_t>(n + i)] = {pixel(a.x - pixel(s * dy)),
                                                    pixel(a.y + pixel(s * dx))};
    }
    c.setPenColour(lineColor);
    c.setBrushColour(m.printing ? colours::white : lineColor);
    c.polygon(outline);
}

void ttextbox::draw() {
    Canvas& c = surface();
    const std::int32_t ox = map != nullptr ? map->originX : 0;
    const std::int32_t oy = map != nullptr ? map->originY : 0;
    const Font savedFont = c.font();
    const Colour savedBrush = c.brush().colour;
    c.setFont(font);
    lineHeight = c.textHeight(QStringLiteral("H"));
    std::int32_t w = 0;
    for (const QString& line : lines) {
        w = std::max(w, c.textWidth(line));
    }
    w += 10;
    const std::int32_t h =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(lines.size())) * lineHeight + 10;
    const Rect r{left + ox, top + oy, left + w + ox, top + h + oy};
    if (transparent) {
        c.setTextBackground(TextBackground::Transparent);
    } else {
        c.setPenWidth(frameWidth);
        c.setPenColour(frameColor);
        c.setBrushColour(fillColor);
        c.rectangle(r.left, r.top, r.right, r.bottom);
        if (map != nullptr && this == map->selectedTextBox) {
            c.setBrushColour(colours::blue);
            c.setFontColour(colours::white);
            c.rectangle(r.left, r.top, r.right, r.bottom);
        }
    }
    right = r.right - ox;
    bottom = r.bottom - oy;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::int32_t y = r.top + static_cast<std::int32_t>(i) * lineHeight + 5;
        const std::int32_t tw = c.textWidth(lines[i]);
        switch (alignment) {
        case 0:
            c.textOut(r.left + 5, y, lines[i]);
            break;
        case 1:
            c.textOut((r.left + r.right - tw) / 2, y, lines[i]);
            break;
        case 2:
            c.textOut(r.right - tw - 5, y, lines[i]);
            break;
        default:
            break; // an alignment the program does not know draws no text
        }
    }
    c.setBrushColour(savedBrush);
    c.setFontColour(colours::black);
    c.setPenWidth(1);
    if (transparent) {
        c.setTextBackground(TextBackground::Opaque);
    }
    c.setFont(savedFont);
}

QImage tmindmap::wholeMapPicture() {
    tmodelstate& state = modelState();
    updateExtents();
    const std::int64_t w = std::int64_t(extent.right) - extent.left;
    const std::int64_t h = std::int64_t(extent.bottom) - extent.top;
    // Four bytes a pixel; beyond this no printer or picture file is served.
    constexpr std::int64_t largest = std::int64_t(1) << 30;
    if (w <= 0 || h <= 0 || w > 1000000 || h > 1000000 || w * h > largest) {
        throw RangeError(QStringLiteral("De mindmap is te groot voor een afbeelding"));
    }
    std::unique_ptr<ImageSurface> saved = std::move(state.drawingBitmap);
    Canvas* savedOverride = state.canvasOverride;
    const std::int32_t savedViewWidth = viewWidth;
    const std::int32_t savedViewHeight = viewHeight;
    auto putBack = [&] {
        state.drawingBitmap = std::move(saved);
        state.canvasOverride = savedOverride;
        viewWidth = savedViewWidth;
        viewHeight = savedViewHeight;
        printing = false;
    };
    QImage picture;
    try {
        state.drawingBitmap =
            std::make_unique<ImageSurface>(static_cast<int>(w), static_cast<int>(h));
        if (state.drawingBitmap->image().isNull()) {
            throw RangeError(QStringLiteral("De mindmap is te groot voor een afbeelding"));
        }
        state.canvasOverride = nullptr;
        printing = true;
        viewWidth = static_cast<std::int32_t>(w);
        viewHeight = static_cast<std::int32_t>(h);
        drawAll(-extent.left, -extent.top);
        picture = state.drawingBitmap->image();
    } catch (...) {
        putBack();
        throw;
    }
    putBack();
    return picture;
}
