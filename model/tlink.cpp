#include "tlink.h"

#include "tmindmap.h"
#include "trtf.h"

#include "platform/random.h"

tlink::tlink(tlink* parentBranch)
    : parent(parentBranch) {
    if (parentBranch == nullptr) {
        lines.append(QStringLiteral("Mindmap"));
    }
}

// Iterative, so that a very deep tree cannot exhaust the stack on destruction.
tlink::~tlink() {
    std::vector<std::unique_ptr<tlink>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<tlink> branch = std::move(pending.back());
        pending.pop_back();
        for (auto& child : branch->children) {
            pending.push_back(std::move(child));
        }
        branch->children.clear();
    }
}

std::unique_ptr<tlink> tlink::clone(const tlink& source) {
    auto copy = std::make_unique<tlink>(nullptr);
    copy->width = source.width;
    copy->height = source.height;
    copy->top = source.top;
    copy->left = source.left;
    copy->textCentreX = source.textCentreX;
    copy->margin = source.margin;
    copy->lineHeight = source.lineHeight;
    copy->childBlockTop = source.childBlockTop;
    copy->childBlockBottom = source.childBlockBottom;
    copy->right = source.right;
    copy->bottom = source.bottom;
    copy->handleX = source.handleX;
    copy->subtreeHeight = source.subtreeHeight;
    copy->childrenHeight = source.childrenHeight;
    copy->subtreeWidth = source.subtreeWidth;
    copy->textLeft = source.textLeft;
    copy->textRight = source.textRight;
    copy->textTop = source.textTop;
    copy->textBottom = source.textBottom;
    copy->textBlockHeight = source.textBlockHeight;
    copy->noteOffsetX = source.noteOffsetX;
    copy->noteOffsetY = source.noteOffsetY;
    copy->noteWidth = source.noteWidth;
    copy->noteHeight = source.noteHeight;
    copy->noteMode = source.noteMode;
    copy->font = source.font;
    copy->note = source.note ? trtf::copyOf(*source.note) : nullptr;
    copy->lines = source.lines;
    copy->borderColor = source.borderColor;
    copy->fillColor = source.fillColor;
    copy->lineColor = source.lineColor;
    copy->borderWidth = source.borderWidth;
    copy->textDirty = source.textDirty;
    copy->layoutDirty = source.layoutDirty;
    copy->side = source.side;
    copy->icons = source.icons;
    copy->textWidth = source.textWidth;
    copy->subtreeRect = source.subtreeRect;
    copy->boxRect = source.boxRect;
    copy->childBlockRect = source.childBlockRect;
    copy->placeholder = source.placeholder;
    copy->hidden = source.hidden;
    copy->website = source.website;
    copy->mapLink = source.mapLink;
    copy->excelLink = source.excelLink;
    copy->wordLink = source.wordLink;
    copy->programLink = source.programLink;
    copy->powerPointLink = source.powerPointLink;
    copy->children.reserve(source.children.size());
    for (const auto& child : source.children) {
        auto childCopy = clone(*child);
        childCopy->parent = copy.get();
        copy->children.push_back(std::move(childCopy));
    }
    return copy;
}

void tlink::markChanged() {
    for (tlink* b = this; b != nullptr; b = b->parent) {
        b->layoutDirty = true;
    }
    if (map != nullptr) {
        map->modified = true;
    }
}

tlink* tlink::addChild() {
    auto created = std::make_unique<tlink>(this);
    tlink* n = created.get();
    n->map = map;
    children.push_back(std::move(created));
    n->font = font;
    n->markChanged();

    if (!isRoot()) {
        n->markChanged();
        n->lines.append(QStringLiteral("Trefwoord"));
        n->font.setSize(10);
        n->side = side;
        relayout();
        return n;
    }

    n->lines.append(QStringLiteral("Onderwerp"));
    n->font.setSize(font.size() - 2);

    // Fill the quadrants in the order above-left, above-right, below-right,
    // below-left; once all hold a branch, go round beyond the outermost ones.
    const tmindmap& m = *map;
    const std::int32_t cy = m.centreY;
    ProgramRandom& r = programRandom();
    if (m.upperLeft.y == cy) {
        n->bottom = cy - 50;
        n->right = left - 50;
        n->left = n->right;
    } else if (m.upperRight.y == cy) {
        n->bottom = cy - 75;
        n->left = right + 60;
        n->right = n->left;
    } else if (m.lowerRight.y == cy) {
        n->bottom = bottom + 60 + static_cast<std::int32_t>(r.next(15));
        n->left = right + 55;
        n->right = n->left;
    } else if (m.lowerLeft.y == cy) {
        n->bottom = bottom + 55;
        n->right = left - 70;
        n->left = n->right;
    } else {
        switch (children.size() % 4) {
        case 0:
            n->bottom = m.upperLeft.y - 40 - static_cast<std::int32_t>(r.next(10));
            n->left = right + 40 + static_cast<std::int32_t>(r.next(20));
            n->right = n->left;
            break;
        case 1:
            n->bottom = m.upperRight.y - 40 - static_cast<std::int32_t>(r.next(10));
            n->right = right - 40 - static_cast<std::int32_t>(r.next(20));
            n->left = n->right;
            break;
        case 2:
            n->bottom = m.lowerLeft.y + 40 + static_cast<std::int32_t>(r.next(10));
            n->left = right + 20 + static_cast<std::int32_t>(r.next(20));
            n->right = n->left;
            break;
        default:
            n->bottom = m.lowerRight.y + 40 + static_cast<std::int32_t>(r.next(10));
            n->right = right - 40 - static_cast<std::int32_t>(r.next(20));
            n->left = n->right;
            break;
        }
    }
    n->side = (left + right) / 2 < n->left ? 0 : 1;
    n->relayout(); // the real width; the edge kept depends on the side
    return n;
}

tlink* tlink::branchAt(std::int32_t x, std::int32_t y) {
    if (left <= x && x <= right && top <= y && y <= bottom) {
        return this;
    }
    tlink* found = nullptr;
    for (const auto& child : children) {
        if (tlink* hit = child->branchAt(x, y)) {
            found = hit;
        }
    }
    return found;
}

void tlink::spreadSide() {
    for (const auto& child : children) {
        child->side = side;
        child->layoutDirty = true;
        child->spreadSide();
    }
}

void tlink::linkParents() {
    for (const auto& child : children) {
        child->parent = this;
        child->linkParents();
    }
}

void tlink::setMap(tmindmap* newMap) {
    map = newMap;
    for (const auto& child : children) {
        child->setMap(newMap);
    }
}

void tlink::assignSides(std::int32_t centreX) {
    for (const auto& child : children) {
        child->side = child->left < centreX ? 1 : 0;
        child->assignSides(centreX);
    }
}

void tlink::growFont() {
    font.setSize(font.size() + 1);
    textDirty = true;
    layoutDirty = true;
    for (const auto& child : children) {
        child->growFont();
    }
}

void tlink::shrinkFont() {
    if (font.size() > 4) {
        font.setSize(font.size() - 1);
    }
    textDirty = true;
    layoutDirty = true;
    for (const auto& child : children) {
        child->shrinkFont();
    }
}

void tlink::applyDefaultFonts(std::int32_t size) {
    font.setSize(size);
    font.colour = colours::black;
    font.style = 0;
    textDirty = true;
    layoutDirty = true;
    const std::int32_t childSize = size > 6 ? size - 1 : size;
    for (const auto& child : children) {
        child->applyDefaultFonts(childSize);
    }
}

void tlink::applyStandardLook(std::int32_t size) {
    font.setSize(std::max(size, 8));
    font.style = 0;
    borderColor = colours::black;
    fillColor = colours::white;
    lineColor = colours::black;
    for (const auto& child : children) {
        child->applyStandardLook(size - 2);
    }
}

void tlink::markAllDirty() {
    textDirty = true;
    layoutDirty = true;
    for (const auto& child : children) {
        child->markAllDirty();
    }
}

void tlink::setLineColorAll(Colour colour) {
    lineColor = colour;
    for (const auto& child : children) {
        child->setLineColorAll(colour);
    }
}

int tlink::level() const {
    int n = 0;
    for (const tlink* b = parent; b != nullptr; b = b->parent) {
        ++n;
    }
    return n;
}
