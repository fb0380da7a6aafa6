#include "mapfixture.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

Canvas& surface() {
    return modelState().drawingBitmap->canvas();
}

std::int32_t measuredHeight(const Font& font) {
    surface().setFont(font);
    return surface().textHeight(QStringLiteral("H"));
}

std::int32_t measuredWidth(const Font& font, const QString& text) {
    surface().setFont(font);
    return surface().textWidth(text);
}

TEST(RectsOverlap, TouchingIsNotOverlapping) {
    const Rect a{0, 0, 10, 10};
    const struct {
        Rect b;
        bool overlap;
    } cases[] = {
        {{5, 5, 15, 15}, true},   {{2, 2, 4, 4}, true},   {{10, 0, 20, 10}, false},
        {{0, 10, 10, 20}, false}, {{-5, 9, 1, 30}, true}, {{20, 20, 30, 30}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rectsOverlap(a, c.b), c.overlap);
        EXPECT_EQ(rectsOverlap(c.b, a), c.overlap);
    }
}

TEST(Measure, HeightsFollowTheLineHeight) {
    auto map = emptyMap();
    Font small;
    small.setSize(6);
    tlink* none = hangMain(*map, 0, 1200, 900);
    none->lines.clear();
    tlink* one = hangMain(*map, 0, 1200, 1100);
    tlink* two = hangMain(*map, 0, 1200, 1300);
    two->lines = {QStringLiteral("een"), QStringLiteral("twee")};
    tlink* iconic = hangMain(*map, 0, 1200, 1500);
    iconic->font = small;
    iconic->icons = {3};
    map->root->relayout();

    const std::int32_t lh = measuredHeight(one->font);
    const std::int32_t margin = std::max(lh / 5, 2);
    EXPECT_EQ(one->lineHeight, lh);
    EXPECT_EQ(one->margin, margin);
    EXPECT_EQ(one->height, 2 * margin + lh + 4);
    EXPECT_EQ(none->height, one->height) << "no lines is as high as one line";
    EXPECT_EQ(two->height, 2 * margin + 2 * lh + 4);
    EXPECT_EQ(two->textBlockHeight, 2 * lh + 4);
    ASSERT_LT(2 * std::max(measuredHeight(small) / 5, 2) + measuredHeight(small) + 4, 20);
    EXPECT_EQ(iconic->height, 20) << "an icon needs 20 units";
    EXPECT_EQ(one->top, one->bottom - one->height);
    EXPECT_EQ(one->textTop, one->top + margin);
    EXPECT_EQ(one->textBottom, one->textTop + one->textBlockHeight);
}

TEST(Measure, WidthsAndTheEdgeEachSideKeeps) {
    auto map = emptyMap();
    tlink* right = hangMain(*map, 0, 1200, 900, QStringLiteral("Rechts"));
    right->icons = {-1, 4};
    tlink* left = hangMain(*map, 1, 800, 900, QStringLiteral("Links en breder"));
    tlink* leaf = hangChild(*right, QStringLiteral("Blad"));
    map->root->relayout();

    const std::int32_t text = measuredWidth(right->font, QStringLiteral("Rechts")) + 10;
    EXPECT_EQ(right->textWidth, text);
    EXPECT_EQ(right->width, text + 2 * 20 + 10) << "icons and the main-branch allowance";
    EXPECT_EQ(right->left, 1200);
    EXPECT_EQ(right->right, 1200 + right->width);
    EXPECT_EQ(right->textRight, right->right);
    EXPECT_EQ(right->textLeft, right->right - text) << "text at the outer end";
    EXPECT_EQ(right->handleX, 1200);

    EXPECT_EQ(left->right, 800);
    EXPECT_EQ(left->left, 800 - left->width);
    EXPECT_EQ(left->textLeft, left->left);
    EXPECT_EQ(left->textRight, left->left + left->textWidth);
    EXPECT_EQ(left->handleX, 800);

    EXPECT_EQ(leaf->width, measuredWidth(leaf->font, QStringLiteral("Blad")) + 10);
    EXPECT_EQ(leaf->handleX, std::numeric_limits<std::int32_t>::max());

    // The root keeps its centre; its text sits at its right end.
    const std::int32_t centre = 1000;
    EXPECT_EQ(map->root->left, centre - map->root->width / 2);
    EXPECT_EQ(map->root->right, centre + map->root->width / 2);
    EXPECT_EQ(map->root->textRight, map->root->right);
}

TEST(Measure, TextIsMeasuredAgainOnlyWhenDirty) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1200, 900, QStringLiteral("Kort"));
    map->root->relayout();
    const std::int32_t shortWidth = main->textWidth;

    main->lines = {QStringLiteral("Een veel langere tekst")};
    main->markChanged();
    main->relayout();
    EXPECT_EQ(main->textWidth, shortWidth) << "textDirty was not set";

    main->textDirty = true;
    main->markChanged();
    main->relayout();
    EXPECT_GT(main->textWidth, shortWidth);

    const std::int32_t before = main->textWidth;
    main->growFont(); // font operations set textDirty
    main->relayout();
    EXPECT_GT(main->textWidth, before);
}

TEST(Measure, ACleanBranchKeepsItsSizesWhenItsParentIsMeasured) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1200, 900);
    tlink* child = hangChild(*main);
    map->root->relayout();
    child->height = 33;
    child->subtreeHeight = 33;
    main->markChanged();
    main->relayout();
    EXPECT_EQ(child->height, 33);
    EXPECT_EQ(main->childrenHeight, 33);
}

TEST(Place, TwoLeavesOfThirtyAndFortyFillTheBlockFromTheTop) {
    auto map = emptyMap();
    tlink* main = hangMain(*map, 0, 1200, 900);
    tlink* a = hangChild(*main);
    tlink* b = hangChild(*main);
    map->root->relayout();
    for (auto [leaf, h] : {std::pair{a, 30}, std::pair{b, 40}}) {
        leaf->height = h;
        leaf->subtreeHeight = h; // as measure leaves a leaf
    }
    main->markChanged();
    main->relayout();

    EXPECT_EQ(main->childrenHeight, 70);
    EXPECT_EQ(main->subtreeHeight, std::max(main->height, main->height / 2 + 70));
    const std::int32_t blockTop = main->bottom - (main->subtreeHeight + main->height) / 2;
    EXPECT_EQ(main->childBlockTop, blockTop - main->bottom);
    EXPECT_EQ(main->childBlockBottom, main->childBlockTop + 70);
    EXPECT_EQ(a->top, blockTop);
    EXPECT_EQ(a->bottom, blockTop + 30);
    EXPECT_EQ(b->top, blockTop + 30);
    EXPECT_EQ(b->bottom, blockTop + 70);
    EXPECT_EQ(a->left, main->left + main->width + map->levelGap);
    EXPECT_EQ(main->childBlockRect,
              (Rect{main->right, main->bottom + main->childBlockTop,
                    main->right + main->subtreeWidth, main->bottom + main->childBlockBottom}));
    EXPECT_EQ(main->subtreeWidth, std::max(a->width, b->width) + 2 * map->levelGap);
}

TEST(Place, LeavesHaveAnEmptyChildBlockOnTheEdgeFacingTheRoot) {
    auto map = emptyMap();
    tlink* right = hangMain(*map, 0, 1200, 900);
    tlink* left = hangMain(*map, 1, 800, 900);
    tlink* leftLeaf = hangChild(*left);
    map->root->relayout();
    EXPECT_EQ(right->childBlockRect, (Rect{right->left, right->bottom, right->left, right->top}));
    EXPECT_EQ(right->subtreeRect, right->boxRect);
    EXPECT_EQ(leftLeaf->childBlockRect,
              (Rect{leftLeaf->right, leftLeaf->bottom, leftLeaf->right, leftLeaf->top}));
    EXPECT_EQ(leftLeaf->right, left->left - map->levelGap) << "grows away from the root";
    EXPECT_EQ(left->childBlockRect.left, left->left - left->subtreeWidth);
    EXPECT_EQ(left->subtreeRect,
              (Rect{left->childBlockRect.left, std::min(left->top, left->childBlockRect.top),
                    left->right, std::max(left->bottom, left->childBlockRect.bottom)}));
}

TEST(Relayout, TouchesOnlyTheMainBranchThatHoldsTheChange) {
    auto map = emptyMap();
    tlink* a = hangMain(*map, 0, 1200, 900);
    tlink* deep = hangChild(*hangChild(*a));
    tlink* b = hangMain(*map, 0, 1200, 1200);
    map->root->relayout();
    const Rect bBefore = b->subtreeRect;
    b->layoutDirty = true; // would be remeasured if the relayout reached it
    b->bottom += 500;

    deep->lines = {QStringLiteral("Nieuwe tekst die langer is")};
    deep->textDirty = true;
    deep->markChanged();
    deep->relayout();
    EXPECT_FALSE(deep->layoutDirty);
    EXPECT_FALSE(a->layoutDirty);
    EXPECT_TRUE(b->layoutDirty);
    EXPECT_EQ(b->subtreeRect, bBefore);
    EXPECT_EQ(deep->width, measuredWidth(deep->font, deep->lines[0]) + 10);
}

TEST(Relayout, TheRootIsMeasuredButNeverPlaced) {
    auto map = emptyMap();
    hangChild(*hangMain(*map, 1, 800, 900));
    map->relayoutAll();
    EXPECT_FALSE(map->root->layoutDirty);
    EXPECT_EQ(map->root->boxRect, Rect{});
    EXPECT_EQ(map->root->textCentreX, 0);
    EXPECT_NE(map->root->children[0]->boxRect, Rect{});
}

TEST(MoveBy, MovingTheRootMovesEveryBranchAlike) {
    auto map = emptyMap();
    tlink* a = hangMain(*map, 0, 1200, 900);
    tlink* leaf = hangChild(*hangChild(*a));
    tlink* b = hangMain(*map, 1, 800, 1100);
    map->relayoutAll();
    const Rect rootBefore{map->root->left, map->root->top, map->root->right, map->root->bottom};
    const Rect aBox = a->boxRect, leafBox = leaf->boxRect, bSub = b->subtreeRect;
    const std::int32_t handle = a->handleX;

    map->root->moveBy(30, -20);
    EXPECT_EQ((Rect{map->root->left, map->root->top, map->root->right, map->root->bottom}),
              rootBefore.shifted(30, -20));
    EXPECT_EQ(a->boxRect, aBox.shifted(30, -20));
    EXPECT_EQ(leaf->boxRect, leafBox.shifted(30, -20));
    EXPECT_EQ(b->subtreeRect, bSub.shifted(30, -20));
    EXPECT_EQ(a->handleX, handle + 30);
    EXPECT_EQ(map->root->handleX, std::numeric_limits<std::int32_t>::max())
        << "a branch without a handle keeps the marker";
}

class Overlaps : public ::testing::Test {
protected:
    std::unique_ptr<tmindmap> map = emptyMap();
};

TEST_F(Overlaps, OneMainBranchOnASideIsLeftAlone) {
    tlink* a = hangMain(*map, 0, 1200, 900);
    hangMain(*map, 1, 800, 900); // the other side does not count
    map->relayoutAll();
    const Rect before = a->boxRect;
    map->resolveOverlaps(a);
    EXPECT_EQ(a->boxRect, before);
}

TEST_F(Overlaps, OverlappingMainBranchesArePushedApart) {
    tlink* upper = hangMain(*map, 0, 1200, 900);
    hangChild(*upper);
    hangChild(*upper);
    tlink* lower = hangMain(*map, 0, 1210, 910);
    hangChild(*lower);
    map->relayoutAll();
    ASSERT_TRUE(rectsOverlap(upper->subtreeRect, lower->subtreeRect));
    const Rect upperBefore = upper->subtreeRect;

    map->resolveOverlaps(upper); // the one that stays; the one below moves down
    EXPECT_EQ(upper->subtreeRect, upperBefore);
    EXPECT_FALSE(rectsOverlap(upper->boxRect, lower->boxRect));
    EXPECT_FALSE(rectsOverlap(upper->childBlockRect, lower->childBlockRect));
    EXPECT_FALSE(rectsOverlap(upper->boxRect, lower->childBlockRect));
    EXPECT_FALSE(rectsOverlap(upper->childBlockRect, lower->boxRect));
    EXPECT_GT(lower->bottom, 910);
}

TEST_F(Overlaps, BranchesAboveTheMovedOneArePushedUp) {
    tlink* upper = hangMain(*map, 1, 800, 900);
    tlink* lower = hangMain(*map, 1, 790, 905);
    map->relayoutAll();
    map->resolveOverlaps(lower);
    EXPECT_EQ(lower->bottom, 905);
    EXPECT_FALSE(rectsOverlap(upper->subtreeRect, lower->subtreeRect));
    EXPECT_EQ(upper->bottom, lower->top) << "moved up by exactly the overlap";
}

TEST_F(Overlaps, TouchingSubtreesAreNotPushed) {
    tlink* upper = hangMain(*map, 0, 1200, 900);
    map->relayoutAll();
    tlink* lower = hangMain(*map, 0, 1200, 900 + upper->height);
    map->relayoutAll();
    ASSERT_EQ(upper->subtreeRect.bottom, lower->subtreeRect.top);
    map->resolveOverlaps(upper);
    EXPECT_EQ(lower->bottom, 900 + upper->height);
}

TEST_F(Overlaps, AMainBranchOnTheCentreLineMovesNothing) {
    tlink* onCentre = hangMain(*map, 0, map->centreX, 900);
    tlink* a = hangMain(*map, 0, 1010, 905);
    tlink* b = hangMain(*map, 0, 1020, 910);
    map->relayoutAll();
    const std::int32_t aBottom = a->bottom, bBottom = b->bottom;
    map->resolveOverlaps(onCentre);
    EXPECT_EQ(a->bottom, aBottom);
    EXPECT_EQ(b->bottom, bBottom);
    map->resolveOverlaps(map->root.get());
    EXPECT_EQ(a->bottom, aBottom);
}

// Main branches dropped on one spot, as a careless pupil might.
std::vector<tlink*> pile(tmindmap& map, int count) {
    std::vector<tlink*> mains;
    for (int i = 0; i < count; ++i) {
        tlink* m = hangMain(map, 0, 1200 + i % 3, 900 + i % 2);
        hangChild(*m);
        mains.push_back(m);
    }
    map.relayoutAll();
    return mains;
}

bool anyOverlap(const std::vector<tlink*>& mains) {
    for (std::size_t i = 0; i < mains.size(); ++i) {
        for (std::size_t j = i + 1; j < mains.size(); ++j) {
            if (rectsOverlap(mains[i]->boxRect, mains[j]->boxRect) ||
                rectsOverlap(mains[i]->childBlockRect, mains[j]->childBlockRect)) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(Overlaps, APileOfMainBranchesIsSpreadOut) {
    const auto mains = pile(*map, 40);
    EXPECT_TRUE(map->resolveOverlaps(mains[20]));
    EXPECT_FALSE(anyOverlap(mains));
}

TEST_F(Overlaps, ThePassesAreBounded) {
    const auto mains = pile(*map, 40);
    const int saved = tmindmap::overlapPassLimit;
    tmindmap::overlapPassLimit = 3; // far fewer than the pile needs
    const bool settled = map->resolveOverlaps(mains[20]);
    tmindmap::overlapPassLimit = saved;
    EXPECT_FALSE(settled);
    EXPECT_TRUE(anyOverlap(mains)) << "the work was cut off";
    for (tlink* m : mains) {
        EXPECT_EQ(m->boxRect, (Rect{m->left, m->top, m->right, m->bottom})) << "still laid out";
    }
    EXPECT_TRUE(map->resolveOverlaps(mains[20])) << "a later call goes on from there";
    EXPECT_FALSE(anyOverlap(mains));
}

TEST_F(Overlaps, RootResizedMovesTheMainBranchesOutwardOnlyWhenItGrew) {
    tlink* right = hangMain(*map, 0, 1200, 900);
    tlink* left = hangMain(*map, 1, 800, 900);
    map->relayoutAll();
    const Rect old{map->root->left, map->root->top, map->root->right, map->root->bottom};

    map->root->lines = {QStringLiteral("K")}; // narrower
    map->root->textDirty = true;
    map->rootResized(old);
    EXPECT_EQ(right->left, 1200);
    EXPECT_EQ(left->right, 800);

    const Rect narrow{map->root->left, map->root->top, map->root->right, map->root->bottom};
    map->root->lines = {QStringLiteral("Een veel bredere kern")};
    map->root->textDirty = true;
    map->rootResized(narrow);
    const std::int32_t g = narrow.left - map->root->left;
    ASSERT_GT(g, 0);
    EXPECT_EQ(right->left, 1200 + g);
    EXPECT_EQ(left->right, 800 - g);
    EXPECT_EQ(right->boxRect.left, 1200 + g) << "relaid out after the move";
}

} // namespace
