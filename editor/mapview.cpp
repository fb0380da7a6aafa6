#include "mapview.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

MapScrollArea::MapScrollArea(QWidget* parent)
    : QAbstractScrollArea(parent) {
    // Both bars always stand, so the visible client is the box less one bar each way.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void MapScrollArea::setPaintSize(std::int32_t width, std::int32_t height) {
    m_paint = QSize(std::max(0, width), std::max(0, height));
    viewport()->update();
}

void MapScrollArea::setHorizontalRange(std::int32_t range) {
    m_range.setWidth(std::max(0, range));
    updateBars();
}

void MapScrollArea::setVerticalRange(std::int32_t range) {
    m_range.setHeight(std::max(0, range));
    updateBars();
}

Point MapScrollArea::scrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void MapScrollArea::scrollTo(std::int32_t x, std::int32_t y) {
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void MapScrollArea::updateBars() {
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_range.width() - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_range.height() - client.height()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void MapScrollArea::paintEvent(QPaintEvent*) {
    if (onPaint) {
        onPaint();
    }
}

void MapScrollArea::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateBars();
    if (onResize) {
        onResize();
    }
}

void MapScrollArea::scrollContentsBy(int, int) {
    viewport()->update();
}
