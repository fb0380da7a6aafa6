#pragma once

#include "canvas.h"

#include <QImage>

// An off-screen bitmap with its canvas. The canvas keeps its font, pen and
// brush when the bitmap is resized, as a drawing surface that is reused for
// every view must.
class ImageSurface {
public:
    ImageSurface(int width = 1, int height = 1);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    // New size; what fits of the old picture is kept, new pixels are white.
    void resize(int width, int height);

    Canvas& canvas() { return m_canvas; }
    // The finished picture (painting so far is flushed first).
    const QImage& image();

private:
    QImage m_image;
    PainterCanvas m_canvas;
};
