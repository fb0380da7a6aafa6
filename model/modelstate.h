#pragma once

#include "tlink.h"
#include "tmindmap.h"

#include "platform/font.h"
#include "platform/imagesurface.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class MapScrollBox;

// The pictures of the marker buttons (-7 to -1) and icon buttons (0 to 47).
class IconPictures {
public:
    static constexpr std::int32_t first = -7;
    static constexpr std::int32_t last = 47;

    // A null image for a value outside the table (a damaged file may hold one).
    const QImage& operator[](std::int32_t value) const;
    void set(std::int32_t value, const QImage& picture);

private:
    std::array<QImage, last - first + 1> m_pictures;
};

// State shared by the whole model; one instance for the program.
struct tmodelstate {
    tmodelstate();

    tmindmap* currentMap = nullptr;
    // All measuring and drawing of the model goes through this surface.
    std::unique_ptr<ImageSurface> drawingBitmap;
    // When set, measuring and drawing go here instead (a recording canvas in tests).
    Canvas* canvasOverride = nullptr;
    Canvas& canvas() { return canvasOverride ? *canvasOverride : drawingBitmap->canvas(); }
    IconPictures iconButtons;
    std::unique_ptr<tlink> clipboardBranch;
    std::vector<std::unique_ptr<tmindmap>> undoList;
    Font titleFont;
    Font topicFont;
    Font keywordFont;
    bool numberedOutput = false;
    std::int32_t fileVersion = 0;
    MapScrollBox* scrollBox = nullptr;
};

tmodelstate& modelState();
