#include "imagesurface.h"

#include <QPainter>
#include <algorithm>

namespace {

QImage whiteImage(int width, int height) {
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

ImageSurface::ImageSurface(int width, int height)
    : m_image(whiteImage(width, height))
    , m_canvas(&m_image) {}

void ImageSurface::resize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == m_image.width() && height == m_image.height()) {
        return;
    }
    m_canvas.end();
    QImage next = whiteImage(width, height);
    {
        QPainter copy(&next);
        copy.drawImage(0, 0, m_image);
    }
    m_image = std::move(next);
    m_canvas.setImage(&m_image);
}

const QImage& ImageSurface::image() {
    m_canvas.end();
    return m_image;
}
