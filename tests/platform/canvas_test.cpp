#include "platform/canvas.h"
#include "platform/imagesurface.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr Colour green = 0x00FF00;

Colour at(const QImage& image, int x, int y) {
    return fromQColor(image.pixelColor(x, y));
}

// The area as text, '#' for every pixel that is not white, to show in failures.
std::string picture(const QImage& image, int width, int height) {
    std::string s = "\n";
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s += at(image, x, y) == colours::white ? '.' : '#';
        }
        s += '\n';
    }
    return s;
}

class CanvasTest : public ::testing::Test {
protected:
    ImageSurface surface{40, 30};
    Canvas& canvas = surface.canvas();
};

TEST_F(CanvasTest, RectangleLeavesOutTheRightAndBottomEdges) {
    canvas.setBrushColour(colours::red);
    canvas.rectangle(2, 2, 6, 5);
    const QImage& img = surface.image();
    for (int x = 2; x <= 5; ++x) {
        EXPECT_EQ(at(img, x, 2), colours::black) << x << picture(img, 8, 7);
        EXPECT_EQ(at(img, x, 4), colours::black) << x << picture(img, 8, 7);
        EXPECT_EQ(at(img, x, 5), colours::white) << x << picture(img, 8, 7);
    }
    for (int y = 2; y <= 4; ++y) {
        EXPECT_EQ(at(img, 2, y), colours::black) << y;
        EXPECT_EQ(at(img, 5, y), colours::black) << y;
        EXPECT_EQ(at(img, 6, y), colours::white) << y;
    }
    EXPECT_EQ(at(img, 3, 3), colours::red);
    EXPECT_EQ(at(img, 4, 3), colours::red);
}

TEST_F(CanvasTest, RectangleWithoutPenFillsOnePixelLess) {
    canvas.setPenStyle(PenStyle::Clear);
    canvas.setBrushColour(colours::red);
    canvas.rectangle(2, 2, 6, 5);
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 2, 2), colours::red);
    EXPECT_EQ(at(img, 4, 3), colours::red);
    EXPECT_EQ(at(img, 5, 3), colours::white) << picture(img, 8, 7);
    EXPECT_EQ(at(img, 4, 4), colours::white) << picture(img, 8, 7);
}

TEST_F(CanvasTest, FillRectCoversLeftTopButNotRightBottom) {
    canvas.setBrushColour(colours::blue);
    canvas.fillRect({1, 1, 4, 3});
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 1, 1), colours::blue);
    EXPECT_EQ(at(img, 3, 2), colours::blue);
    EXPECT_EQ(at(img, 4, 2), colours::white);
    EXPECT_EQ(at(img, 3, 3), colours::white);
}

TEST_F(CanvasTest, LinesDoNotDrawTheirEndPoint) {
    const struct {
        Point from, to, lastDrawn;
    } cases[] = {
        {{1, 1}, {6, 1}, {5, 1}},   // rightwards
        {{6, 3}, {1, 3}, {2, 3}},   // leftwards
        {{8, 1}, {8, 6}, {8, 5}},   // downwards
        {{1, 8}, {5, 12}, {4, 11}}, // diagonal
    };
    for (const auto& c : cases) {
        ImageSurface s(20, 20);
        s.canvas().moveTo(c.from.x, c.from.y);
        s.canvas().lineTo(c.to.x, c.to.y);
        const QImage& img = s.image();
        EXPECT_EQ(at(img, c.from.x, c.from.y), colours::black) << picture(img, 14, 14);
        EXPECT_EQ(at(img, c.lastDrawn.x, c.lastDrawn.y), colours::black) << picture(img, 14, 14);
        EXPECT_EQ(at(img, c.to.x, c.to.y), colours::white) << picture(img, 14, 14);
        EXPECT_EQ(s.canvas().penPosition(), c.to);
    }
}

TEST_F(CanvasTest, LinesFarBeyondTheSurfaceAreCutToIt) {
    // A damaged map can hold any coordinate; stepping four billion pixels would hang.
    canvas.setPenStyle(PenStyle::Dash);
    canvas.moveTo(-2000000000, 5);
    canvas.lineTo(2000000000, 5);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.moveTo(20, -2000000000);
    canvas.lineTo(20, 10); // the end on the surface is still left out
    canvas.moveTo(-2000000000, -2000000000);
    canvas.lineTo(-1000, 2000000000); // wholly to the left
    const QImage& img = surface.image();
    int inked = 0;
    for (int x = 0; x < 40; ++x) {
        inked += at(img, x, 5) == colours::black;
    }
    EXPECT_GT(inked, 20) << picture(img, 40, 12);
    EXPECT_LT(inked, 40) << "still dashed";
    EXPECT_EQ(at(img, 20, 0), colours::black);
    EXPECT_EQ(at(img, 20, 9), colours::black);
    EXPECT_EQ(at(img, 20, 10), colours::white);
    EXPECT_EQ(at(img, 0, 20), colours::white);
}

TEST_F(CanvasTest, WidePensAreSolidAndRound) {
    canvas.setPenWidth(5);
    canvas.setPenStyle(PenStyle::Dash); // the platform draws wide styled pens solid
    canvas.moveTo(5, 10);
    canvas.lineTo(35, 10);
    const QImage& img = surface.image();
    for (int x = 5; x <= 35; ++x) {
        EXPECT_EQ(at(img, x, 10), colours::black) << x;
    }
    EXPECT_EQ(at(img, 20, 8), colours::black);
    EXPECT_EQ(at(img, 20, 12), colours::black);
    EXPECT_EQ(at(img, 20, 14), colours::white);
}

TEST_F(CanvasTest, AnAbsurdPenWidthStillDraws) {
    canvas.setPenWidth(2000000000); // a damaged map's border width
    canvas.moveTo(20, 15);
    canvas.lineTo(21, 15);
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 0, 0), colours::black) << "the whole surface lies under the pen";
    EXPECT_EQ(at(img, 39, 29), colours::black);
}

TEST_F(CanvasTest, DashedAndDottedPensLeaveGaps) {
    canvas.setPenStyle(PenStyle::Dash);
    canvas.moveTo(0, 5);
    canvas.lineTo(40, 5);
    canvas.setPenStyle(PenStyle::Dot);
    canvas.moveTo(0, 10);
    canvas.lineTo(40, 10);
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 0, 5), colours::black);
    EXPECT_EQ(at(img, 17, 5), colours::black);
    EXPECT_EQ(at(img, 19, 5), colours::white); // 18 on, 6 off
    EXPECT_EQ(at(img, 25, 5), colours::black);
    EXPECT_EQ(at(img, 1, 10), colours::black);
    EXPECT_EQ(at(img, 4, 10), colours::white); // 3 on, 3 off
    EXPECT_EQ(at(img, 7, 10), colours::black);
}

TEST_F(CanvasTest, NotXorDrawnTwiceRestoresThePicture) {
    canvas.setBrushColour(colours::red);
    canvas.fillRect({0, 0, 20, 30});
    canvas.setPenMode(PenMode::NotXor);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenColour(colours::black);
    canvas.rectangle(5, 5, 30, 25);
    QImage once = surface.image().copy();
    EXPECT_EQ(at(once, 10, 5), 0xFFFF00u) << "not (black xor red) is cyan";
    EXPECT_EQ(at(once, 25, 5), colours::black) << "not (black xor white) is black";
    canvas.rectangle(5, 5, 30, 25);
    EXPECT_EQ(at(surface.image(), 10, 5), colours::red);
    EXPECT_EQ(at(surface.image(), 25, 5), colours::white);
}

TEST_F(CanvasTest, EllipseAndRoundRectStayInsideTheirBox) {
    canvas.setBrushColour(green);
    canvas.ellipse(0, 0, 11, 11);
    canvas.roundRect(15, 0, 35, 12, 10, 10);
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 5, 5), green);
    EXPECT_EQ(at(img, 0, 5), colours::black) << picture(img, 36, 13);
    EXPECT_EQ(at(img, 10, 5), colours::black) << picture(img, 36, 13);
    EXPECT_EQ(at(img, 11, 5), colours::white);
    EXPECT_EQ(at(img, 0, 0), colours::white); // the corner lies outside the ellipse
    EXPECT_EQ(at(img, 15, 0), colours::white) << picture(img, 36, 13);
    EXPECT_EQ(at(img, 25, 0), colours::black);
    EXPECT_EQ(at(img, 25, 11), colours::black) << picture(img, 36, 13);
    EXPECT_EQ(at(img, 25, 12), colours::white);
    EXPECT_EQ(at(img, 34, 6), colours::black);
    EXPECT_EQ(at(img, 35, 6), colours::white);
    EXPECT_EQ(at(img, 25, 6), green);
}

TEST_F(CanvasTest, ArcRunsCounterClockwiseBetweenItsRays) {
    // From the ray to the right round to the ray upwards: the upper right quarter.
    canvas.arc(0, 0, 21, 21, 20, 10, 10, 0);
    const QImage& img = surface.image();
    bool upperRight = false, elsewhere = false;
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 21; ++x) {
            if (at(img, x, y) != colours::white) {
                (x >= 10 && y <= 10 ? upperRight : elsewhere) = true;
            }
        }
    }
    EXPECT_TRUE(upperRight) << picture(img, 22, 22);
    EXPECT_FALSE(elsewhere) << picture(img, 22, 22);
}

TEST_F(CanvasTest, PolygonFillsAndOutlines) {
    canvas.setBrushColour(colours::red);
    canvas.polygon({{2, 2}, {30, 2}, {2, 25}});
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 6, 6), colours::red);
    EXPECT_EQ(at(img, 2, 10), colours::black);
    EXPECT_EQ(at(img, 28, 20), colours::white);
}

TEST_F(CanvasTest, PolyBezierNeedsThreePointsPerSegment) {
    canvas.polyBezier({{0, 0}, {10, 0}, {20, 20}});
    EXPECT_EQ(surface.image().pixelColor(10, 0), QColor(Qt::white)) << "three points draw nothing";
    canvas.polyBezier({{0, 15}, {10, 15}, {20, 15}, {30, 15}});
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 0, 15), colours::black);
    EXPECT_EQ(at(img, 15, 15), colours::black);
}

TEST_F(CanvasTest, FloodFillStopsAtTheBorderColour) {
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.rectangle(5, 5, 20, 20);
    canvas.setBrush({green, BrushStyle::Solid});
    canvas.floodFill(10, 10, colours::black);
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 6, 6), green);
    EXPECT_EQ(at(img, 18, 18), green);
    EXPECT_EQ(at(img, 5, 10), colours::black);
    EXPECT_EQ(at(img, 3, 3), colours::white);
    EXPECT_EQ(at(img, 25, 10), colours::white);
    // Drawing goes on after the fill, with the state kept.
    canvas.fillRect({0, 0, 2, 2});
    EXPECT_EQ(at(surface.image(), 0, 0), green);
}

TEST_F(CanvasTest, FloodFillFromTheCornerFillsTheOutside) {
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.rectangle(5, 5, 20, 20);
    canvas.setBrush({colours::blue, BrushStyle::Solid});
    canvas.floodFill(1, 1, colours::black);
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 39, 29), colours::blue);
    EXPECT_EQ(at(img, 10, 10), colours::white);
}

TEST_F(CanvasTest, TextMeasuresAsSumsOfAdvancesWithOneHeight) {
    Font f;
    f.setSize(12);
    canvas.setFont(f);
    const int w = canvas.textWidth(QStringLiteral("W"));
    EXPECT_GT(w, 5);
    EXPECT_EQ(canvas.textWidth(QStringLiteral("WAVAW")),
              2 * w + 2 * canvas.textWidth(QStringLiteral("A")) +
                  canvas.textWidth(QStringLiteral("V")))
        << "no kerning between the letters";
    EXPECT_EQ(canvas.textWidth(QString()), 0);
    EXPECT_EQ(canvas.textHeight(QStringLiteral("H")), canvas.textHeight(QStringLiteral("gÉ")));
    const int small = canvas.textHeight(QStringLiteral("H"));
    f.setSize(24);
    canvas.setFont(f);
    EXPECT_GT(canvas.textHeight(QStringLiteral("H")), small);
}

TEST_F(CanvasTest, OpaqueTextFillsItsCellWithTheBrush) {
    canvas.setBrushColour(colours::blue);
    canvas.setFontColour(colours::white);
    canvas.textOut(2, 2, QStringLiteral("i"));
    canvas.setTextBackground(TextBackground::Transparent);
    canvas.setFontColour(colours::black);
    canvas.textOut(20, 2, QStringLiteral("i"));
    const int w = canvas.textWidth(QStringLiteral("i"));
    const int h = canvas.textHeight(QStringLiteral("i"));
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 2, 2), colours::blue);
    EXPECT_EQ(at(img, 2 + w - 1, 2 + h - 1), colours::blue);
    EXPECT_EQ(at(img, 2 + w, 2), colours::white);
    EXPECT_EQ(at(img, 2, 2 + h), colours::white);
    EXPECT_EQ(at(img, 20, 2), colours::white);
    bool ink = false;
    for (int y = 2; y < 2 + h; ++y) {
        for (int x = 20; x < 20 + w; ++x) {
            ink = ink || at(img, x, y) != colours::white;
        }
    }
    EXPECT_TRUE(ink) << "the transparent text itself is drawn";
}

TEST_F(CanvasTest, TheTextBackgroundFollowsTheBrushUntilSetApart) {
    canvas.setBrushStyle(BrushStyle::Clear);
    EXPECT_EQ(canvas.textBackground(), TextBackground::Transparent);
    canvas.setBrushColour(colours::red); // a colour makes the brush solid again
    EXPECT_EQ(canvas.brush().style, BrushStyle::Solid);
    EXPECT_EQ(canvas.textBackground(), TextBackground::Opaque);
    canvas.setTextBackground(TextBackground::Transparent);
    canvas.textOut(2, 2, QStringLiteral("i"));
    EXPECT_EQ(at(surface.image(), 2, 2), colours::white) << "transparent until the brush changes";
    canvas.setBrushColour(colours::blue);
    canvas.textOut(2, 2, QStringLiteral("i"));
    EXPECT_EQ(at(surface.image(), 2, 2), colours::blue);
}

TEST_F(CanvasTest, SystemColoursResolveWhenDrawn) {
    canvas.setBrushColour(colours::buttonFace);
    canvas.fillRect({0, 0, 4, 4});
    EXPECT_EQ(at(surface.image(), 1, 1), 0xC0C0C0u);
}

TEST_F(CanvasTest, ImagesAreDrawnAndStretched) {
    QImage dot(2, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    canvas.draw(3, 3, dot);
    canvas.stretchDraw({10, 10, 20, 14}, dot);
    canvas.copyRect({30, 0, 34, 4}, dot, {0, 0, 1, 1});
    const QImage& img = surface.image();
    EXPECT_EQ(at(img, 4, 4), colours::red);
    EXPECT_EQ(at(img, 5, 5), colours::white);
    EXPECT_EQ(at(img, 19, 13), colours::red);
    EXPECT_EQ(at(img, 20, 13), colours::white);
    EXPECT_EQ(at(img, 33, 3), colours::red);
}

TEST(ImageSurface, ResizingKeepsTheCanvasStateAndThePicture) {
    ImageSurface s(10, 10);
    Font f;
    f.setSize(20);
    s.canvas().setFont(f);
    s.canvas().setBrushColour(colours::red);
    s.canvas().fillRect({0, 0, 5, 5});
    s.resize(30, 20);
    EXPECT_EQ(s.width(), 30);
    EXPECT_EQ(s.height(), 20);
    EXPECT_EQ(s.canvas().font().height, f.height);
    EXPECT_EQ(s.canvas().brush().colour, colours::red);
    EXPECT_EQ(at(s.image(), 2, 2), colours::red);
    EXPECT_EQ(at(s.image(), 25, 15), colours::white);
    s.canvas().fillRect({20, 10, 30, 20});
    EXPECT_EQ(at(s.image(), 25, 15), colours::red);
}

} // namespace
