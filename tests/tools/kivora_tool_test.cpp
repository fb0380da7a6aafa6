#include "../model/mapfixture.h"

#include "model/mapfile.h"
#include "model/trtf.h"
#include "tools/mapjson.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode;
    QByteArray out;
    QByteArray err;
};

ToolRun tool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KIVORA_TOOL), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

class KivoraTool : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QString saved(tmindmap& map, const char* name) {
        map.fileName = path(name);
        map.save();
        return map.fileName;
    }

    std::unique_ptr<tmindmap> sample() {
        auto map = emptyMap();
        tlink* main = hangMain(*map, 0, 1200, 900, QStringLiteral("Fruit"));
        main->icons = {-1, 12};
        main->fillColor = colours::buttonFace;
        main->note = std::make_unique<trtf>();
        main->note->write("{\\rtf1 appel}", 13);
        main->note->headerB = {0xAB, 0, 0, 0, 0, 0, 0, 0x01};
        main->website = QStringLiteral("https://example.org/fruit");
        hangChild(*main, QStringLiteral("Peer ë"))->hidden = true;
        auto box = std::make_unique<ttextbox>();
        box->lines = {QStringLiteral("Vak")};
        box->alignment = 0;
        map->textBoxes.push_back(std::move(box));
        map->zoom = 80;
        map->updateScale();
        map->relayoutAll();
        return map;
    }
};

TEST_F(KivoraTool, DumpPrintsTheMapWithItsFixedKeys) {
    auto map = sample();
    const ToolRun r = tool({QStringLiteral("dump"), saved(*map, "fruit.brm")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject top = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(top[QStringLiteral("version")].toInt(), 7);
    EXPECT_EQ(top[QStringLiteral("zoom")].toInt(), 80);
    EXPECT_EQ(top[QStringLiteral("width")].toInt(), 3000);
    EXPECT_EQ(top[QStringLiteral("levelGap")].toInt(), 40);
    const QJsonObject main = top[QStringLiteral("root")][QStringLiteral("children")][0].toObject();
    EXPECT_EQ(main[QStringLiteral("lines")].toArray(), QJsonArray{QStringLiteral("Fruit")});
    EXPECT_EQ(main[QStringLiteral("icons")].toArray(), (QJsonArray{-1, 12}));
    EXPECT_EQ(main[QStringLiteral("fillColor")].toDouble(), 4278190095.0) << "unsigned as stored";
    EXPECT_EQ(main[QStringLiteral("website")].toString(),
              QStringLiteral("https://example.org/fruit"));
    EXPECT_EQ(main[QStringLiteral("side")].toInt(), 0);
    EXPECT_EQ(main[QStringLiteral("font")][QStringLiteral("name")].toString(),
              QStringLiteral("Arial"));
    EXPECT_EQ(main[QStringLiteral("font")][QStringLiteral("color")].toDouble(), 4278190088.0);
    const QJsonObject note = main[QStringLiteral("note")].toObject();
    EXPECT_EQ(note[QStringLiteral("size")].toInt(), 13);
    EXPECT_EQ(note[QStringLiteral("header")].toString(),
              QString(32, QLatin1Char('0')) + QStringLiteral("ab000000000000") +
                  QStringLiteral("01") + QString(32, QLatin1Char('0')));
    const QJsonObject child = main[QStringLiteral("children")][0].toObject();
    EXPECT_TRUE(child[QStringLiteral("hidden")].toBool());
    EXPECT_EQ(child[QStringLiteral("lines")][0].toString(), QStringLiteral("Peer ë"));
    EXPECT_TRUE(child[QStringLiteral("note")].isNull());
    EXPECT_FALSE(child.contains(QStringLiteral("layout")));
    const QJsonObject box = top[QStringLiteral("textBoxes")][0].toObject();
    EXPECT_EQ(box[QStringLiteral("alignment")].toInt(), 0);
    EXPECT_EQ(box[QStringLiteral("lines")][0].toString(), QStringLiteral("Vak"));
    EXPECT_FALSE(box[QStringLiteral("transparent")].toBool());
}

TEST_F(KivoraTool, DumpWithLayoutGivesWhatTheEditorWouldLayOut) {
    auto map = sample();
    const QString file = saved(*map, "fruit.brm");
    const ToolRun r = tool({QStringLiteral("dump"), QStringLiteral("--layout"), file});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject root =
        QJsonDocument::fromJson(r.out).object()[QStringLiteral("root")].toObject();

    auto expected = tmindmap::load(file);
    layOutLoadedMap(*expected);
    EXPECT_EQ(root, mapToJson(*expected, true)[QStringLiteral("root")].toObject());
    const QJsonObject layout =
        root[QStringLiteral("children")][0][QStringLiteral("layout")].toObject();
    const tlink& main = *expected->root->children[0];
    EXPECT_EQ(layout[QStringLiteral("width")].toInt(), main.width);
    EXPECT_GT(main.width, 0);
    EXPECT_EQ(layout[QStringLiteral("handleX")].toInt(), main.left);
    EXPECT_EQ(layout[QStringLiteral("subtreeRect")].toArray(),
              (QJsonArray{main.subtreeRect.left, main.subtreeRect.top, main.subtreeRect.right,
                          main.subtreeRect.bottom}));
}

TEST_F(KivoraTool, ConvertWritesWhatSavingWrites) {
    auto map = sample();
    MemoryStream v7;
    map->saveToStream(v7);
    QFile old(path("oud.brm"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    QByteArray bytes = v7.bytes();
    old.write(bytes);
    old.close();
    const ToolRun r = tool({QStringLiteral("convert"), path("oud.brm"), path("nieuw.brm")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile out(path("nieuw.brm"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), bytes);
}

TEST_F(KivoraTool, SettingsReportsTheStartUp) {
    QFile ini(path("school.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[ALGEMEEN]\naantal=1\n[Norvel_0]\nselbol_printen=0\nset_plekbestanden=" +
              dir.path().toUtf8() + "/kaarten/\n");
    ini.close();
    const ToolRun r = tool({QStringLiteral("settings"), path("school.ini")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o[QStringLiteral("settingsFile")].toString(), path("school.ini"));
    EXPECT_EQ(o[QStringLiteral("parameters")].toArray(), QJsonArray{path("school.ini")});
    EXPECT_EQ(o[QStringLiteral("profiles")].toInt(), 1);
    EXPECT_FALSE(o[QStringLiteral("printAllowed")].toBool());
    EXPECT_EQ(o[QStringLiteral("plekbestanden")].toString(),
              dir.path() + QStringLiteral("/kaarten/"));
    EXPECT_EQ(tool({QStringLiteral("settings"), QStringLiteral("--wat")}).exitCode, 2);
}

TEST_F(KivoraTool, RenderWritesThePictureOfTheWholeMap) {
    auto map = sample();
    const QString file = saved(*map, "fruit.brm");
    for (const char* name : {"fruit.png", "fruit.bmp", "fruit.jpg"}) {
        const ToolRun r = tool({QStringLiteral("render"), file, path(name)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QImage picture(path(name));
        ASSERT_FALSE(picture.isNull()) << name;
        EXPECT_EQ(picture.size(), QImage(path("fruit.png")).size()) << name;
        EXPECT_GT(picture.width(), 300);
    }
    EXPECT_EQ(tool({QStringLiteral("render"), file, path("fruit.gif")}).exitCode, 2);
    EXPECT_EQ(tool({QStringLiteral("render"), path("weg.brm"), path("x.png")}).exitCode, 1);
}

TEST_F(KivoraTool, FailuresAndWrongUsageHaveTheirExitCodes) {
    QFile damaged(path("kapot.brm"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("\x07\x00\x00\x00 te kort", 12);
    damaged.close();
    const struct {
        QStringList args;
        int code;
        const char* stderrHas;
    } cases[] = {
        {{QStringLiteral("dump"), path("kapot.brm")}, 1, "kapot.brm"},
        {{QStringLiteral("dump"), path("weg.brm")}, 1, "weg.brm"},
        {{QStringLiteral("convert"), path("kapot.brm"), path("x.brm")}, 1, "beschadigd"},
        {{}, 2, "Gebruik"},
        {{QStringLiteral("dump")}, 2, "Gebruik"},
        {{QStringLiteral("dump"), QStringLiteral("--wat"), path("kapot.brm")}, 2, "Gebruik"},
        {{QStringLiteral("convert"), path("kapot.brm")}, 2, "Gebruik"},
        {{QStringLiteral("teken")}, 2, "Gebruik"},
    };
    for (const auto& c : cases) {
        const ToolRun r = tool(c.args);
        EXPECT_EQ(r.exitCode, c.code) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains(c.stderrHas)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(path("x.brm")));
}

} // namespace
