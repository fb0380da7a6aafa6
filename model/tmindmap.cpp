#include "tmindmap.h"

#include "modelstate.h"

tmindmap::tmindmap()
    : root(std::make_unique<tlink>(nullptr)) {
    root->side = 2;
    root->map = this;
    selected = root.get();
    levelGap = modelState().canvas().textWidth(QStringLiteral("WWWW"));
}

tmindmap::tmindmap(Empty) {}

tmindmap::~tmindmap() = default;

std::unique_ptr<tmindmap> tmindmap::clone(const tmindmap& source) {
    std::unique_ptr<tmindmap> m(new tmindmap(Empty{}));
    m->width = source.width;
    m->height = source.height;
    m->viewWidth = source.viewWidth;
    m->viewHeight = source.viewHeight;
    m->clientWidth = source.clientWidth;
    m->clientHeight = source.clientHeight;
    m->scaleX = source.scaleX;
    m->scaleY = source.scaleY;
    m->invScaleX = source.invScaleX;
    m->invScaleY = source.invScaleY;
    m->offsetX = source.offsetX;
    m->offsetY = source.offsetY;
    m->invOffsetX = source.invOffsetX;
    m->invOffsetY = source.invOffsetY;
    m->fileName = source.fileName;
    m->zoom = source.zoom;
    m->originX = source.originX;
    m->originY = source.originY;
    m->sourceRect = source.sourceRect;
    m->targetRect = source.targetRect;
    m->levelGap = source.levelGap;
    m->paintWidth = source.paintWidth;
    m->paintHeight = source.paintHeight;
    m->viewTop = source.viewTop;
    m->viewLeft = source.viewLeft;
    m->paintBox = source.paintBox;
    m->dragRect = source.dragRect;
    m->dragChildRect = source.dragChildRect;
    m->dropIndex = source.dropIndex;
    m->dropLeftHalf = source.dropLeftHalf;
    m->upperLeft = source.upperLeft;
    m->lowerLeft = source.lowerLeft;
    m->upperRight = source.upperRight;
    m->lowerRight = source.lowerRight;
    m->centreX = source.centreX;
    m->centreY = source.centreY;
    m->extent = source.extent;
    m->modified = source.modified;

    m->root = tlink::clone(*source.root);
    m->root->setMap(m.get());
    m->root->linkParents();
    m->selected = m->root.get();

    m->textBoxes.reserve(source.textBoxes.size());
    for (const auto& box : source.textBoxes) {
        auto copy = box->copy();
        copy->map = m.get();
        m->textBoxes.push_back(std::move(copy));
    }
    return m;
}

tlink* tmindmap::branchAt(std::int32_t x, std::int32_t y) {
    return root->branchAt(x, y);
}

ttextbox* tmindmap::textBoxAt(std::int32_t x, std::int32_t y) {
    for (const auto& box : textBoxes) {
        if (box->left < x && x < box->right && box->top < y && y < box->bottom) {
            return box.get();
        }
    }
    return nullptr;
}
