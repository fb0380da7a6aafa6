#include "recordingcanvas.h"

std::vector<const RecordingCanvas::Call*> RecordingCanvas::ofKind(Kind kind) const {
    std::vector<const Call*> found;
    for (const Call& c : calls) {
        if (c.kind == kind) {
            found.push_back(&c);
        }
    }
    return found;
}

RecordingCanvas::Call& RecordingCanvas::record(Kind kind, std::vector<Point> points) {
    calls.push_back(
        Call{kind, std::move(points), {}, {}, pen(), brush(), font(), textBackground(), {}});
    return calls.back();
}

void RecordingCanvas::fillRect(const Rect& r) {
    record(Kind::FillRect, {{r.left, r.top}, {r.right, r.bottom}});
}

void RecordingCanvas::rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    record(Kind::Rectangle, {{l, t}, {r, b}});
}

void RecordingCanvas::roundRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                                std::int32_t ew, std::int32_t eh) {
    record(Kind::RoundRect, {{l, t}, {r, b}}).values = {ew, eh};
}

void RecordingCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    record(Kind::Ellipse, {{l, t}, {r, b}});
}

void RecordingCanvas::arc(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                          std::int32_t x3, std::int32_t y3, std::int32_t x4, std::int32_t y4) {
    record(Kind::Arc, {{l, t}, {r, b}, {x3, y3}, {x4, y4}});
}

void RecordingCanvas::polygon(const std::vector<Point>& points) {
    record(Kind::Polygon, points);
}

void RecordingCanvas::polyBezier(const std::vector<Point>& points) {
    record(Kind::PolyBezier, points);
}

void RecordingCanvas::line(Point from, Point to) {
    record(Kind::Line, {from, to});
}

void RecordingCanvas::textOut(std::int32_t x, std::int32_t y, const QString& text) {
    record(Kind::Text, {{x, y}}).text = text;
}

void RecordingCanvas::floodFill(std::int32_t x, std::int32_t y, Colour border) {
    record(Kind::FloodFill, {{x, y}}).values = {static_cast<std::int32_t>(border)};
}

void RecordingCanvas::draw(std::int32_t x, std::int32_t y, const QImage& image) {
    record(Kind::Draw, {{x, y}}).imageSize = image.size();
}

void RecordingCanvas::stretchDraw(const Rect& r, const QImage& image) {
    record(Kind::StretchDraw, {{r.left, r.top}, {r.right, r.bottom}}).imageSize = image.size();
}

void RecordingCanvas::copyRect(const Rect& target, const QImage& source, const Rect& s) {
    record(Kind::CopyRect, {{target.left, target.top},
                            {target.right, target.bottom},
                            {s.left, s.top},
                            {s.right, s.bottom}})
        .imageSize = source.size();
}
