#pragma once

#include "platform/canvas.h"

#include <QImage>
#include <QString>
#include <vector>

// A canvas that keeps every drawing call with the state it was made in, so
// tests can check exact geometry instead of pixels. Text is measured as on
// every canvas.
class RecordingCanvas : public Canvas {
public:
    enum class Kind {
        FillRect,
        Rectangle,
        RoundRect,
        Ellipse,
        Arc,
        Polygon,
        PolyBezier,
        Line,
        Text,
        FloodFill,
        Draw,
        StretchDraw,
        CopyRect
    };

    struct Call {
        Kind kind;
        std::vector<Point> points;        // corners, vertices or line ends
        std::vector<std::int32_t> values; // ellipse size, flood colour
        QString text;
        Pen pen;
        Brush brush;
        Font font;
        TextBackground textBackground;
        QSize imageSize;
    };

    std::vector<Call> calls;
    QSize surfaceSize{1000, 1000};

    QSize size() const override { return surfaceSize; }

    std::vector<const Call*> ofKind(Kind kind) const;

    void fillRect(const Rect& rect) override;
    void rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) override;
    void roundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                   std::int32_t ellipseWidth, std::int32_t ellipseHeight) override;
    void ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) override;
    void arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
             std::int32_t x3, std::int32_t y3, std::int32_t x4, std::int32_t y4) override;
    void polygon(const std::vector<Point>& points) override;
    void polyBezier(const std::vector<Point>& points) override;
    void textOut(std::int32_t x, std::int32_t y, const QString& text) override;
    void floodFill(std::int32_t x, std::int32_t y, Colour border) override;
    void draw(std::int32_t x, std::int32_t y, const QImage& image) override;
    void stretchDraw(const Rect& rect, const QImage& image) override;
    void copyRect(const Rect& target, const QImage& source, const Rect& sourceRect) override;

protected:
    void line(Point from, Point to) override;

private:
    Call& record(Kind kind, std::vector<Point> points);
};
