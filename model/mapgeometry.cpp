// The map's geometry: zoom and conversions, the visible part, the quadrant
// corners, the content's extent and the growth of the canvas.
#include "mapview.h"
#include "modelstate.h"
#include "tmindmap.h"

#include "platform/arith.h"
#include "platform/error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

Point tmindmap::toScreen(std::int32_t x, std::int32_t y) const {
    return {roundToInt32(x * scaleX + offsetX), roundToInt32(y * scaleY + offsetY)};
}

Point tmindmap::toMap(std::int32_t sx, std::int32_t sy) const {
    return {roundToInt32(sx * invScaleX + invOffsetX), roundToInt32(sy * invScaleY + invOffsetY)};
}

void tmindmap::updateScale() {
    if (zoom <= 0) {
        // A zoom of 0 has no inverse; the platform stopped with a division error.
        throw RangeError(QStringLiteral("Ongeldige zoomfactor: %1").arg(zoom));
    }
    scaleX = zoom / 100.0L;
    scaleY = zoom / 100.0L;
    offsetX = 0;
    offsetY = 0;
    invScaleX = 1 / scaleX;
    invScaleY = 1 / scaleY;
    invOffsetX = -offsetX / scaleX;
    invOffsetY = -offsetY / scaleY;
    paintWidth = roundToInt32(width * scaleX);
    paintHeight = roundToInt32(height * scaleY);
}

Point tmindmap::zoomAt(std::int32_t newZoom, Point scrollPos, const Rect& clientRect) {
    zoom = newZoom;
    const extended px = (clientRect.left + clientRect.right) / 2 + extended(scrollPos.x);
    const extended py = (clientRect.top + clientRect.bottom) / 2 + extended(scrollPos.y);
    extended mx = px * invScaleX + invOffsetX;
    extended my = py * invScaleY + invOffsetY;
    updateScale();
    if (paintBox != nullptr) {
        paintBox->setPaintSize(paintWidth, paintHeight);
    }
    mx = mx - clientRect.right * invScaleX / 2;
    my = my - clientRect.bottom * invScaleY / 2;
    return {roundToInt32(scaleX * mx + offsetX), roundToInt32(scaleY * my + offsetY)};
}

bool tmindmap::prepareView(std::int32_t x, std::int32_t y, std::int32_t& left, std::int32_t& top) {
    // 64-bit sums: a view near the int32 limits must not wrap into the content.
    const std::int64_t l = std::max<std::int64_t>(x, extent.left);
    const std::int64_t w = std::min<std::int64_t>(extent.right, std::int64_t(x) + viewWidth) - l;
    if (w <= 0) {
        return false;
    }
    const std::int64_t t = std::max<std::int64_t>(y, extent.top);
    const std::int64_t h = std::min<std::int64_t>(extent.bottom, std::int64_t(y) + viewHeight) - t;
    if (h <= 0) {
        return false;
    }
    left = static_cast<std::int32_t>(l);
    top = static_cast<std::int32_t>(t);
    const auto w32 = static_cast<std::int32_t>(w);
    const auto h32 = static_cast<std::int32_t>(h);
    modelState().drawingBitmap->resize(w32, h32);
    sourceRect = {0, 0, w32, h32};
    viewLeft = x;
    viewTop = y;
    targetRect = {roundToInt32(left * scaleX + offsetX), roundToInt32(top * scaleY + offsetY),
                  roundToInt32((l + w) * scaleX + offsetX),
                  roundToInt32((t + h) * scaleY + offsetY)};
    return true;
}

void tmindmap::updateQuadrants() {
    centreX = (root->left + root->right) / 2;
    centreY = (root->top + root->bottom) / 2;
    upperLeft = lowerLeft = upperRight = lowerRight = {centreX, centreY};
    for (const auto& main : root->children) {
        const Rect& r = main->subtreeRect;
        if (r.top < centreY) {
            if (r.left < centreX) {
                upperLeft.y = std::min(upperLeft.y, r.top);
                upperLeft.x = std::min(upperLeft.x, r.left);
            } else if (r.left > centreX) {
                upperRight.y = std::min(upperRight.y, r.top);
                upperRight.x = std::max(upperRight.x, r.right);
            }
        }
        if (r.bottom > centreY) {
            if (r.left < centreX) {
                lowerLeft.y = std::max(lowerLeft.y, r.bottom);
                lowerLeft.x = std::min(lowerLeft.x, r.left);
            } else if (r.left > centreX) {
                lowerRight.y = std::max(lowerRight.y, r.bottom);
                lowerRight.x = std::max(lowerRight.x, r.right);
            }
        }
    }
    updateExtents();
}

void tmindmap::updateExtents() {
    std::int32_t minLeft = std::numeric_limits<std::int32_t>::max();
    std::int32_t minTop = minLeft;
    std::int32_t maxRight = std::numeric_limits<std::int32_t>::min();
    std::int32_t maxBottom = maxRight;
    auto take = [&](std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        minLeft = std::min(minLeft, l);
        minTop = std::min(minTop, t);
        maxRight = std::max(maxRight, r);
        maxBottom = std::max(maxBottom, b);
    };
    // Iterative: the walk must not depend on the depth of the tree.
    std::vector<const tlink*> pending{root.get()};
    while (!pending.empty()) {
        const tlink* b = pending.back();
        pending.pop_back();
        take(b->left, b->top, b->right, b->bottom);
        for (const auto& child : b->children) {
            pending.push_back(child.get());
        }
    }
    for (const auto& box : textBoxes) {
        take(box->left, box->top, box->right, box->bottom);
    }
    extent = {minLeft - 1, minTop - 1, maxRight + 1, maxBottom + 1};
}

void tmindmap::fitCanvas() {
    updateQuadrants();
    const std::int32_t a = std::min(upperLeft.x, lowerLeft.x);
    const std::int32_t b = std::min(upperLeft.y, upperRight.y);
    const std::int32_t dx = a > 99 ? 0 : 200 - a;
    const std::int32_t dy = b > 99 ? 0 : 200 - b;
    if (dx != 0 || dy != 0) {
        root->moveBy(dx, dy);
    }
    const std::int32_t e = std::max(upperRight.x, lowerRight.x);
    const std::int32_t f = std::max(lowerLeft.y, lowerRight.y);
    if (width - 100 < e) {
        width = e + 200;
    }
    if (height - 100 < f) {
        height = f + 200;
    }
    updateQuadrants();
    paintWidth = roundToInt32(width * scaleX);
    paintHeight = roundToInt32(height * scaleY);
    if (paintBox != nullptr) {
        paintBox->setPaintSize(paintWidth, paintHeight);
    }
    MapScrollBox* scroll = modelState().scrollBox;
    if (scroll != nullptr) {
        if (scroll->horizontalRange() != paintWidth) {
            scroll->setHorizontalRange(paintWidth);
        }
        if (scroll->verticalRange() != paintHeight) {
            scroll->setVerticalRange(paintHeight);
        }
    }
}

std::optional<Point> tmindmap::bisectorPoint(const tlink* a, const tlink* b) const {
    if (a == nullptr && b == nullptr) {
        return std::nullopt;
    }
    constexpr extended pi = std::numbers::pi_v<extended>;
    // Counter-clockwise from straight up: 0 up, pi/2 left, pi down, 3pi/2 right.
    auto angle = [&](const tlink& k) -> extended {
        const extended d = extended(k.bottom) - centreY;
        if (k.side == 1) {
            const extended dx = extended(k.right) - centreX;
            if (dx != 0) {
                return pi / 2 - std::atan(d / dx);
            }
            return d > 0 ? pi : 0;
        }
        const extended dx = extended(centreX) - k.left;
        if (dx != 0) {
            return 3 * pi / 2 + std::atan(d / dx);
        }
        return d > 0 ? pi : 2 * pi;
    };
    const extended alpha = a != nullptr ? angle(*a) : 0;
    const extended beta = b != nullptr ? angle(*b) : 2 * pi;
    const extended m = (alpha + beta) / 2;
    return Point{roundToInt32(centreX - 100 * std::sin(m)),
                 roundToInt32(centreY - 100 * std::cos(m))};
}
