#include "bigmap.h"

#include "model/trtf.h"

namespace {

tlink* hang(tlink& parent, const QString& text) {
    auto child = std::make_unique<tlink>(&parent);
    child->map = parent.map;
    child->lines.append(text);
    child->side = parent.side == 2 ? 0 : parent.side;
    tlink* raw = child.get();
    parent.children.push_back(std::move(child));
    return raw;
}

} // namespace

std::unique_ptr<tmindmap> buildBigMap(int branches) {
    auto map = std::make_unique<tmindmap>();
    tlink& root = *map->root;
    // Main branches alternate between the sides, 400 units apart, around a
    // root in the middle of a canvas large enough for all of them.
    const std::int32_t centre = 20000 + branches / 2;
    map->width = 2 * centre;
    map->height = 2 * centre;
    root.left = root.right = centre;
    root.bottom = centre;
    map->centreX = centre;
    map->centreY = centre;
    int made = 1;
    int mainIndex = 0;
    const QByteArray rtf("{\\rtf1\\ansi Een notitie bij deze tak.}");
    while (made < branches) {
        tlink* main = hang(root, QStringLiteral("Onderwerp %1").arg(mainIndex));
        main->side = mainIndex % 2;
        if (main->side == 0) {
            main->left = centre + 150;
        } else {
            main->right = centre - 150;
        }
        main->bottom = 1000 + (mainIndex / 2) * 400;
        ++mainIndex;
        ++made;
        // 7 x 7 x 6 below each main branch: about 350 branches.
        for (int i = 0; i < 7 && made < branches; ++i) {
            tlink* a = hang(*main, QStringLiteral("Trefwoord %1").arg(i));
            ++made;
            for (int j = 0; j < 7 && made < branches; ++j) {
                tlink* b = hang(*a, QStringLiteral("Idee %1.%2").arg(i).arg(j));
                ++made;
                for (int k = 0; k < 6 && made < branches; ++k) {
                    tlink* c = hang(*b, QStringLiteral("Detail %1").arg(k));
                    if (made % 10 == 0) {
                        c->note = std::make_unique<trtf>();
                        c->note->write(rtf.constData(), rtf.size());
                    }
                    ++made;
                }
            }
        }
    }
    return map;
}
