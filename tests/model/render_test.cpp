#include "mapfixture.h"
#include "support/recordingcanvas.h"

#include "platform/arith.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

using Kind = RecordingCanvas::Kind;

// Draws through a recording canvas for the life of the fixture.
class Recorded : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.surfaceSize = {4000, 3000}; // the whole map lies on it: nothing is skipped
        modelState().canvasOverride = &canvas;
    }
    void TearDown() override { modelState().canvasOverride = nullptr; }
    RecordingCanvas canvas;
};

// The tail polygon as the formulas give it, computed here independently.
std::vector<Point> expectedTail(const tlink& b, std::int32_t ox, std::int32_t oy) {
    const tlink& p = *b.parent;
    constexpr int n = 21;
    const long double pi = std::numbers::pi_v<long double>;
    const int xc = p.left + p.width / 2, yc = p.top + p.height / 2;
    int e = (b.side == 0 ? b.left : b.right) - xc;
    if (e == 0) {
        e = 1;
    }
    const long double d = yc - b.textBottom;
    std::vector<Point> pts;
    for (int i = 0; i <= n; ++i) {
        long double l, h;
        if (std::abs(e) >= 21) {
            l = (long double)(n - i) * e / n;
            const long double t = l / e;
            h = d * (t * t * t - t * t - t);
        } else if (i <= 7) {
            const long double m = i * (3 * pi / 2) / n;
            l = e < 0 ? e + std::sin(m) * (10 - e) : e + std::sin(-m) * (e + 10);
            h = -std::cos(m) * d / 3 - 2 * d / 3;
        } else {
            const long double m = 1 - (long double)(i - 7) / (n - 7);
            h = -2 * m * d / 3;
            l = e < 0 ? 5 - 5 * std::cos(pi * m) : 5 * std::cos(pi * m) - 5;
        }
        pts.push_back({xc + (int)roundHalfEven(l) + ox, yc + (int)roundHalfEven(h) + oy});
    }
    std::vector<Point> poly(2 * n + 1);
    poly[n] = pts[0];
    for (int i = 1; i <= n; ++i) {
        const long double dx = pts[i].x - pts[i - 1].x, dy = pts[i].y - pts[i - 1].y;
        const long double s =
            std::abs(dx) + std::abs(dy) < 1 ? 0 : (10.0L * i / n) / std::sqrt(dx * dx + dy * dy);
        poly[n - i] = {pts[i].x + (int)roundHalfEven(s * dy),
                       pts[i].y - (int)roundHalfEven(s * dx)};
        poly[n + i] = {pts[i].x - (int)roundHalfEven(s * dy),
                       pts[i].y + (int)roundHalfEven(s * dx)};
    }
    return poly;
}

const RecordingCanvas::Call* tailOf(const RecordingCanvas& c, Colour colour) {
    for (const auto* call : c.ofKind(Kind::Polygon)) {
        if (call->pen.colour == colour && call->points.size() == 43) {
            return call;
        }
    }
    return nullptr;
}

TEST_F(Recorded, MainTailsTaperFromTheRootCentre) {
    auto map = emptyMap();
    tlink* far = hangMain(*map, 1, 600, 900, QStringLiteral("Ver weg"));
    far->lineColor = 0x000080;
    // Almost straight above the centre: |e| < 21.
    tlink* above = hangMain(*map, 0, map->root->left + map->root->width / 2 + 7, 700);
    above->lineColor = 0x008000;
    map->relayoutAll();
    map->printing = true;
    map->drawAll(-300, -200);

    for (const tlink* b : {far, above}) {
        const auto* tail = tailOf(canvas, b->lineColor);
        ASSERT_NE(tail, nullptr);
        const auto expected = expectedTail(*b, -300, -200);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(tail->points[i], expected[i]) << "vertex " << i;
        }
        EXPECT_EQ(tail->brush.colour, colours::white) << "outlined when printing";
        EXPECT_EQ(tail->points[21],
                  (Point{(b->side == 0 ? b->left : b->right) - 300, b->textBottom - 200}))
            << "the tip at the branch";
    }
    // The bulging tail swings to the side before it curves back.
    const auto* bulge = tailOf(canvas, above->lineColor);
    const int xc = map->root->left + map->root->width / 2 - 300;
    int widest = 0;
    for (const Point& p : bulge->points) {
        widest = std::max(widest, std::abs(p.x - xc));
    }
    EXPECT_GE(widest, 12) << "10 to the side, plus half the tail's width there";
}

TEST_F(Recorded, SubBranchesHangOnASevenPointConnector) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1200, 900);
    tlink* child = hangChild(*main);
    child->lineColor = colours::olive;
    child->borderWidth = 2;
    map->relayoutAll();
    map->drawAll(10, 20);
    const RecordingCanvas::Call* curve = nullptr;
    for (const auto* call : canvas.ofKind(Kind::PolyBezier)) {
        if (call->pen.colour == colours::olive) {
            curve = call;
        }
    }
    ASSERT_NE(curve, nullptr);
    const int x0 = main->right + 10, y0 = main->textBottom + 20;
    const int x1 = child->left + 10, y1 = child->textBottom + 20;
    const std::vector<Point> expected = {{x0, y0},
                                         {(x1 + 5 * x0) / 6, y0},
                                         {(x1 + 2 * x0) / 3, (3 * y0 + y1) / 4},
                                         {(x0 + x1) / 2, (y0 + y1) / 2},
                                         {(x0 + 2 * x1) / 3, (3 * y1 + y0) / 4},
                                         {(x0 + 5 * x1) / 6, y1},
                                         {x1, y1}};
    EXPECT_EQ(curve->points, expected);
    EXPECT_EQ(curve->pen.width, 2);
}

TEST_F(Recorded, IconsRunFromTheInnerEnd) {
    QImage dot(20, 19, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::red);
    for (int v : {-1, 0, 5}) {
        modelState().iconButtons.set(v, dot);
    }
    auto map = emptyMap();
    tlink* right = hangMain(*map, 0, 1200, 900);
    right->icons = {-1, 5};
    tlink* left = hangMain(*map, 1, 800, 900);
    left->icons = {0, -1};
    tlink* leaf = hangChild(*right);
    leaf->icons = {5};
    map->root->icons = {-1};
    map->relayoutAll();
    map->drawAll(0, 0);
    std::vector<Point> drawn;
    for (const auto* call : canvas.ofKind(Kind::Draw)) {
        drawn.push_back(call->points[0]);
    }
    const std::vector<Point> expected = {
        {leaf->left, leaf->textBottom - 20},        // children first
        {right->left + 10, right->textBottom - 20}, // main: 10 from the end
        {right->left + 30, right->textBottom - 20},
        {left->right - 20 - 10, left->textBottom - 20}, // leftwards on the left
        {left->right - 40 - 10, left->textBottom - 20},
        {map->root->right - 20, map->root->textBottom - 20}}; // the root: from its right end
    EXPECT_EQ(drawn, expected);
    for (int v : {-1, 0, 5}) {
        modelState().iconButtons.set(v, QImage());
    }
}

// --- pixels --------------------------------------------------------------------

Colour at(const QImage& img, int x, int y) {
    return fromQColor(img.pixelColor(x, y));
}

template <typename Pred>
int countIf(const QImage& img, const Rect& r, Pred pred) {
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(img.height(), r.bottom); ++y) {
        for (int x = std::max(0, r.left); x < std::min(img.width(), r.right); ++x) {
            n += pred(img.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return n;
}

int count(const QImage& img, const Rect& r, Colour c) {
    return countIf(img, r, [c](const QColor& p) { return fromQColor(p) == c; });
}

// Antialiased text: pixels clearly darker or lighter than the background.
int dark(const QImage& img, const Rect& r) {
    return countIf(img, r, [](const QColor& p) { return p.lightness() < 100; });
}
int light(const QImage& img, const Rect& r) {
    return countIf(img, r, [](const QColor& p) { return p.lightness() > 180; });
}

// Draws the map's content into a surface of its extent, origin at the extent.
QImage drawn(tmindmap& map) {
    map.updateExtents();
    modelState().drawingBitmap->resize(map.extent.width(), map.extent.height());
    map.drawAll(-map.extent.left, -map.extent.top);
    return modelState().drawingBitmap->image().copy();
}

Rect onSurface(const tmindmap& map, const Rect& r) {
    return r.shifted(-map.extent.left, -map.extent.top);
}

TEST(Render, AMapWithOnlyARoot) {
    auto map = emptyMap();
    map->selected = nullptr;
    const QImage img = drawn(*map);
    const tlink& root = *map->root;
    const Rect text =
        onSurface(*map, {root.textLeft, root.textTop, root.textRight, root.textBottom});
    EXPECT_EQ(at(img, text.left + 4, text.top), colours::black) << "black outline";
    EXPECT_EQ(at(img, text.left + 4, text.top + 2), colours::white) << "filled white";
    const Rect under =
        onSurface(*map, {root.left, root.textBottom, root.right, root.textBottom + 1});
    EXPECT_EQ(count(img, under, colours::black), under.width()) << "the underline, end left out";
    EXPECT_EQ(at(img, under.right, under.top), colours::white);
    EXPECT_GT(dark(img, text), text.width()) << "the text is there";
    EXPECT_EQ(at(img, 0, 0), colours::white);
    // Centred: as much ink left of the centre as right of it, within a few pixels.
    const int mid = (text.left + text.right) / 2;
    const int leftInk = dark(img, {text.left + 1, text.top + 2, mid, text.bottom - 2});
    const int rightInk = dark(img, {mid, text.top + 2, text.right - 1, text.bottom - 2});
    EXPECT_NEAR(leftInk, rightInk, (leftInk + rightInk) / 4);
}

TEST(Render, TheSelectionIsBlueOnScreenOnly) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1200, 900, QStringLiteral("Gekozen"));
    map->relayoutAll();
    map->selected = main;
    QImage img = drawn(*map);
    const Rect box =
        onSurface(*map, {main->textLeft, main->textTop, main->textRight, main->textBottom});
    EXPECT_GT(count(img, box, colours::blue), box.width() * box.height() / 2);
    EXPECT_GT(light(img, box), 5) << "white text";

    map->printing = true;
    img = drawn(*map);
    EXPECT_EQ(count(img, box, colours::blue), 0);
    EXPECT_GT(dark(img, box), 5) << "black text";
}

TEST(Render, MainTailsAreFilledOnScreenAndOutlinedWhenPrinting) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1300, 800);
    main->lineColor = colours::red;
    map->relayoutAll();
    map->selected = nullptr;
    // A point on the tail's centre line, halfway out.
    const int xc = map->root->left + map->root->width / 2;
    const int yc = map->root->top + map->root->height / 2;
    const long double t = 0.5L;
    const int px = xc + (main->left - xc) / 2;
    const int py = yc + int(std::lround((yc - main->textBottom) * (t * t * t - t * t - t)));
    QImage img = drawn(*map);
    const Point p{px - map->extent.left, py - map->extent.top};
    EXPECT_EQ(at(img, p.x, p.y), colours::red);
    map->printing = true;
    img = drawn(*map);
    EXPECT_EQ(at(img, p.x, p.y), colours::white) << "filled white";
    EXPECT_GT(count(img, {p.x - 10, p.y - 12, p.x + 10, p.y + 12}, colours::red), 2) << "outline";
}

TEST(Render, AHiddenMainBranchShowsOnlyItsTail) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1300, 800, QStringLiteral("Verborgen"));
    main->fillColor = colours::olive;
    main->lineColor = colours::blue;
    tlink* child = hangChild(*main);
    child->fillColor = colours::olive;
    map->relayoutAll();
    map->selected = nullptr;
    main->hidden = true;
    const QImage img = drawn(*map);
    EXPECT_EQ(count(img, onSurface(*map, main->boxRect), colours::olive), 0) << "no box";
    EXPECT_EQ(count(img, onSurface(*map, child->boxRect), colours::olive), 0);
    EXPECT_EQ(dark(img, onSurface(*map, child->boxRect)), 0) << "no child text";
    EXPECT_GT(count(img, {0, 0, img.width(), img.height()}, colours::blue), 100) << "the tail";
}

ttextbox* box(tmindmap& map, const QString& text) {
    auto b = std::make_unique<ttextbox>();
    b->map = &map;
    b->lines = {text};
    b->left = 200;
    b->top = 200;
    b->fillColor = 0x00C0FFC0;
    b->frameColor = colours::red;
    ttextbox* raw = b.get();
    map.textBoxes.push_back(std::move(b));
    return raw;
}

TEST(Render, TextBoxes) {
    const struct {
        bool transparent;
        bool selected;
        bool printing;
        std::int32_t alignment;
        bool frame, fill, blue, text;
    } cases[] = {
        {false, false, false, 1, true, true, false, true},
        {true, true, false, 1, false, false, false, true},  // transparent: only its text
        {false, true, true, 1, true, false, true, true},    // selected: blue even when printing
        {false, false, false, 3, true, true, false, false}, // an unknown alignment: no text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alignment + 10 * c.transparent + 100 * c.selected);
        auto map = emptyMap();
        ttextbox* b = box(*map, QStringLiteral("Tekst"));
        b->transparent = c.transparent;
        b->alignment = c.alignment;
        map->printing = c.printing;
        map->selectedTextBox = c.selected ? b : nullptr;
        map->selected = nullptr;
        const QImage img = drawn(*map);
        EXPECT_GT(b->right, b->left);
        EXPECT_EQ(b->bottom - b->top, b->lineHeight + 10);
        const Rect r = onSurface(*map, {b->left, b->top, b->right, b->bottom});
        EXPECT_EQ(at(img, r.left, r.top + 5) == colours::red, c.frame);
        EXPECT_EQ(at(img, r.left + 2, r.top + 2) == 0x00C0FFC0u, c.fill);
        EXPECT_EQ(at(img, r.left + 2, r.top + 2) == colours::blue, c.blue);
        const Rect inside{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        EXPECT_EQ((c.blue ? light(img, inside) : dark(img, inside)) > 5, c.text);
    }
}

TEST(Render, DroppingOnTheOuterHalfPreviewsANewLastChild) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1200, 900);
    tlink* target = hangChild(*main, QStringLiteral("Doel"));
    map->relayoutAll();
    map->dropTarget = target;
    map->dropLeftHalf = false;
    RecordingCanvas canvas;
    modelState().canvasOverride = &canvas;
    map->drawAll(0, 0);
    modelState().canvasOverride = nullptr;
    EXPECT_EQ(map->dropParent, target);
    EXPECT_EQ(map->dropIndex, 0);
    EXPECT_EQ(target->textCentreX, (target->textLeft + target->textRight) / 2);
    const RecordingCanvas::Call* dashed = nullptr;
    for (const auto* call : canvas.ofKind(Kind::Line)) {
        if (call->pen.style == PenStyle::Dash) {
            dashed = call;
        }
    }
    ASSERT_NE(dashed, nullptr);
    const int y2 = target->bottom - target->height / 2;
    const int x2 = target->right + map->levelGap;
    EXPECT_EQ(dashed->points[0], (Point{x2 + map->levelGap, y2}));
    EXPECT_EQ(dashed->points[1], (Point{x2, y2}));
    const auto curves = canvas.ofKind(Kind::PolyBezier);
    const auto* preview = curves.back();
    EXPECT_EQ(preview->pen.style, PenStyle::Dash);
    EXPECT_EQ(preview->points.front(), (Point{target->right, target->textBottom}));
    EXPECT_EQ(preview->points.back(), (Point{x2, y2}));
    EXPECT_EQ(canvas.pen().style, PenStyle::Solid);
}

TEST(Render, DroppingOnTheInnerHalfOfAMainBranchShowsTheRedLine) {
    auto map = emptyMap();
    tlink* upper = hangMain(*map, 0, 1200, 800);
    tlink* target = hangMain(*map, 0, 1200, 1100);
    map->relayoutAll();
    map->dropTarget = target;
    map->dropLeftHalf = true;
    RecordingCanvas canvas;
    modelState().canvasOverride = &canvas;
    map->drawAll(0, 0);
    modelState().canvasOverride = nullptr;
    EXPECT_EQ(map->dropParent, map->root.get());
    for (const auto* call : canvas.ofKind(Kind::Line)) {
        EXPECT_NE(call->pen.style, PenStyle::Dash) << "no dashed preview";
    }
    const auto point = map->bisectorPoint(target, upper);
    ASSERT_TRUE(point.has_value());
    bool found = false;
    for (const auto* call : canvas.ofKind(Kind::Line)) {
        if (call->pen.colour == colours::red &&
            call->points[0] == Point{map->centreX, map->centreY} && call->points[1] == *point) {
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

} // namespace

namespace {

// A map of a few hundred branches with most of what drawing knows: both
// sides, hidden branches, icons, wide pens, a selection and text boxes.
std::unique_ptr<tmindmap> busyMap() {
    auto map = emptyMap();
    QImage dot(20, 19, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::darkGreen);
    modelState().iconButtons.set(4, dot);
    for (int m = 0; m < 12; ++m) {
        const bool right = m % 2 == 0;
        tlink* main = hangMain(*map, right ? 0 : 1, right ? 1150 : 850, 300 + 150 * m,
                               QStringLiteral("Onderwerp %1").arg(m));
        main->borderWidth = 1 + m % 4;
        main->hidden = m == 5;
        main->icons = {4};
        for (int i = 0; i < 6; ++i) {
            tlink* a = hangChild(*main, QStringLiteral("Tak %1.%2").arg(m).arg(i));
            a->borderWidth = 1 + i % 3;
            for (int j = 0; j < 4; ++j) {
                tlink* leaf = hangChild(*a, QStringLiteral("Blad %1").arg(j));
                leaf->icons = {4, -1};
                leaf->hidden = (i + j) % 7 == 3;
            }
        }
    }
    for (int t = 0; t < 3; ++t) {
        auto b = std::make_unique<ttextbox>();
        b->map = map.get();
        b->lines = {QStringLiteral("Vak %1").arg(t)};
        b->left = 100 + 700 * t;
        b->top = 150 + 500 * t;
        map->textBoxes.push_back(std::move(b));
    }
    // Wider than any pen near the centre: its share of a drop line shows.
    map->root->children[10]->children[3]->children[0]->borderWidth = 9;
    map->relayoutAll();
    map->updateQuadrants();
    map->selected = map->root->children[2]->children[1].get();
    return map;
}

struct Drawing {
    QImage image;
    std::int32_t centreX;
    tlink* dropParent;
    std::int32_t dropIndex;
};

Drawing drawView(tmindmap& map, bool cull, Point view) {
    map.dropParent = nullptr;
    map.dropIndex = -1;
    tmindmap::cullDrawing = cull;
    std::int32_t left = 0, top = 0;
    map.viewWidth = 500;
    map.viewHeight = 400;
    map.updateExtents();
    EXPECT_TRUE(map.prepareView(view.x, view.y, left, top));
    map.drawAll(-left, -top);
    tmindmap::cullDrawing = true;
    Drawing d{modelState().drawingBitmap->image().copy(),
              map.dropTarget ? map.dropTarget->textCentreX : 0, map.dropParent, map.dropIndex};
    if (map.dropTarget) {
        map.dropTarget->textCentreX = 0;
    }
    return d;
}

TEST(Render, SkippingUnseenSubtreesChangesNothing) {
    auto map = busyMap();
    tlink* far = map->root->children[10]->children[3].get(); // low on the right
    const struct {
        Point view;
        tlink* target;
        bool leftHalf;
        bool neighbours;
    } cases[] = {
        {{700, 600}, nullptr, false, false},
        {{1100, 200}, nullptr, false, false},
        {{0, 0}, nullptr, false, false},
        {{700, 300}, far, false, false}, // the drop target lies far outside the view
        {{700, 300}, far, true, false},
        {{1000, 700}, nullptr, false, true}, // a drop between two main branches
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view.x * 10000 + c.view.y);
        map->dropTarget = c.target;
        map->dropLeftHalf = c.leftHalf;
        map->dropNeighbourA = c.neighbours ? map->root->children[2].get() : nullptr;
        map->dropNeighbourB = c.neighbours ? map->root->children[6].get() : nullptr;
        const Drawing all = drawView(*map, false, c.view);
        const Drawing culled = drawView(*map, true, c.view);
        EXPECT_TRUE(all.image == culled.image);
        EXPECT_EQ(all.centreX, culled.centreX);
        EXPECT_EQ(all.dropParent, culled.dropParent);
        EXPECT_EQ(all.dropIndex, culled.dropIndex);
        if (c.target) {
            EXPECT_EQ(culled.dropParent, c.leftHalf ? far->parent : far);
        }
    }
    map->dropTarget = map->dropNeighbourA = map->dropNeighbourB = nullptr;
    modelState().iconButtons.set(4, QImage());
}

TEST(Render, TheWholeMapPictureHasThePrintingLookAndPutsTheSurfaceBack) {
    auto map = busyMap();
    ImageSurface* before = modelState().drawingBitmap.get();
    modelState().drawingBitmap->resize(321, 123);
    map->viewWidth = 640;
    map->viewHeight = 480;
    const tlink* selected = map->selected;
    const QImage picture = map->wholeMapPicture();
    EXPECT_EQ(picture.width(), map->extent.width());
    EXPECT_EQ(picture.height(), map->extent.height());
    EXPECT_EQ(modelState().drawingBitmap.get(), before);
    EXPECT_EQ(modelState().drawingBitmap->width(), 321);
    EXPECT_EQ(map->viewWidth, 640);
    EXPECT_EQ(map->viewHeight, 480);
    EXPECT_FALSE(map->printing);
    EXPECT_EQ(map->originX, -map->extent.left);
    const Rect box = onSurface(
        *map, {selected->textLeft, selected->textTop, selected->textRight, selected->textBottom});
    EXPECT_EQ(count(picture, box, colours::blue), 0) << "no selection when printing";
    // Full colour: an icon colour that 16 colours do not hold survives.
    EXPECT_GT(count(picture, {0, 0, picture.width(), picture.height()}, fromQColor(Qt::darkGreen)),
              100);
}

} // namespace
