#pragma once

#include <cstdint>

// Map units and pixels are signed 32-bit integers, x to the right, y downwards.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// (left, top, right, bottom); shapes drawn from it leave out the right and
// bottom edges, as the platform draws them.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    Rect shifted(std::int32_t dx, std::int32_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const Rect&) const = default;
};
