#include "model/mapfile.h"
#include "model/modelstate.h"
#include "model/tmindmap.h"
#include "model/trtf.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QDir dataDir(const char* sub) {
    return QDir(QStringLiteral(KIVORA_TEST_DATA "/") + QString::fromUtf8(sub));
}

// Inputs the fuzzer found that are no maps; each must give the damage error.
TEST(MapFileCorpus, DamagedFilesGiveTheErrorNamingThem) {
    const QDir dir = dataDir("damaged");
    const QStringList files = dir.entryList({QStringLiteral("*.brm")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        try {
            tmindmap::load(dir.filePath(name));
            ADD_FAILURE() << name.toStdString() << " loaded";
        } catch (const DamagedMapError& e) {
            EXPECT_TRUE(e.message().contains(name)) << e.message().toStdString();
        }
    }
}

// The sample map written once per file version.
TEST(MapFileCorpus, EveryVersionOfTheSampleLoads) {
    for (int version : {4, 5, 6, 7}) {
        SCOPED_TRACE(version);
        const auto map =
            tmindmap::load(dataDir("maps").filePath(QStringLiteral("sample-v%1.brm").arg(version)));
        EXPECT_EQ(modelState().fileVersion, version);
        EXPECT_EQ(map->root->lines, (QStringList{QStringLiteral("Mindmap"), QStringLiteral("1")}));
        ASSERT_EQ(map->root->children.size(), 2u);
        const tlink& fruit = *map->root->children[0];
        const tlink& trees = *map->root->children[1];
        EXPECT_EQ(fruit.side, 0);
        EXPECT_EQ(trees.side, 1);
        EXPECT_EQ(fruit.icons, (std::vector<std::int32_t>{-1, -2, 3}));
        ASSERT_NE(fruit.note, nullptr);
        EXPECT_EQ(fruit.note->bytes(), QByteArray("{\\rtf1\\ansi Lekker!}"));
        EXPECT_EQ(fruit.note->headerA, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
        EXPECT_EQ(trees.font.name, QStringLiteral("Comic Sans MS"));
        EXPECT_EQ(trees.font.size(), 12);
        EXPECT_EQ(fruit.website, version >= 5 ? QStringLiteral("https://example.org") : QString());
        EXPECT_EQ(fruit.noteWidth, version >= 6 ? 300 : 200);
        EXPECT_EQ(fruit.children[1]->hidden, version >= 6);
        EXPECT_EQ(fruit.programLink, version >= 7 ? QStringLiteral("rekenen.exe") : QString());
        ASSERT_EQ(map->textBoxes.size(), 2u);
        EXPECT_EQ(map->textBoxes[0]->lines,
                  (QStringList{QStringLiteral("Los tekstvak"), QStringLiteral("café")}));
        EXPECT_TRUE(map->textBoxes[1]->transparent);
        EXPECT_EQ(map->levelGap, 44);
        EXPECT_EQ(map->viewLeft, 500);
        EXPECT_EQ(map->viewTop, 300);
    }
}

} // namespace
