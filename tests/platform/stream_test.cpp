#include "platform/error.h"
#include "platform/stream.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) {
        b.append(static_cast<char>(v));
    }
    return b;
}

TEST(Stream, IntegersAreLittleEndian) {
    MemoryStream s;
    s.writeInt32(0x12345678);
    s.writeInt32(-2);
    s.writeInt16(-2);
    s.writeInt16(0x0102);
    s.writeUInt8(0xAB);
    EXPECT_EQ(s.bytes(), bytesOf({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x02,
                                  0x01, 0xAB}));
    s.setPosition(0);
    EXPECT_EQ(s.readInt32(), 0x12345678);
    EXPECT_EQ(s.readInt32(), -2);
    EXPECT_EQ(s.readInt16(), -2);
    EXPECT_EQ(s.readInt16(), 0x0102);
    EXPECT_EQ(s.readUInt8(), 0xAB);
}

TEST(Stream, ExtendedIsTheTenByteX87Format) {
    const struct {
        extended value;
        QByteArray bytes;
    } cases[] = {
        {1.0L, bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        {1.5L, bytesOf({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})},
        {-2.0L, bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0})},
        {0.0L, bytesOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const auto& c : cases) {
        MemoryStream s;
        s.writeExtended(c.value);
        EXPECT_EQ(s.bytes(), c.bytes) << static_cast<double>(c.value);
        s.setPosition(0);
        EXPECT_EQ(s.readExtended(), c.value);
    }
    // 1/3 keeps all 64 mantissa bits through the stream.
    MemoryStream s;
    const extended third = 1.0L / 3.0L;
    s.writeExtended(third);
    s.setPosition(0);
    EXPECT_EQ(s.readExtended(), third);
}

TEST(Stream, AShortReadThrowsAndDeliversNothing) {
    MemoryStream s(bytesOf({1, 2, 3}));
    s.setPosition(1);
    EXPECT_THROW(s.readInt32(), ReadError);
    EXPECT_EQ(s.position(), 1);
    char buffer[2];
    s.read(buffer, 2); // exactly what is left
    EXPECT_EQ(buffer[1], 3);
    EXPECT_THROW(s.readUInt8(), ReadError);
    EXPECT_THROW(s.read(buffer, -1), ReadError);
}

TEST(MemoryStream, WritingBeyondTheEndFillsWithZeros) {
    MemoryStream s;
    s.setPosition(3);
    s.writeUInt8(7);
    EXPECT_EQ(s.bytes(), bytesOf({0, 0, 0, 7}));
    s.setSize(2);
    EXPECT_EQ(s.size(), 2);
    EXPECT_EQ(s.position(), 2);
}

TEST(FileStream, WritesAndReadsBackAFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("kaart.brm"));
    {
        FileStream out(name, FileStream::Mode::Create);
        out.writeInt32(7);
        out.writeExtended(1.5L);
        out.close();
    }
    FileStream in(name, FileStream::Mode::Read);
    EXPECT_EQ(in.size(), 14);
    EXPECT_EQ(in.readInt32(), 7);
    EXPECT_EQ(in.readExtended(), 1.5L);
    EXPECT_THROW(in.readUInt8(), ReadError);
}

TEST(FileStream, AFileThatCannotBeOpenedNamesItself) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("weg.brm"));
    try {
        FileStream in(missing, FileStream::Mode::Read);
        FAIL() << "opened a missing file";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(missing)) << e.message().toStdString();
    }
    EXPECT_THROW(
        FileStream(dir.filePath(QStringLiteral("geen/map/x.brm")), FileStream::Mode::Create),
        FileError);
}

} // namespace
