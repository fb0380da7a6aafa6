#pragma once

#include "colour.h"
#include "font.h"
#include "geometry.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;

enum class PenStyle { Solid, Dash, Dot, Clear };
// NotXor: the drawn pixel becomes NOT (pen XOR screen), so drawing twice restores it.
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear };
enum class TextBackground { Opaque, Transparent };

struct Pen {
    Colour colour = colours::black;
    std::int32_t width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    Colour colour = colours::white;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const Brush&) const = default;
};

// A drawing surface with the semantics the map model was written for: a current
// font, pen, brush and text background; shapes given by their corners with the
// right and bottom edges left out; lines that do not draw their end point; text
// placed by its top-left corner. Subclasses render (PainterCanvas) or record.
class Canvas {
public:
    Canvas();
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const Font& font() const { return m_font; }
    void setFont(const Font& font);
    void setFontColour(Colour colour);

    const Pen& pen() const { return m_pen; }
    void setPen(const Pen& pen);
    void setPenColour(Colour colour);
    void setPenWidth(std::int32_t width);
    void setPenStyle(PenStyle style);
    void setPenMode(PenMode mode);

    // Every brush change also sets the text background from the brush style
    // (solid: opaque, clear: transparent), and a new colour makes the brush
    // solid, as the platform's canvas did.
    const Brush& brush() const { return m_brush; }
    void setBrush(const Brush& brush);
    void setBrushColour(Colour colour);
    void setBrushStyle(BrushStyle style);

    // Text is drawn on the brush colour when opaque (and the brush is solid).
    // Holds until the next brush change.
    TextBackground textBackground() const { return m_textBackground; }
    void setTextBackground(TextBackground mode);

    // The size of what is drawn on, in pixels.
    virtual QSize size() const = 0;

    Point penPosition() const { return m_penPosition; }
    void moveTo(std::int32_t x, std::int32_t y);
    // Draws from the pen position to (x, y), leaving out (x, y), and moves there.
    void lineTo(std::int32_t x, std::int32_t y);

    virtual void fillRect(const Rect& rect) = 0;
    virtual void rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom) = 0;
    virtual void roundRect(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom, std::int32_t ellipseWidth,
                           std::int32_t ellipseHeight) = 0;
    virtual void ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                         std::int32_t bottom) = 0;
    // Counter-clockwise along the ellipse in the box, from its crossing with the
    // ray towards (x3, y3) to its crossing with the ray towards (x4, y4).
    virtual void arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                     std::int32_t x3, std::int32_t y3, std::int32_t x4, std::int32_t y4) = 0;
    // Filled with the brush (alternate rule) and outlined with the pen.
    virtual void polygon(const std::vector<Point>& points) = 0;
    // 3n + 1 points: a start point and n cubic segments; other counts draw nothing.
    virtual void polyBezier(const std::vector<Point>& points) = 0;
    virtual void textOut(std::int32_t x, std::int32_t y, const QString& text) = 0;
    // Fills with the brush the area around (x, y) that is bounded by the colour.
    virtual void floodFill(std::int32_t x, std::int32_t y, Colour border) = 0;
    virtual void draw(std::int32_t x, std::int32_t y, const QImage& image) = 0;
    virtual void stretchDraw(const Rect& rect, const QImage& image) = 0;
    virtual void copyRect(const Rect& target, const QImage& source, const Rect& sourceRect) = 0;

    // The platform's text extent in the current font: the sum of the advances,
    // and ascent + descent (the same for every text).
    std::int32_t textWidth(const QString& text);
    std::int32_t textHeight(const QString& text);
    std::int32_t fontAscent();

protected:
    virtual void line(Point from, Point to) = 0;
    // The Qt form of the current font, built only when the face changed.
    const QFont& qfont();
    const QFontMetrics& metrics();

private:
    Font m_font;
    Pen m_pen;
    Brush m_brush;
    TextBackground m_textBackground = TextBackground::Opaque;
    Point m_penPosition;
    std::optional<QFont> m_qfont;
    std::optional<QFontMetrics> m_metrics;

protected:
    // Raised whenever the matching state changes, for renderers that cache it.
    bool m_penChanged = true;
    bool m_brushChanged = true;
    bool m_fontChanged = true;
};

// A canvas that renders through QPainter onto an image, a widget or a printer.
// On an image it paints lazily and can flood fill; end() finishes the painting
// so that the pixels can be read.
class PainterCanvas : public Canvas {
public:
    // Paints on an image; the image must outlive the canvas.
    explicit PainterCanvas(QImage* image);
    // Paints on a widget (inside its paint event) or a printer.
    explicit PainterCanvas(QPaintDevice* device);
    ~PainterCanvas() override;

    void end();
    // Switch to another image (the same canvas state carries over).
    void setImage(QImage* image);

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
    QSize size() const override { return surfaceBounds().size(); }

protected:
    void line(Point from, Point to) override;

private:
    QPainter& painter();
    QRect surfaceBounds() const;
    void applyPen();
    void applyBrush();
    void applyShapeState();

    QImage* m_image = nullptr;
    QPaintDevice* m_device = nullptr;
    std::unique_ptr<QPainter> m_painter;
};
