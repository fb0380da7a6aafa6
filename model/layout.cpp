// Sizes of branch boxes, placement of the subtrees below the main branches,
// and keeping the main subtrees apart.
#include "modelstate.h"
#include "tlink.h"
#include "tmindmap.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::int32_t noHandle = std::numeric_limits<std::int32_t>::max();

Rect unionOf(const Rect& a, const Rect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

bool rectsOverlap(const Rect& a, const Rect& b) {
    return a.top < b.bottom && b.top < a.bottom && a.left < b.right && b.left < a.right;
}

void tlink::measure() {
    if (!layoutDirty) {
        return;
    }
    const std::int32_t gap = map != nullptr ? map->levelGap : 0;
    subtreeHeight = 0;
    subtreeWidth = 0;
    std::int32_t childInk = 0;
    for (const auto& child : children) {
        child->measure();
        subtreeHeight += child->subtreeHeight;
        subtreeWidth = std::max(subtreeWidth, child->subtreeWidth + child->width);
        childInk = std::max(childInk, child->inkMargin);
    }
    subtreeWidth += gap;
    childrenHeight = subtreeHeight;

    Canvas& canvas = modelState().canvas();
    canvas.setFont(font);
    lineHeight = canvas.textHeight(QStringLiteral("H"));

    std::int32_t w;
    if (textDirty) {
        w = 0;
        for (const QString& line : lines) {
            w = std::max(w, canvas.textWidth(line));
        }
        w += 10;
        textWidth = w;
        textDirty = false;
    } else {
        w = textWidth;
    }
    w += 20 * static_cast<std::int32_t>(icons.size());
    if (isMain()) {
        w += 10;
    }

    margin = std::max(lineHeight / 5, 2);
    textBlockHeight =
        std::max<std::int32_t>(1, static_cast<std::int32_t>(lines.size())) * lineHeight + 4;
    height = 2 * margin + textBlockHeight;
    if (height < 20 && !icons.empty()) {
        height = 20;
    }
    subtreeHeight = std::max(height, height / 2 + childrenHeight);
    width = w;

    switch (side) {
    case 0:
        right = left + w;
        textRight = right;
        textLeft = right - textWidth;
        break;
    case 1:
        left = right - w;
        textLeft = left;
        textRight = left + textWidth;
        break;
    default: {
        const std::int32_t m = (left + right) / 2;
        left = m - w / 2;
        right = m + w / 2;
        textRight = right;
        textLeft = right - textWidth;
        break;
    }
    }

    if (isMain()) {
        handleX = side == 0 ? left : right;
    } else {
        handleX = noHandle;
    }
    top = bottom - height;
    textTop = top + margin;
    textBottom = textTop + textBlockHeight;
    // Glyphs, icons and wide pens may stand a little outside the boxes.
    inkMargin = std::max(childInk, 2 * lineHeight + 2 * std::abs(borderWidth) + 24);
    layoutDirty = false;
}

void tlink::place() {
    const std::int32_t gap = map != nullptr ? map->levelGap : 0;
    const std::int32_t centre = map != nullptr ? map->centreX : 0;

    std::int32_t y = bottom - (subtreeHeight + height) / 2;
    childBlockTop = y - bottom;
    childBlockBottom = childBlockTop + childrenHeight;
    for (const auto& k : children) {
        k->bottom = y + (k->subtreeHeight + k->height) / 2;
        k->top = k->bottom - k->height;
        k->textTop = k->top + k->margin;
        k->textBottom = k->textTop + k->textBlockHeight;
        // The direction comes from the parent's side, never from the child's.
        if (side == 0) {
            k->left = left + width + gap;
            k->right = k->left + k->width;
            k->textLeft = k->right - k->textWidth;
            k->textRight = k->right;
        } else {
            k->right = left - gap;
            k->left = k->right - k->width;
            k->textLeft = k->left;
            k->textRight = k->left + k->textWidth;
        }
        y += k->subtreeHeight;
        k->place();
    }

    textCentreX = (textLeft + textRight) / 2;
    boxRect = {left, top, right, bottom};
    if (children.empty()) {
        const std::int32_t x = left < centre ? right : left; // the edge facing the root
        childBlockRect = {x, bottom, x, top};
        subtreeRect = boxRect;
        return;
    }
    if (left < centre) {
        childBlockRect = {left - subtreeWidth, bottom + childBlockTop, left,
                          bottom + childBlockBottom};
    } else {
        childBlockRect = {right, bottom + childBlockTop, right + subtreeWidth,
                          bottom + childBlockBottom};
    }
    subtreeRect = unionOf(boxRect, childBlockRect);
}

void tlink::relayout() {
    if (parent != nullptr && !parent->isRoot()) {
        parent->relayout();
    }
    if (isMain()) {
        measure();
        place();
    } else if (isRoot()) {
        measure();
        for (const auto& main : children) {
            main->place();
        }
    }
}

void tlink::moveBy(std::int32_t dx, std::int32_t dy) {
    if (isRoot()) {
        for (const auto& child : children) {
            child->moveBy(dx, dy);
        }
    }
    left += dx;
    right += dx;
    textLeft += dx;
    textRight += dx;
    if (handleX != noHandle) { // branches without a handle keep the marker value
        handleX += dx;
    }
    top += dy;
    bottom += dy;
    textTop += dy;
    textBottom += dy;
    boxRect = boxRect.shifted(dx, dy);
    childBlockRect = childBlockRect.shifted(dx, dy);
    subtreeRect = subtreeRect.shifted(dx, dy);
    relayout();
}

void tmindmap::relayoutAll() {
    root->markAllDirty();
    root->measure();
    root->relayout();
}

namespace {

enum class Move { First, Second };
enum class Direction { Up, Down };

// Moves one of two overlapping main subtrees by their largest overlap; true
// when they do not overlap at all.
bool push(tlink& f, tlink& s, Move which, Direction direction) {
    std::int32_t a = 0;
    if (rectsOverlap(f.boxRect, s.boxRect)) {
        a = f.boxRect.bottom - s.boxRect.top;
    }
    const Rect* pairs[3][2] = {{&f.boxRect, &s.childBlockRect},
                               {&f.childBlockRect, &s.childBlockRect},
                               {&f.childBlockRect, &s.boxRect}};
    for (const auto& pair : pairs) {
        if (rectsOverlap(*pair[0], *pair[1])) {
            const std::int32_t e = pair[0]->bottom - pair[1]->top;
            if (std::abs(e) > std::abs(a)) {
                a = e;
            }
        }
    }
    if (a == 0) {
        return true;
    }
    std::int32_t d = std::abs(a);
    if (direction == Direction::Up) {
        d = -d;
    }
    (which == Move::First ? f : s).moveBy(0, d);
    return false;
}

} // namespace

bool tmindmap::resolveOverlaps(tlink* branch) {
    tlink* x = branch;
    while (x != nullptr && x->parent != nullptr && !x->parent->isRoot()) {
        x = x->parent;
    }
    if (x == nullptr || !x->isMain()) {
        return true; // the root has no side to tidy
    }

    std::vector<tlink*> list;
    const bool right = x->left >= centreX;
    for (const auto& main : root->children) {
        if (right ? main->left > centreX : main->left < centreX) {
            list.push_back(main.get());
        }
    }
    if (list.size() <= 1) {
        return true;
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const tlink* a, const tlink* b) { return a->bottom < b->bottom; });
    const auto found = std::find(list.begin(), list.end(), x);
    if (found == list.end()) {
        return true; // a main branch exactly on the centre line belongs to neither side
    }
    const std::size_t n = static_cast<std::size_t>(found - list.begin());
    const std::size_t count = list.size();

    // Repeats a pass until one ends clean; after the first push of a pass the
    // other pairs of that pass wait for the next one.
    bool settled = true;
    auto passes = [&settled](auto&& pass) {
        for (int i = 0; i < overlapPassLimit; ++i) {
            if (pass()) {
                return;
            }
        }
        settled = false;
    };

    passes([&] {
        bool clean = true;
        for (std::size_t i = 0; i < n && clean; ++i) {
            tlink& u = *list[n - i - 1];
            tlink& d = *list[n - i];
            if (rectsOverlap(u.subtreeRect, d.subtreeRect)) {
                clean = push(u, d, Move::First, Direction::Up);
            }
        }
        return clean;
    });
    passes([&] {
        bool clean = true;
        for (std::size_t k = n; k + 1 < count && clean; ++k) {
            if (rectsOverlap(list[k]->subtreeRect, list[k + 1]->subtreeRect)) {
                clean = push(*list[k], *list[k + 1], Move::Second, Direction::Down);
            }
        }
        return clean;
    });
    passes([&] {
        bool clean = true;
        for (std::size_t i = 0; i < count && clean; ++i) {
            for (std::size_t j = i + 1; j < count && clean; ++j) {
                if (!rectsOverlap(list[i]->subtreeRect, list[j]->subtreeRect)) {
                    continue;
                }
                if (i == n) {
                    clean = push(*list[i], *list[j], Move::Second, Direction::Down);
                } else if (j == n || i < n) {
                    clean = push(*list[i], *list[j], Move::First, Direction::Up);
                } else {
                    clean = push(*list[i], *list[j], Move::First, Direction::Down);
                }
            }
        }
        return clean;
    });
    return settled;
}

void tmindmap::rootResized(const Rect& oldRect) {
    root->layoutDirty = true;
    root->measure();
    std::int32_t g = oldRect.left - root->left;
    if (g < 0) {
        g = 0;
    }
    if (g < 1) {
        return;
    }
    for (const auto& main : root->children) {
        main->moveBy(main->left < centreX ? -g : g, 0);
        main->markChanged();
        main->relayout();
    }
}
