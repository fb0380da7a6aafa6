#pragma once

#include "platform/colour.h"
#include "platform/font.h"

#include <QStringList>
#include <cstdint>
#include <memory>

class Stream;
class tmindmap;

// A free box of text anywhere on the map, attached to no branch.
class ttextbox {
public:
    ttextbox();
    ttextbox(const ttextbox&) = delete;
    ttextbox& operator=(const ttextbox&) = delete;

    // A copy with its own lines and font; map stays null for the caller to set.
    std::unique_ptr<ttextbox> copy() const;

    // Draws the box and computes right, bottom and lineHeight.
    void draw();

    void saveToStream(Stream& s) const;
    static std::unique_ptr<ttextbox> loadFromStream(Stream& s);

    QStringList lines;
    Font font;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;  // computed when drawn
    std::int32_t bottom = 0; // computed when drawn
    bool transparent = false;
    Colour fillColor = colours::white;
    std::int32_t frameWidth = 1;
    Colour frameColor = colours::black;
    std::int32_t alignment = 1; // 0 left, 1 centred, 2 right
    std::int32_t lineHeight = 0;
    tmindmap* map = nullptr;
    bool placeholder = true;
};
