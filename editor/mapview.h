#pragma once

#include "model/mapview.h"
#include "platform/geometry.h"

#include <QAbstractScrollArea>
#include <QSize>
#include <functional>

// The editor's scroll box with its paint surface. The surface is as large as
// the scaled canvas but never exists as pixels: each paint draws only the
// visible part, at the scroll position.
class MapScrollArea : public QAbstractScrollArea, public MapPaintBox, public MapScrollBox {
    Q_OBJECT
public:
    explicit MapScrollArea(QWidget* parent = nullptr);

    void setPaintSize(std::int32_t width, std::int32_t height) override;
    QSize paintSize() const { return m_paint; }

    // The scroll ranges are the sizes of what can be scrolled over.
    std::int32_t horizontalRange() const override { return m_range.width(); }
    std::int32_t verticalRange() const override { return m_range.height(); }
    void setHorizontalRange(std::int32_t range) override;
    void setVerticalRange(std::int32_t range) override;

    Point scrollPosition() const;
    // Clamped to what the ranges allow.
    void scrollTo(std::int32_t x, std::int32_t y);

    // Called for every paint of the visible part.
    std::function<void()> onPaint;
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateBars();

    QSize m_paint{0, 0};
    QSize m_range{0, 0};
};
