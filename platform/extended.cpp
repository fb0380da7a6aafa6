#include "extended.h"

#include <cstring>

// The first ten bytes of a long double hold the little-endian x87 value; the
// rest is padding that we neither read nor write.
ExtendedBytes extendedToBytes(extended value) {
    unsigned char raw[sizeof(extended)] = {};
    std::memcpy(raw, &value, sizeof(extended));
    ExtendedBytes out;
    std::memcpy(out.data(), raw, out.size());
    return out;
}

extended extendedFromBytes(const ExtendedBytes& bytes) {
    unsigned char raw[sizeof(extended)] = {};
    std::memcpy(raw, bytes.data(), bytes.size());
    extended value;
    std::memcpy(&value, raw, sizeof(extended));
    return value;
}
