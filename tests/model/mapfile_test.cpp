#include "mapfixture.h"

#include "model/mapfile.h"
#include "model/trtf.h"

#include "platform/codepage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Builds file bytes by hand, field by field, independent of the writer.
struct Bytes {
    QByteArray data;
    Bytes& i32(std::int32_t v) {
        for (int i = 0; i < 4; ++i) {
            data.append(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    Bytes& i16(std::int16_t v) {
        data.append(static_cast<char>(v & 0xFF));
        data.append(static_cast<char>((v >> 8) & 0xFF));
        return *this;
    }
    Bytes& u8(int v) {
        data.append(static_cast<char>(v));
        return *this;
    }
    Bytes& str(const QByteArray& s) {
        i32(static_cast<std::int32_t>(s.size()));
        data.append(s);
        return *this;
    }
    Bytes& font(const QByteArray& name, int style, int height, int pitch, std::uint32_t colour) {
        return str(name).i32(style).i32(height).i32(pitch).i32(static_cast<std::int32_t>(colour));
    }
    Bytes& ext(extended v) {
        char raw[sizeof(extended)] = {};
        std::memcpy(raw, &v, sizeof v);
        data.append(raw, 10);
        return *this;
    }
    // The fixed part of a branch record before the children.
    Bytes& branchHead(int bottom, int left, int right, const QList<QByteArray>& lines) {
        i32(bottom).i32(left).i32(right).font("Arial", 0, -13, 0, 0xFF000008).u8(0);
        i32(static_cast<std::int32_t>(lines.size()));
        for (const auto& l : lines) {
            str(l);
        }
        return *this;
    }
    Bytes& branchTail(int side, int version) {
        i32(0).i32(0xFFFFFF).i32(0).i32(1).u8(side).i32(0);
        if (version >= 5) {
            str("").str("");
        }
        if (version >= 6) {
            i32(10).i32(0).i32(200).i32(160).i32(2).u8(0);
        }
        if (version >= 7) {
            str("").str("").str("").str("");
        }
        return *this;
    }
    Bytes& trailer(int width, int height, int zoom, extended scale, int boxes = 0) {
        i32(width).i32(height);
        for (int i = 0; i < 4; ++i) {
            ext(scale);
        }
        ext(0).ext(0);
        ext(-0.0L).ext(-0.0L); // the inverse offsets are -0 / scale
        return i32(zoom).i32(40).i32(11).i32(22).i32(boxes);
    }
};

std::unique_ptr<tmindmap> readBytes(const QByteArray& bytes) {
    std::unique_ptr<tmindmap> map = emptyMap();
    MemoryStream s(bytes);
    map->loadFromStream(s);
    return map;
}

QByteArray written(tmindmap& map) {
    MemoryStream s;
    map.saveToStream(s);
    return s.bytes();
}

// A map that uses every field the file holds.
std::unique_ptr<tmindmap> richMap() {
    auto map = emptyMap();
    map->root->lines = {QStringLiteral("Kern"), QStringLiteral("ééé €")};
    map->root->font.name = QStringLiteral("Comic Sans MS");
    map->root->font.style = Font::Bold | Font::Underline;
    map->root->font.pitch = Font::VariablePitch;
    map->root->icons = {-1};
    map->root->note = std::make_unique<trtf>();
    map->root->note->write("{\\rtf1 wortel}", 14);
    tlink* main = hangMain(*map, 0, 1300, 800, QStringLiteral("Dieren"));
    main->fillColor = 0x00FFEEDD;
    main->lineColor = colours::red;
    main->borderColor = colours::buttonFace;
    main->borderWidth = 3;
    main->icons = {-3, -2, 5, 47};
    main->website = QStringLiteral("https://example.org/dieren");
    main->mapLink = QStringLiteral("/home/juf/kaarten/dieren.brm");
    main->excelLink = QStringLiteral("tabel.xls");
    main->wordLink = QStringLiteral("verslag.doc");
    main->powerPointLink = QStringLiteral("dia.ppt");
    main->programLink = QStringLiteral("rekenen.exe");
    main->noteOffsetX = -5;
    main->noteOffsetY = 7;
    main->noteWidth = 300;
    main->noteHeight = 250;
    main->noteMode = 1;
    main->note = std::make_unique<trtf>();
    main->note->write("{\\rtf1 hond}", 11);
    main->note->headerA = {1, 2, 3, 4};
    main->note->headerB = {5, 6, 7, 8, 9, 10, 11, 12};
    main->note->headerC = {-1, -2, -3, -4};
    tlink* hidden = hangChild(*main, QStringLiteral("Verstopt"));
    hidden->hidden = true;
    hangChild(*hidden, QStringLiteral("Onder verstopt"));
    tlink* left = hangMain(*map, 1, 700, 1200, QStringLiteral("Planten"));
    left->lines.append(QString());
    left->font.setSize(16);
    left->font.colour = 0x00123456;
    auto box = std::make_unique<ttextbox>();
    box->lines = {QStringLiteral("Los"), QString(), QStringLiteral("tekstvak")};
    box->left = 50;
    box->top = 60;
    box->transparent = true;
    box->fillColor = 0x00ABCDEF;
    box->alignment = 2;
    box->frameWidth = 4;
    box->frameColor = colours::blue;
    box->font.style = Font::Italic;
    map->textBoxes.push_back(std::move(box));
    map->textBoxes.push_back(std::make_unique<ttextbox>());
    map->zoom = 125;
    map->levelGap = 55;
    map->viewLeft = 123;
    map->viewTop = 456;
    map->updateScale();
    map->relayoutAll(); // real positions, so that the sides hold after loading
    return map;
}

void expectSameBranch(const tlink& a, const tlink& b, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(a.bottom, b.bottom);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.font, b.font);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.borderColor, b.borderColor);
    EXPECT_EQ(a.fillColor, b.fillColor);
    EXPECT_EQ(a.lineColor, b.lineColor);
    EXPECT_EQ(a.borderWidth, b.borderWidth);
    EXPECT_EQ(a.side, b.side);
    EXPECT_EQ(a.icons, b.icons);
    EXPECT_EQ(a.hidden, b.hidden);
    EXPECT_EQ(a.website, b.website);
    EXPECT_EQ(a.mapLink, b.mapLink);
    EXPECT_EQ(a.excelLink, b.excelLink);
    EXPECT_EQ(a.wordLink, b.wordLink);
    EXPECT_EQ(a.powerPointLink, b.powerPointLink);
    EXPECT_EQ(a.programLink, b.programLink);
    EXPECT_EQ(a.noteOffsetX, b.noteOffsetX);
    EXPECT_EQ(a.noteOffsetY, b.noteOffsetY);
    EXPECT_EQ(a.noteWidth, b.noteWidth);
    EXPECT_EQ(a.noteHeight, b.noteHeight);
    EXPECT_EQ(a.noteMode, b.noteMode);
    ASSERT_EQ(a.note == nullptr, b.note == nullptr);
    if (a.note) {
        EXPECT_EQ(a.note->bytes(), b.note->bytes());
        EXPECT_EQ(a.note->headerA, b.note->headerA);
        EXPECT_EQ(a.note->headerB, b.note->headerB);
        EXPECT_EQ(a.note->headerC, b.note->headerC);
    }
    ASSERT_EQ(a.children.size(), b.children.size());
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        expectSameBranch(*a.children[i], *b.children[i], where + "/" + std::to_string(i));
    }
}

TEST(MapFile, TheSmallestMapIsWrittenFieldByField) {
    auto map = emptyMap();
    map->root->left = 980;
    map->root->right = 1020;
    map->root->bottom = 1000;
    map->zoom = 100;
    map->updateScale();
    map->modified = true;
    const QByteArray expected = Bytes()
                                    .i32(7)
                                    .branchHead(1000, 980, 1020, {"Kern"})
                                    .i32(0) // no children
                                    .branchTail(2, 7)
                                    .trailer(3000, 2000, 100, 1.0L)
                                    .data;
    // levelGap, viewLeft and viewTop are this map's own: 40, 0, 0.
    QByteArray want = expected;
    want.replace(want.size() - 16, 16, Bytes().i32(40).i32(0).i32(0).i32(0).data);
    const QByteArray got = written(*map);
    EXPECT_EQ(got, want);
    EXPECT_FALSE(map->modified) << "saving clears modified";
}

TEST(MapFile, EveryFieldSurvivesARoundTrip) {
    auto map = richMap();
    const QByteArray bytes = written(*map);
    auto back = readBytes(bytes);
    expectSameBranch(*map->root, *back->root, "root");
    EXPECT_EQ(back->width, map->width);
    EXPECT_EQ(back->height, map->height);
    EXPECT_EQ(back->zoom, 125);
    EXPECT_EQ(back->levelGap, 55);
    EXPECT_EQ(back->viewLeft, 123);
    EXPECT_EQ(back->viewTop, 456);
    ASSERT_EQ(back->textBoxes.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const ttextbox& a = *map->textBoxes[i];
        const ttextbox& b = *back->textBoxes[i];
        EXPECT_EQ(a.lines, b.lines);
        EXPECT_EQ(a.font, b.font);
        EXPECT_EQ(a.left, b.left);
        EXPECT_EQ(a.top, b.top);
        EXPECT_EQ(a.transparent, b.transparent);
        EXPECT_EQ(a.fillColor, b.fillColor);
        EXPECT_EQ(a.alignment, b.alignment);
        EXPECT_EQ(a.frameWidth, b.frameWidth);
        EXPECT_EQ(a.frameColor, b.frameColor);
        EXPECT_EQ(b.map, back.get());
        EXPECT_FALSE(b.placeholder);
    }
    EXPECT_EQ(modelState().fileVersion, 7);
    EXPECT_EQ(written(*back), bytes) << "what we write reads back identically";

    // The tree is linked and nothing is selected, modified or laid out yet.
    const tlink& main = *back->root->children[0];
    EXPECT_EQ(main.parent, back->root.get());
    EXPECT_EQ(main.children[0]->children[0]->map, back.get());
    EXPECT_TRUE(main.layoutDirty && main.textDirty);
    EXPECT_FALSE(main.placeholder);
    EXPECT_EQ(back->selected, nullptr);
    EXPECT_FALSE(back->modified);
    EXPECT_EQ(main.width, main.right - main.left);
}

TEST(MapFile, ANoteTakesItsHeaderAndContentInTheRecord) {
    auto map = emptyMap();
    const QByteArray plain = written(*map);
    map->root->note = std::make_unique<trtf>();
    map->root->note->write("{\\rtf1 abc}", 10);
    map->root->note->setPosition(4); // written from its start all the same
    const QByteArray withNote = written(*map);
    EXPECT_EQ(withNote.size(), plain.size() + 4 + 40 + 10);
}

TEST(MapFile, OlderVersionsLoadWithTheirDefaults) {
    for (int version : {4, 5, 6}) {
        SCOPED_TRACE(version);
        Bytes b;
        b.i32(version).branchHead(1000, 990, 1010, {"Kern"}).i32(1);
        b.branchHead(900, 1100, 1150, {"Tak"}).i32(0).branchTail(0, version);
        b.branchTail(2, version);
        b.trailer(3000, 2000, 100, 1.0L);
        auto map = readBytes(b.data);
        const tlink& main = *map->root->children[0];
        EXPECT_EQ(main.lines, QStringList{QStringLiteral("Tak")});
        EXPECT_TRUE(main.website.isEmpty());
        EXPECT_TRUE(main.mapLink.isEmpty());
        EXPECT_EQ(main.noteOffsetX, 10);
        EXPECT_EQ(main.noteOffsetY, 0);
        EXPECT_EQ(main.noteWidth, 200);
        EXPECT_EQ(main.noteHeight, 160);
        EXPECT_EQ(main.noteMode, 2);
        EXPECT_FALSE(main.hidden);
        EXPECT_TRUE(main.programLink.isEmpty());
        EXPECT_EQ(modelState().fileVersion, version);

        // Written again it is a version 7 file with every field.
        const QByteArray again = written(*map);
        MemoryStream s(again);
        EXPECT_EQ(s.readInt32(), 7);
        const int extra = (version < 5 ? 8 : 0) + (version < 6 ? 21 : 0) + 16;
        EXPECT_EQ(again.size(), b.data.size() + 2 * extra);
    }
}

TEST(MapFile, VersionsAbove7ReadLike7) {
    Bytes b;
    b.i32(9)
        .branchHead(1000, 990, 1010, {"Kern"})
        .i32(0)
        .branchTail(2, 7)
        .trailer(3000, 2000, 100, 1.0L);
    auto map = readBytes(b.data);
    EXPECT_EQ(modelState().fileVersion, 9);
    EXPECT_EQ(map->root->lines, QStringList{QStringLiteral("Kern")});
}

TEST(MapFile, SidesFollowThePositionAndTheStoredScalesAreIgnored) {
    Bytes b;
    b.i32(7).branchHead(1000, 990, 1010, {"Kern"}).i32(2);
    b.branchHead(900, 700, 780, {"Links"}).i32(0).branchTail(0, 7);    // stored as right
    b.branchHead(900, 1100, 1180, {"Rechts"}).i32(0).branchTail(1, 7); // stored as left
    b.branchTail(2, 7).trailer(3001, 2001, 150, 1.0L);
    b.data.append("trailing bytes are ignored");
    auto map = readBytes(b.data);
    EXPECT_EQ(map->root->children[0]->side, 1);
    EXPECT_EQ(map->root->children[1]->side, 0);
    EXPECT_EQ(map->root->side, 2);
    EXPECT_EQ(map->centreX, 1000);
    EXPECT_EQ(map->scaleX, 1.5L);
    EXPECT_EQ(map->invScaleY, 1.0L / 1.5L);
    EXPECT_EQ(map->paintWidth, 4502) << "4501.5 rounds to even";
    EXPECT_EQ(map->paintHeight, 3002) << "3001.5 rounds to even";
}

TEST(MapFile, TextBoxLinesAreShortStrings) {
    auto map = emptyMap();
    const QString exact(254, QLatin1Char('x'));
    auto box = std::make_unique<ttextbox>();
    box->lines = {exact};
    map->textBoxes.push_back(std::move(box));
    const QByteArray bytes = written(*map);
    // count, then int16 255 and 255 bytes: the length byte and the characters
    const QByteArray entry = Bytes().i32(1).i16(255).u8(254).data + QByteArray(254, 'x');
    EXPECT_TRUE(bytes.contains(entry));
    EXPECT_EQ(readBytes(bytes)->textBoxes[0]->lines, QStringList{exact});
}

TEST(MapFile, LongTextBoxLinesAreSplitWithoutLosingACharacter) {
    QString words;
    while (words.size() < 600) {
        words += QStringLiteral("woord%1 ").arg(words.size());
    }
    const QString solid(600, QLatin1Char('y'));
    auto map = emptyMap();
    auto box = std::make_unique<ttextbox>();
    box->lines = {words, solid};
    map->textBoxes.push_back(std::move(box));
    const QStringList back = readBytes(written(*map))->textBoxes[0]->lines;
    ASSERT_GT(back.size(), 2);
    QString joined;
    for (const QString& piece : back) {
        EXPECT_LE(piece.size(), 254) << "readable by the older programs";
        joined += piece;
    }
    EXPECT_EQ(joined, words + solid);
    EXPECT_TRUE(back[0].endsWith(QLatin1Char(' '))) << "words are split after a space";
    EXPECT_EQ(back.back().size(), 600 - 2 * 254);
}

TEST(MapFile, AnOverlongShortStringIsReadAsItStands) {
    QByteArray raw(300, 'z');
    raw[0] = 5; // the length byte is part of the line
    Bytes b;
    b.i32(7)
        .branchHead(1000, 990, 1010, {"Kern"})
        .i32(0)
        .branchTail(2, 7)
        .trailer(3000, 2000, 100, 1.0L, 1);
    b.i32(1).i16(300);
    b.data.append(raw);
    b.font("Arial", 0, -19, 0, 0).i32(1).i32(2).u8(0).i32(0xFFFFFF).i32(1).i32(1).i32(0);
    auto map = readBytes(b.data);
    EXPECT_EQ(map->textBoxes[0]->lines, QStringList{fromCp1252(raw)});
}

std::vector<QByteArray> damagedFiles() {
    auto big = [](auto fill) {
        Bytes b;
        b.i32(7);
        fill(b);
        return b.data;
    };
    return {
        // absurd counts that the rest of the file cannot hold
        big([](Bytes& b) {
            b.branchHead(0, 0, 0, {}).i32(std::numeric_limits<std::int32_t>::max());
        }),
        big([](Bytes& b) { b.i32(0).i32(0).i32(0).i32(std::numeric_limits<std::int32_t>::max()); }),
        big([](Bytes& b) { b.i32(0).i32(0).i32(0).font("", 0, 0, 0, 0).u8(0).i32(1 << 30); }),
        big([](Bytes& b) {
            b.branchHead(0, 0, 0, {}).i32(0).i32(0).i32(0).i32(0).i32(0).u8(0).i32(1 << 29);
        }),
        big([](Bytes& b) { // a note that claims two gigabytes
            b.i32(0).i32(0).i32(0).font("", 0, 0, 0, 0).u8(1).i32(0x7FFFFFF0).data.append(40, '\0');
        }),
        big([](Bytes& b) { // text box count
            b.branchHead(0, 0, 0, {}).i32(0).branchTail(2, 7).trailer(1, 1, 100, 1.0L, 0x7FFFFFFF);
        }),
        big([](Bytes& b) { // zoom 0
            b.branchHead(0, 0, 0, {}).i32(0).branchTail(2, 7).trailer(1, 1, 0, 1.0L);
        }),
        big([](Bytes& b) { // a paint size beyond int32
            b.branchHead(0, 0, 0, {}).i32(0).branchTail(2, 7).trailer(2000000000, 1, 1000, 1.0L);
        }),
        big([](Bytes& b) { // nested far deeper than any map
            for (int i = 0; i < 5000; ++i) {
                b.branchHead(0, 0, 0, {}).i32(1);
            }
        }),
        QByteArray(),
        QByteArray("PK\x03\x04 not a map at all"),
    };
}

TEST(MapFile, DamagedFilesGiveTheErrorAndNoMap) {
    modelState().fileVersion = 6;
    int n = 0;
    for (const QByteArray& bytes : damagedFiles()) {
        EXPECT_THROW(readBytes(bytes), DamagedMapError) << "case " << n++;
    }
    EXPECT_EQ(modelState().fileVersion, 6) << "a failed load leaves nothing behind";
}

TEST(MapFile, AFileCutAtAnyLengthIsDamaged) {
    const QByteArray whole = written(*richMap());
    ASSERT_NO_THROW(readBytes(whole));
    for (qsizetype length = 0; length < whole.size(); ++length) {
        EXPECT_THROW(readBytes(whole.left(length)), DamagedMapError) << "cut at " << length;
    }
}

TEST(MapFile, LoadNamesTheFileThatCannotBeRead) {
    QTemporaryDir dir;
    const QString damagedName = dir.filePath(QStringLiteral("kapot.brm"));
    QFile f(damagedName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(written(*richMap()).left(100));
    f.close();
    try {
        tmindmap::load(damagedName);
        FAIL() << "a damaged file loaded";
    } catch (const DamagedMapError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Het bestand \"kapot.brm\" is beschadigd of is geen mindmap"));
    }
    EXPECT_THROW(tmindmap::load(dir.filePath(QStringLiteral("weg.brm"))), FileError);
}

TEST(MapFile, SaveAndLoadAFile) {
    QTemporaryDir dir;
    auto map = richMap();
    map->fileName = dir.filePath(QStringLiteral("kaart.brm"));
    map->modified = true;
    map->save();
    EXPECT_FALSE(map->modified);
    auto back = tmindmap::load(map->fileName);
    EXPECT_EQ(back->fileName, map->fileName);
    expectSameBranch(*map->root, *back->root, "root");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files) == QStringList{QStringLiteral("kaart.brm")})
        << "no temporary file is left behind";
}

// A note that claims to be too large to store, so that writing the map fails.
class HugeNote : public trtf {
public:
    std::int64_t size() const override { return std::int64_t(1) << 32; }
};

TEST(MapFile, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    QTemporaryDir dir;
    auto map = richMap();
    map->fileName = dir.filePath(QStringLiteral("kaart.brm"));
    map->save();
    QFile f(map->fileName);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray old = f.readAll();
    f.close();

    map->root->children[0]->note = std::make_unique<HugeNote>();
    map->modified = true;
    EXPECT_THROW(map->save(), RangeError);
    EXPECT_TRUE(map->modified);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    f.close();

    map->root->children[0]->note.reset();
    map->fileName = dir.filePath(QStringLiteral("geen/map/kaart.brm"));
    EXPECT_THROW(map->save(), FileError);
    EXPECT_TRUE(map->modified);
}

} // namespace
