#include "model/modelstate.h"
#include "model/tmindmap.h"
#include "model/trtf.h"

#include <gtest/gtest.h>

namespace {

ttextbox* addBox(tmindmap& map, Rect drawn) {
    auto box = std::make_unique<ttextbox>();
    box->map = &map;
    box->left = drawn.left;
    box->top = drawn.top;
    box->right = drawn.right;
    box->bottom = drawn.bottom;
    ttextbox* raw = box.get();
    map.textBoxes.push_back(std::move(box));
    return raw;
}

TEST(Tmindmap, ANewMapHasASelectedRootAndTheBranchLengthOfWWWW) {
    Canvas& canvas = modelState().drawingBitmap->canvas();
    Font big;
    big.setSize(20);
    canvas.setFont(big); // the length follows the surface's current font
    const std::int32_t expected = canvas.textWidth(QStringLiteral("WWWW"));
    tmindmap map;
    EXPECT_EQ(map.levelGap, expected);
    EXPECT_GT(map.levelGap, 4 * 10);
    EXPECT_EQ(map.root->lines, QStringList{QStringLiteral("Mindmap")});
    EXPECT_EQ(map.root->side, 2);
    EXPECT_EQ(map.root->map, &map);
    EXPECT_EQ(map.selected, map.root.get());
    EXPECT_TRUE(map.textBoxes.empty());
    EXPECT_FALSE(map.printing);
    EXPECT_FALSE(map.modified);
    canvas.setFont(Font{});
}

TEST(Tmindmap, ANewTextBoxHasItsDefaults) {
    ttextbox box;
    EXPECT_EQ(box.font.size(), 14);
    EXPECT_TRUE(box.lines.isEmpty());
    EXPECT_EQ(box.fillColor, colours::white);
    EXPECT_EQ(box.frameColor, colours::black);
    EXPECT_EQ(box.frameWidth, 1);
    EXPECT_EQ(box.alignment, 1);
    EXPECT_FALSE(box.transparent);
    EXPECT_TRUE(box.placeholder);
}

TEST(Tmindmap, TextBoxAtExcludesTheEdgesAndTakesTheFirst) {
    tmindmap map;
    ttextbox* first = addBox(map, {100, 100, 200, 150});
    ttextbox* second = addBox(map, {150, 120, 250, 170});
    const struct {
        std::int32_t x, y;
        ttextbox* expected;
    } cases[] = {
        {101, 101, first},   {160, 130, first},   {210, 130, second},  {100, 120, nullptr},
        {200, 110, nullptr}, {120, 100, nullptr}, {120, 150, nullptr}, {250, 160, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(map.textBoxAt(c.x, c.y), c.expected) << c.x << "," << c.y;
    }
}

TEST(Tmindmap, AnUndoSnapshotIsAnIndependentCopy) {
    tmindmap map;
    map.fileName = QStringLiteral("Mindmap1");
    map.width = 3000;
    map.height = 2000;
    map.zoom = 150;
    map.scaleX = map.scaleY = 1.5L;
    map.levelGap = 44;
    map.viewLeft = 12;
    map.viewTop = 34;
    map.upperLeft = {1, 2};
    map.extent = {5, 6, 7, 8};
    map.centreX = 1500;
    map.modified = true;
    tlink* main = map.root->addChild();
    main->addChild();
    main->note = std::make_unique<trtf>();
    ttextbox* box = addBox(map, {10, 10, 80, 40});
    box->lines = {QStringLiteral("los")};
    box->font.setSize(16);
    box->alignment = 2;
    map.selected = main;
    map.selectedTextBox = box;
    map.dropTarget = main;
    map.dropParent = map.root.get();
    map.dropNeighbourA = main;
    map.noteBranch = main;
    map.printing = true;

    auto snap = tmindmap::clone(map);
    EXPECT_EQ(snap->fileName, map.fileName);
    EXPECT_EQ(snap->width, 3000);
    EXPECT_EQ(snap->zoom, 150);
    EXPECT_EQ(snap->scaleX, 1.5L);
    EXPECT_EQ(snap->levelGap, 44);
    EXPECT_EQ(snap->viewLeft, 12);
    EXPECT_EQ(snap->viewTop, 34);
    EXPECT_EQ(snap->upperLeft, (Point{1, 2}));
    EXPECT_EQ(snap->extent, (Rect{5, 6, 7, 8}));
    EXPECT_EQ(snap->centreX, 1500);
    EXPECT_TRUE(snap->modified);
    EXPECT_EQ(snap->selected, snap->root.get());
    EXPECT_EQ(snap->selectedTextBox, nullptr);
    EXPECT_EQ(snap->dropTarget, nullptr);
    EXPECT_EQ(snap->dropParent, nullptr);
    EXPECT_EQ(snap->dropNeighbourA, nullptr);
    EXPECT_EQ(snap->noteBranch, nullptr);
    EXPECT_FALSE(snap->printing);

    // The tree is linked to the snapshot.
    ASSERT_EQ(snap->root->children.size(), 1u);
    tlink* snapMain = snap->root->children[0].get();
    EXPECT_EQ(snapMain->parent, snap->root.get());
    EXPECT_EQ(snapMain->map, snap.get());
    EXPECT_EQ(snapMain->children[0]->map, snap.get());
    EXPECT_EQ(snapMain->children[0]->parent, snapMain);
    EXPECT_NE(snapMain->note, nullptr);

    ASSERT_EQ(snap->textBoxes.size(), 1u);
    ttextbox* snapBox = snap->textBoxes[0].get();
    EXPECT_NE(snapBox, box);
    EXPECT_EQ(snapBox->map, snap.get());
    EXPECT_EQ(snapBox->lines, box->lines);
    EXPECT_EQ(snapBox->font, box->font);
    EXPECT_EQ(snapBox->alignment, 2);
    EXPECT_EQ(snapBox->right, 80);

    // Editing the live map leaves the snapshot as it was.
    box->lines[0] = QStringLiteral("veranderd");
    box->font.setSize(30);
    map.textBoxes.push_back(std::make_unique<ttextbox>());
    main->lines[0] = QStringLiteral("nieuw");
    map.root->children.clear();
    EXPECT_EQ(snapBox->lines[0], QStringLiteral("los"));
    EXPECT_EQ(snapBox->font.size(), 16);
    EXPECT_EQ(snap->textBoxes.size(), 1u);
    EXPECT_EQ(snapMain->lines[0], QStringLiteral("Onderwerp"));
}

} // namespace
