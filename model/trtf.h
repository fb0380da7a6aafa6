#pragma once

#include "platform/stream.h"

#include <array>
#include <cstdint>
#include <memory>

// Rich text in memory (a branch note or an assignment) with a 40-byte header
// that is carried through unchanged. The content is a complete RTF or RVF
// document.
class trtf : public MemoryStream {
public:
    // Size of the stored form before the content: N and the three header groups.
    static constexpr std::int64_t storedHeaderSize = 44;

    trtf() = default;
    trtf(const trtf&) = delete;
    trtf& operator=(const trtf&) = delete;

    // A copy of the whole content and header; the source's position ends at its end.
    static std::unique_ptr<trtf> copyOf(trtf& source);
    // Reads a stored block at the source's position and leaves the source just
    // behind it. ReadError when the block claims more content than follows.
    static std::unique_ptr<trtf> readStored(Stream& source);

    std::array<std::int32_t, 4> headerA{};
    std::array<std::uint8_t, 8> headerB{};
    std::array<std::int32_t, 4> headerC{};
};

// Writes the stored form of a note at the destination's position: N, the
// header groups, then the whole content. RangeError when N does not fit int32.
void writenote(trtf& note, Stream& destination);
