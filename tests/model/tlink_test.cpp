#include "model/modelstate.h"
#include "model/tlink.h"
#include "model/tmindmap.h"
#include "model/trtf.h"

#include "platform/random.h"

#include <gtest/gtest.h>

namespace {

// Appends a child with the given box, bypassing addChild's placement.
tlink* hang(tlink& parent, Rect box) {
    auto child = std::make_unique<tlink>(&parent);
    child->map = parent.map;
    child->left = box.left;
    child->top = box.top;
    child->right = box.right;
    child->bottom = box.bottom;
    tlink* raw = child.get();
    parent.children.push_back(std::move(child));
    return raw;
}

// A chain of branches below the root, one per level.
std::vector<tlink*> chain(tlink& root, int length) {
    std::vector<tlink*> levels{&root};
    for (int i = 0; i < length; ++i) {
        levels.push_back(hang(*levels.back(), {}));
    }
    return levels;
}

TEST(Tlink, NewBranchDefaults) {
    tlink root(nullptr);
    EXPECT_EQ(root.lines, QStringList{QStringLiteral("Mindmap")});
    tlink child(&root);
    EXPECT_TRUE(child.lines.isEmpty());
    EXPECT_EQ(child.parent, &root);
    EXPECT_EQ(child.borderColor, colours::black);
    EXPECT_EQ(child.fillColor, colours::white);
    EXPECT_EQ(child.lineColor, colours::black);
    EXPECT_EQ(child.borderWidth, 1);
    EXPECT_TRUE(child.textDirty);
    EXPECT_TRUE(child.layoutDirty);
    EXPECT_TRUE(child.placeholder);
    EXPECT_FALSE(child.hidden);
    EXPECT_EQ(child.note, nullptr);
    EXPECT_EQ(child.noteOffsetX, 10);
    EXPECT_EQ(child.noteOffsetY, 0);
    EXPECT_EQ(child.noteWidth, 200);
    EXPECT_EQ(child.noteHeight, 160);
    EXPECT_EQ(child.noteMode, 2);
    EXPECT_EQ(child.side, 0);
    EXPECT_EQ(child.map, nullptr);
}

class AddChild : public ::testing::Test {
protected:
    void SetUp() override {
        map.root->left = 500;
        map.root->right = 600;
        map.root->top = 480;
        map.root->bottom = 520;
        map.root->font.setSize(12);
        map.centreX = 550;
        map.centreY = 500;
        map.upperLeft = map.upperRight = map.lowerLeft = map.lowerRight = {550, 500};
        map.modified = false;
    }
    tmindmap map;
};

TEST_F(AddChild, TheFirstFourMainBranchesFillTheQuadrantsInOrder) {
    programRandom().setSeed(20261211);
    ProgramRandom r;
    r.setSeed(20261211);
    tlink& root = *map.root;

    tlink* a = root.addChild(); // above left
    EXPECT_EQ(a->bottom, 450);
    EXPECT_EQ(a->right, 450); // the kept edge on the left side
    EXPECT_EQ(a->side, 1);
    EXPECT_EQ(a->left, a->right - a->width) << "laid out to its real width";
    EXPECT_GT(a->width, 0);
    map.upperLeft = {400, 380}; // as the quadrant update would leave them

    tlink* b = root.addChild(); // above right
    EXPECT_EQ(b->bottom, 425);
    EXPECT_EQ(b->left, 660);
    EXPECT_EQ(b->right, 660 + b->width);
    EXPECT_EQ(b->side, 0);
    map.upperRight = {700, 390};

    tlink* c = root.addChild(); // below right
    EXPECT_EQ(c->bottom, 520 + 60 + static_cast<std::int32_t>(r.next(15)));
    EXPECT_EQ(c->left, 655);
    EXPECT_EQ(c->side, 0);
    map.lowerRight = {700, 610};

    tlink* d = root.addChild(); // below left
    EXPECT_EQ(d->bottom, 575);
    EXPECT_EQ(d->right, 430);
    EXPECT_EQ(d->side, 1);
    map.lowerLeft = {400, 620};

    // From the fifth on: k = number of children mod 4.
    tlink* e = root.addChild(); // k = 1: above the upper right ones
    std::int32_t bottom = 390 - 40 - static_cast<std::int32_t>(r.next(10));
    std::int32_t edge = 600 - 40 - static_cast<std::int32_t>(r.next(20));
    EXPECT_EQ(e->bottom, bottom);
    EXPECT_EQ(e->side, 550 < edge ? 0 : 1);
    EXPECT_EQ(e->side == 0 ? e->left : e->right, edge);

    tlink* f = root.addChild(); // k = 2: below the lower left ones
    bottom = 620 + 40 + static_cast<std::int32_t>(r.next(10));
    edge = 600 + 20 + static_cast<std::int32_t>(r.next(20));
    EXPECT_EQ(f->bottom, bottom);
    EXPECT_EQ(f->left, edge);
    EXPECT_EQ(f->side, 0);

    tlink* g = root.addChild(); // k = 3
    bottom = 610 + 40 + static_cast<std::int32_t>(r.next(10));
    edge = 600 - 40 - static_cast<std::int32_t>(r.next(20));
    EXPECT_EQ(g->bottom, bottom);
    EXPECT_EQ(g->side == 0 ? g->left : g->right, edge);

    tlink* h = root.addChild(); // k = 0
    bottom = 380 - 40 - static_cast<std::int32_t>(r.next(10));
    edge = 600 + 40 + static_cast<std::int32_t>(r.next(20));
    EXPECT_EQ(h->bottom, bottom);
    EXPECT_EQ(h->left, edge);
    EXPECT_EQ(programRandom().seed(), r.seed()) << "the program-wide generator was used";

    ASSERT_EQ(root.children.size(), 8u);
    EXPECT_EQ(root.children.back().get(), h);
}

TEST_F(AddChild, AMainBranchCopiesTheRootFontTwoPointsSmaller) {
    map.root->font.name = QStringLiteral("Comic Sans MS");
    map.root->font.style = Font::Bold;
    map.root->font.colour = colours::red;
    tlink* n = map.root->addChild();
    EXPECT_EQ(n->lines, QStringList{QStringLiteral("Onderwerp")});
    EXPECT_EQ(n->font.size(), 10);
    EXPECT_EQ(n->font.name, QStringLiteral("Comic Sans MS"));
    EXPECT_EQ(n->font.style, Font::Bold);
    EXPECT_EQ(n->font.colour, colours::red);
    EXPECT_EQ(n->map, &map);
    EXPECT_EQ(n->parent, map.root.get());
    EXPECT_TRUE(map.modified);
    EXPECT_TRUE(map.root->layoutDirty);
}

TEST_F(AddChild, ADeeperBranchIsAKeywordOfSizeTenOnItsParentsSide) {
    tlink* main = hang(*map.root, {700, 480, 760, 500});
    main->side = 1;
    main->font.setSize(20);
    map.modified = false;
    tlink* n = main->addChild();
    EXPECT_EQ(n->lines, QStringList{QStringLiteral("Trefwoord")});
    EXPECT_EQ(n->font.size(), 10);
    EXPECT_EQ(n->side, 1);
    EXPECT_TRUE(map.modified);
    EXPECT_EQ(n->level(), 2);
    tlink* deeper = n->addChild();
    EXPECT_EQ(deeper->side, 1);
    EXPECT_EQ(deeper->font.size(), 10);
}

TEST(Tlink, MarkChangedDirtiesTheWayUpOnly) {
    tmindmap map;
    tlink* main = hang(*map.root, {});
    tlink* leaf = hang(*main, {});
    tlink* sibling = hang(*main, {});
    for (tlink* b : {map.root.get(), main, leaf, sibling}) {
        b->layoutDirty = false;
    }
    map.modified = false;
    leaf->markChanged();
    EXPECT_TRUE(leaf->layoutDirty);
    EXPECT_TRUE(main->layoutDirty);
    EXPECT_TRUE(map.root->layoutDirty);
    EXPECT_FALSE(sibling->layoutDirty);
    EXPECT_TRUE(map.modified);
    tlink loose(nullptr); // no map: nothing to mark modified
    loose.markChanged();
    EXPECT_TRUE(loose.layoutDirty);
}

TEST(Tlink, BranchAtPrefersTheAncestorThenTheLaterSibling) {
    tlink root(nullptr);
    root.left = 100, root.top = 100, root.right = 200, root.bottom = 140;
    hang(root, {150, 120, 180, 130}); // inside the root's box
    tlink* first = hang(root, {300, 100, 400, 140});
    tlink* second = hang(root, {350, 110, 450, 150}); // overlaps first
    tlink* grandchild = hang(*first, {500, 100, 560, 120});
    grandchild->hidden = true;

    const struct {
        std::int32_t x, y;
        tlink* expected;
    } cases[] = {
        {160, 125, &root}, // in the root and in its child: the root
        {100, 100, &root}, // edges count
        {200, 140, &root},  {320, 120, first},
        {360, 120, second},                         // in both siblings: the later one
        {400, 150, second}, {560, 120, grandchild}, // hidden branches are found too
        {99, 120, nullptr}, {250, 120, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(root.branchAt(c.x, c.y), c.expected) << c.x << "," << c.y;
    }
}

TEST(Tlink, ShrinkFontStopsAtFourButGoesOnBelow) {
    tlink root(nullptr);
    root.font.setSize(4);
    tlink* child = hang(root, {});
    child->font.setSize(9);
    root.textDirty = root.layoutDirty = child->textDirty = child->layoutDirty = false;
    root.shrinkFont();
    EXPECT_EQ(root.font.size(), 4);
    EXPECT_EQ(child->font.size(), 8);
    EXPECT_TRUE(root.textDirty && root.layoutDirty && child->textDirty && child->layoutDirty);
    root.growFont();
    EXPECT_EQ(root.font.size(), 5);
    EXPECT_EQ(child->font.size(), 9);
}

TEST(Tlink, DefaultFontsShrinkByLevelDownToSix) {
    tlink root(nullptr);
    const auto levels = chain(root, 8);
    for (tlink* b : levels) {
        b->font.style = Font::Italic;
        b->font.colour = colours::red;
        b->textDirty = b->layoutDirty = false;
    }
    root.applyDefaultFonts(11);
    const std::int32_t expected[] = {11, 10, 9, 8, 7, 6, 6, 6, 6};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        EXPECT_EQ(levels[i]->font.size(), expected[i]) << "level " << i;
        EXPECT_EQ(levels[i]->font.style, 0);
        EXPECT_EQ(levels[i]->font.colour, colours::black);
        EXPECT_TRUE(levels[i]->textDirty && levels[i]->layoutDirty);
    }
}

TEST(Tlink, StandardLookResetsColoursAndKeepsSizesAboveSeven) {
    tlink root(nullptr);
    const auto levels = chain(root, 4);
    for (tlink* b : levels) {
        b->font.style = Font::Underline;
        b->fillColor = colours::red;
        b->lineColor = colours::blue;
        b->borderColor = colours::olive;
        b->textDirty = b->layoutDirty = false;
    }
    root.applyStandardLook(12);
    const std::int32_t expected[] = {12, 10, 8, 8, 8};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        EXPECT_EQ(levels[i]->font.size(), expected[i]) << "level " << i;
        EXPECT_EQ(levels[i]->font.style, 0);
        EXPECT_EQ(levels[i]->fillColor, colours::white);
        EXPECT_EQ(levels[i]->lineColor, colours::black);
        EXPECT_EQ(levels[i]->borderColor, colours::black);
        EXPECT_FALSE(levels[i]->textDirty || levels[i]->layoutDirty) << "flags untouched";
    }
}

TEST(Tlink, SidesSpreadAndAreAssignedOverDescendants) {
    tlink root(nullptr);
    root.side = 2;
    tlink* left = hang(root, {100, 0, 200, 20});
    tlink* right = hang(root, {700, 0, 800, 20});
    tlink* under = hang(*right, {300, 0, 400, 20}); // left of the centre, under a right branch
    root.assignSides(500);
    EXPECT_EQ(root.side, 2);
    EXPECT_EQ(left->side, 1);
    EXPECT_EQ(right->side, 0);
    EXPECT_EQ(under->side, 1);

    under->layoutDirty = false;
    right->layoutDirty = false;
    right->spreadSide();
    EXPECT_EQ(under->side, 0);
    EXPECT_TRUE(under->layoutDirty);
    EXPECT_FALSE(right->layoutDirty) << "only the descendants";
}

TEST(Tlink, LineColourAndDirtyFlagsCoverTheSubtree) {
    tlink root(nullptr);
    const auto levels = chain(root, 3);
    for (tlink* b : levels) {
        b->textDirty = b->layoutDirty = false;
    }
    levels[1]->setLineColorAll(colours::red);
    EXPECT_EQ(root.lineColor, colours::black);
    EXPECT_EQ(levels[3]->lineColor, colours::red);
    levels[2]->markAllDirty();
    EXPECT_FALSE(levels[1]->layoutDirty);
    EXPECT_TRUE(levels[3]->textDirty && levels[3]->layoutDirty);
}

TEST(Tlink, ACloneIsIndependentAndHasNoMapYet) {
    tmindmap map;
    tlink* main = hang(*map.root, {10, 20, 30, 40});
    main->lines = {QStringLiteral("een"), QStringLiteral("twee")};
    main->icons = {-1, 3, 7};
    main->note = std::make_unique<trtf>();
    main->note->write("{\\rtf1 x}", 9);
    main->noteRect = {1, 2, 3, 4};
    main->website = QStringLiteral("https://example.org");
    main->hidden = true;
    main->textWidth = 77;
    main->boxRect = {10, 20, 30, 40};
    tlink* leaf = hang(*main, {50, 20, 60, 40});
    leaf->lines = {QStringLiteral("blad")};

    auto copy = tlink::clone(*main);
    EXPECT_EQ(copy->map, nullptr);
    EXPECT_EQ(copy->parent, nullptr);
    EXPECT_EQ(copy->noteRect, Rect{});
    EXPECT_EQ(copy->lines, main->lines);
    EXPECT_EQ(copy->icons, main->icons);
    EXPECT_EQ(copy->website, main->website);
    EXPECT_TRUE(copy->hidden);
    EXPECT_EQ(copy->textWidth, 77);
    EXPECT_EQ(copy->boxRect, main->boxRect);
    EXPECT_EQ(copy->left, 10);
    ASSERT_EQ(copy->children.size(), 1u);
    EXPECT_EQ(copy->children[0]->parent, copy.get());
    EXPECT_EQ(copy->children[0]->lines, leaf->lines);
    ASSERT_NE(copy->note, nullptr);
    EXPECT_NE(copy->note.get(), main->note.get());
    EXPECT_EQ(copy->note->bytes(), main->note->bytes());

    copy->lines[0] = QStringLiteral("anders");
    copy->icons.push_back(9);
    copy->note->setPosition(0);
    copy->note->writeUInt8('X');
    copy->children[0]->lines.clear();
    EXPECT_EQ(main->lines[0], QStringLiteral("een"));
    EXPECT_EQ(main->icons.size(), 3u);
    EXPECT_EQ(main->note->bytes().at(0), '{');
    EXPECT_EQ(leaf->lines.size(), 1);

    copy->setMap(&map);
    EXPECT_EQ(copy->children[0]->map, &map);
}

TEST(Tlink, ADeepTreeIsDestroyedWithoutExhaustingTheStack) {
    auto root = std::make_unique<tlink>(nullptr);
    tlink* tip = root.get();
    for (int i = 0; i < 300000; ++i) {
        auto child = std::make_unique<tlink>(tip);
        tlink* next = child.get();
        tip->children.push_back(std::move(child));
        tip = next;
    }
    root.reset();
    SUCCEED();
}

} // namespace
