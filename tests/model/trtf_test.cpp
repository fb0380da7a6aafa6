#include "model/trtf.h"

#include "platform/error.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<trtf> noteWith(const QByteArray& content) {
    auto note = std::make_unique<trtf>();
    note->write(content.constData(), content.size());
    note->headerA = {1, -2, 3, 0x7FFFFFFF};
    note->headerB = {9, 8, 7, 6, 5, 4, 3, 2};
    note->headerC = {-1, 0, 0x01020304, 42};
    return note;
}

TEST(Trtf, AnEmptyNoteIsStoredAs44ZeroBytes) {
    trtf empty;
    MemoryStream out;
    writenote(empty, out);
    EXPECT_EQ(out.bytes(), QByteArray(44, '\0'));

    out.writeInt32(77); // what follows the block
    out.setPosition(0);
    auto back = trtf::readStored(out);
    EXPECT_EQ(out.position(), 44);
    EXPECT_EQ(back->size(), 0);
    EXPECT_EQ(back->headerA, empty.headerA);
    EXPECT_EQ(out.readInt32(), 77);
}

TEST(Trtf, StoredFormIsLengthHeaderThenContent) {
    const QByteArray rtf("{\\rtf1 Hallo}");
    auto note = noteWith(rtf);
    note->setPosition(5); // writing does not depend on the note's position
    MemoryStream out;
    out.writeUInt8(0xEE); // written at the destination's position
    writenote(*note, out);
    ASSERT_EQ(out.size(), 1 + 44 + rtf.size());
    out.setPosition(1);
    EXPECT_EQ(out.readInt32(), rtf.size());
    EXPECT_EQ(out.readInt32(), 1);
    EXPECT_EQ(out.readInt32(), -2);
    out.setPosition(1 + 4 + 16);
    EXPECT_EQ(out.readUInt8(), 9);
    EXPECT_EQ(out.bytes().mid(1 + 44), rtf);

    out.setPosition(1);
    auto back = trtf::readStored(out);
    EXPECT_EQ(out.position(), out.size());
    EXPECT_EQ(back->bytes(), rtf);
    EXPECT_EQ(back->headerA, note->headerA);
    EXPECT_EQ(back->headerB, note->headerB);
    EXPECT_EQ(back->headerC, note->headerC);
}

TEST(Trtf, ABlockClaimingMoreThanFollowsFailsWithTheReadError) {
    const struct {
        std::int32_t claimed;
        int present;
    } cases[] = {{10, 9}, {0x7FFFFFFF, 3}, {1, 0}};
    for (const auto& c : cases) {
        MemoryStream in;
        in.writeInt32(c.claimed);
        in.write(QByteArray(40, '\0').constData(), 40);
        in.write(QByteArray(c.present, 'x').constData(), c.present);
        in.setPosition(0);
        EXPECT_THROW(trtf::readStored(in), ReadError) << c.claimed;
        EXPECT_EQ(in.position(), 0);
    }
    MemoryStream cut;
    cut.writeInt32(0);
    cut.write("abc", 3); // header cut short
    cut.setPosition(0);
    EXPECT_THROW(trtf::readStored(cut), ReadError);
}

TEST(Trtf, ANegativeLengthReadsAsAnEmptyNote) {
    MemoryStream in;
    in.writeInt32(-5);
    in.write(QByteArray(40, '\0').constData(), 40);
    in.setPosition(0);
    auto back = trtf::readStored(in);
    EXPECT_EQ(back->size(), 0);
    EXPECT_EQ(in.position(), 44);
}

TEST(Trtf, ACopyHoldsTheWholeContentWhateverThePosition) {
    auto note = noteWith(QByteArray("{\\rtf1 abcdef}"));
    note->setPosition(4);
    auto copy = trtf::copyOf(*note);
    EXPECT_EQ(copy->bytes(), note->bytes());
    EXPECT_EQ(copy->headerB, note->headerB);
    EXPECT_EQ(note->position(), note->size());
    copy->setPosition(0);
    copy->writeUInt8('X');
    EXPECT_EQ(note->bytes().at(0), '{') << "the copy is independent";
}

} // namespace
