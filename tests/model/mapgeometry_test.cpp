#include "mapfixture.h"

#include "platform/error.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Scale, FollowsTheZoom) {
    auto map = emptyMap();
    map->width = 3001;
    map->height = 2001;
    map->zoom = 100;
    map->updateScale();
    EXPECT_EQ(map->scaleX, 1.0L);
    EXPECT_EQ(map->invScaleY, 1.0L);
    EXPECT_EQ(map->offsetX, 0.0L);
    EXPECT_EQ(map->invOffsetY, 0.0L);
    EXPECT_EQ(map->paintWidth, 3001);

    map->zoom = 50;
    map->updateScale();
    EXPECT_EQ(map->scaleX, 0.5L);
    EXPECT_EQ(map->invScaleX, 2.0L);
    EXPECT_EQ(map->invScaleY, 2.0L);
    EXPECT_EQ(map->paintWidth, 1500) << "1500.5 rounds to even";
    EXPECT_EQ(map->paintHeight, 1000) << "1000.5 rounds to even";

    map->zoom = 150;
    map->updateScale();
    EXPECT_EQ(map->toScreen(1, 3), (Point{2, 4})) << "1.5 and 4.5 round to even";
    EXPECT_EQ(map->toMap(300, 3), (Point{200, 2}));
}

TEST(Scale, AZoomThatCannotBeDrawnRaisesTheRangeError) {
    auto map = emptyMap();
    map->zoom = 0;
    EXPECT_THROW(map->updateScale(), RangeError);
    map->width = 300000;
    map->zoom = 1000000; // 300000 x 10000 does not fit
    EXPECT_THROW(map->updateScale(), RangeError);
    EXPECT_EQ(map->scaleX, 10000.0L) << "the fields before the failure are set";
}

TEST(ZoomAt, KeepsTheMapPointAtTheCentreOfTheView) {
    auto map = emptyMap();
    FakeView view;
    map->paintBox = &view;
    map->zoom = 100;
    map->updateScale();
    const Point scroll = map->zoomAt(200, {0, 0}, {0, 0, 800, 600});
    EXPECT_EQ(scroll, (Point{400, 300}));
    EXPECT_EQ(map->zoom, 200);
    EXPECT_EQ(map->scaleX, 2.0L);
    EXPECT_EQ(view.paintWidth, 6000);
    EXPECT_EQ(view.paintHeight, 4000);

    // And back: the point at the centre stays where it was.
    EXPECT_EQ(map->zoomAt(100, scroll, {0, 0, 800, 600}), (Point{0, 0}));
}

TEST(PrepareView, SizesTheSurfaceToTheVisibleContent) {
    auto map = emptyMap();
    map->extent = {500, 400, 1500, 1300};
    map->zoom = 200;
    map->updateScale();
    map->viewWidth = 400;
    map->viewHeight = 300;

    std::int32_t left = -1, top = -1;
    EXPECT_FALSE(map->prepareView(2000, 400, left, top)) << "right of the content";
    EXPECT_FALSE(map->prepareView(500, 1300, left, top)) << "below: touching is outside";

    ASSERT_TRUE(map->prepareView(300, 1100, left, top)); // overlaps the lower left corner
    EXPECT_EQ(left, 500);
    EXPECT_EQ(top, 1100);
    EXPECT_EQ(modelState().drawingBitmap->width(), 200);
    EXPECT_EQ(modelState().drawingBitmap->height(), 200);
    EXPECT_EQ(map->sourceRect, (Rect{0, 0, 200, 200}));
    EXPECT_EQ(map->viewLeft, 300);
    EXPECT_EQ(map->viewTop, 1100);
    EXPECT_EQ(map->targetRect, (Rect{1000, 2200, 1400, 2600}));
}

TEST(Quadrants, CornersCollectTheMainSubtreesAroundTheCentre) {
    auto map = emptyMap();
    tlink* upperLeft = hangMain(*map, 1, 800, 900);
    tlink* lowerRight = hangMain(*map, 0, 1200, 1200);
    tlink* spanning = hangMain(*map, 0, 1300, map->centreY + 5); // crosses the centre line
    hangMain(*map, 0, map->centreX, 700);                        // on the centre line: none
    map->relayoutAll();
    map->updateQuadrants();

    const std::int32_t cx = 1000, cy = map->centreY;
    EXPECT_EQ(map->centreX, (map->root->left + map->root->right) / 2);
    EXPECT_EQ(map->upperLeft, (Point{upperLeft->subtreeRect.left, upperLeft->subtreeRect.top}));
    EXPECT_EQ(map->lowerLeft, (Point{cx, cy})) << "nothing below left";
    EXPECT_EQ(map->upperRight, (Point{spanning->subtreeRect.right, spanning->subtreeRect.top}));
    EXPECT_EQ(map->lowerRight,
              (Point{std::max(spanning->subtreeRect.right, lowerRight->subtreeRect.right),
                     lowerRight->subtreeRect.bottom}));
}

TEST(Extents, CoverEveryBranchAndTextBoxOneUnitWider) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1200, 900);
    tlink* hidden = hangChild(*main);
    hidden->hidden = true;
    map->relayoutAll();
    auto box = std::make_unique<ttextbox>();
    box->left = 100;
    box->top = 2000;
    box->right = 150;
    box->bottom = 2100;
    map->textBoxes.push_back(std::move(box));
    map->updateExtents();
    EXPECT_EQ(map->extent, (Rect{99, std::min({map->root->top, main->top, hidden->top}) - 1,
                                 hidden->right + 1, 2101}));
}

TEST(FitCanvas, KeepsAFreeBorderAndGrowsTheCanvas) {
    const struct {
        std::int32_t leftmost;
        std::int32_t moved;
    } cases[] = {{99, 101}, {100, 0}, {-50, 250}};
    for (const auto& c : cases) {
        auto map = emptyMap();
        tlink* left = hangMain(*map, 1, 800, 900);
        map->relayoutAll();
        left->moveBy(c.leftmost - left->subtreeRect.left, 0);
        map->updateScale();
        map->fitCanvas();
        EXPECT_EQ(left->subtreeRect.left, c.leftmost + c.moved) << c.leftmost;
    }

    auto map = emptyMap();
    FakeView view;
    map->paintBox = &view;
    modelState().scrollBox = &view;
    tlink* right = hangMain(*map, 0, 2850, 900);
    map->relayoutAll();
    map->updateScale();
    map->fitCanvas();
    EXPECT_EQ(map->width, right->subtreeRect.right + 200);
    EXPECT_EQ(map->height, 2000) << "the bottom is far from the edge";
    EXPECT_EQ(view.paintWidth, map->width);
    EXPECT_EQ(view.hRange, map->width);
    EXPECT_EQ(view.vRange, 2000);
    const int sets = view.rangeSets;
    map->fitCanvas();
    EXPECT_EQ(view.rangeSets, sets) << "unchanged ranges are not set again";

    right->moveBy(-2000, 0);
    const std::int32_t wide = map->width;
    map->fitCanvas();
    EXPECT_EQ(map->width, wide) << "the canvas never shrinks";
    modelState().scrollBox = nullptr;
}

TEST(Bisector, PointsHalfwayBetweenTwoMainBranches) {
    auto map = emptyMap();
    const std::int32_t cx = map->centreX, cy = map->centreY;
    tlink* straightLeft = hangMain(*map, 1, 800, cy);
    tlink* aboveOnTheLine = hangMain(*map, 1, cx, cy - 200);
    tlink* straightRight = hangMain(*map, 0, 1200, cy);

    EXPECT_FALSE(map->bisectorPoint(nullptr, nullptr).has_value());
    // (pi/2 + 2pi) / 2: down and to the right.
    EXPECT_EQ(map->bisectorPoint(straightLeft, nullptr), (Point{cx + 71, cy + 71}));
    // angle 0 (up) and 2pi: halfway is straight down.
    EXPECT_EQ(map->bisectorPoint(aboveOnTheLine, nullptr), (Point{cx, cy + 100}));
    // 0 and 3pi/2: down and to the left.
    EXPECT_EQ(map->bisectorPoint(nullptr, straightRight), (Point{cx - 71, cy + 71}));
    // pi/2 and 3pi/2: straight down.
    EXPECT_EQ(map->bisectorPoint(straightLeft, straightRight), (Point{cx, cy + 100}));
}

} // namespace
