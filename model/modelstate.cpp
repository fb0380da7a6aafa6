#include "modelstate.h"

#include <QCoreApplication>

const QImage& IconPictures::operator[](std::int32_t value) const {
    static const QImage none;
    if (value < first || value > last) {
        return none;
    }
    return m_pictures[static_cast<std::size_t>(value - first)];
}

void IconPictures::set(std::int32_t value, const QImage& picture) {
    if (value >= first && value <= last) {
        m_pictures[static_cast<std::size_t>(value - first)] = picture;
    }
}

namespace {

// Qt's font cache goes with the application object; the surface's cached
// fonts must go before it.
void dropCachedFonts() {
    modelState().drawingBitmap = std::make_unique<ImageSurface>();
}

} // namespace

tmodelstate::tmodelstate()
    : drawingBitmap(std::make_unique<ImageSurface>()) {
    qAddPostRoutine(dropCachedFonts);
}

tmodelstate& modelState() {
    static tmodelstate state;
    return state;
}
