#include "trtf.h"

#include "platform/error.h"

#include <limits>

std::unique_ptr<trtf> trtf::copyOf(trtf& source) {
    auto copy = std::make_unique<trtf>();
    copy->headerA = source.headerA;
    copy->headerB = source.headerB;
    copy->headerC = source.headerC;
    source.setPosition(0);
    copy->copyFrom(source, source.size());
    copy->setPosition(0);
    return copy;
}

std::unique_ptr<trtf> trtf::readStored(Stream& source) {
    const std::int64_t start = source.position();
    auto note = std::make_unique<trtf>();
    try {
        const std::int32_t length = source.readInt32();
        for (auto& v : note->headerA) {
            v = source.readInt32();
        }
        source.read(note->headerB.data(), static_cast<std::int64_t>(note->headerB.size()));
        for (auto& v : note->headerC) {
            v = source.readInt32();
        }
        if (length > 0) {
            // checked before anything is allocated for it
            note->copyFrom(source, length);
        }
    } catch (const ReadError&) {
        source.setPosition(start);
        throw;
    }
    note->setPosition(0);
    return note;
}

void writenote(trtf& note, Stream& destination) {
    const std::int64_t length = note.size();
    if (length > std::numeric_limits<std::int32_t>::max()) {
        throw RangeError(QStringLiteral("De notitie is te groot om op te slaan"));
    }
    destination.writeInt32(static_cast<std::int32_t>(length));
    for (const auto v : note.headerA) {
        destination.writeInt32(v);
    }
    destination.write(note.headerB.data(), static_cast<std::int64_t>(note.headerB.size()));
    for (const auto v : note.headerC) {
        destination.writeInt32(v);
    }
    if (length > 0) {
        note.setPosition(0);
        destination.copyFrom(note, length);
    }
}
