#pragma once

#include "model/mapview.h"
#include "model/modelstate.h"
#include "model/tmindmap.h"

#include <memory>

// A map with its root centred at (1000, 1000) and no main branches.
inline std::unique_ptr<tmindmap> emptyMap() {
    auto map = std::make_unique<tmindmap>();
    map->width = 3000;
    map->height = 2000;
    map->levelGap = 40;
    map->root->lines = {QStringLiteral("Kern")};
    map->root->left = map->root->right = 1000;
    map->root->bottom = 1000;
    map->root->measure();
    map->centreX = 1000;
    map->centreY = (map->root->top + map->root->bottom) / 2;
    return map;
}

// A main branch hung under the root with its kept edge at x and its bottom at y.
inline tlink* hangMain(tmindmap& map, std::uint8_t side, std::int32_t x, std::int32_t y,
                       const QString& text = QStringLiteral("Onderwerp")) {
    auto main = std::make_unique<tlink>(map.root.get());
    main->map = &map;
    main->side = side;
    main->lines = {text};
    (side == 0 ? main->left : main->right) = x;
    main->bottom = y;
    tlink* raw = main.get();
    map.root->children.push_back(std::move(main));
    raw->markChanged(); // as the editor does after every change
    return raw;
}

// A child with one line of text, laid out by its main branch's relayout.
inline tlink* hangChild(tlink& parent, const QString& text = QStringLiteral("Trefwoord")) {
    auto child = std::make_unique<tlink>(&parent);
    child->map = parent.map;
    child->side = parent.side;
    child->lines = {text};
    tlink* raw = child.get();
    parent.children.push_back(std::move(child));
    raw->markChanged();
    return raw;
}

// The editor's paint box and scroll box, as the map drives them.
struct FakeView : MapPaintBox, MapScrollBox {
    std::int32_t paintWidth = -1, paintHeight = -1;
    std::int32_t hRange = 0, vRange = 0;
    int rangeSets = 0;
    void setPaintSize(std::int32_t w, std::int32_t h) override {
        paintWidth = w;
        paintHeight = h;
    }
    std::int32_t horizontalRange() const override { return hRange; }
    std::int32_t verticalRange() const override { return vRange; }
    void setHorizontalRange(std::int32_t r) override {
        hRange = r;
        ++rangeSets;
    }
    void setVerticalRange(std::int32_t r) override {
        vRange = r;
        ++rangeSets;
    }
};
