#pragma once

#include <cstdint>

// The editor's paint surface as the map sees it.
class MapPaintBox {
public:
    virtual ~MapPaintBox() = default;
    virtual void setPaintSize(std::int32_t width, std::int32_t height) = 0;
};

// The editor's scroll box as the map sees it: its two scroll ranges.
class MapScrollBox {
public:
    virtual ~MapScrollBox() = default;
    virtual std::int32_t horizontalRange() const = 0;
    virtual std::int32_t verticalRange() const = 0;
    virtual void setHorizontalRange(std::int32_t range) = 0;
    virtual void setVerticalRange(std::int32_t range) = 0;
};
