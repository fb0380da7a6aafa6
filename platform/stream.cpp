#include "stream.h"

#include "error.h"

#include <QSaveFile>
#include <algorithm>
#include <cstring>

namespace {

QString readErrorText() {
    return QStringLiteral("Fout bij het lezen van de gegevens");
}
QString writeErrorText() {
    return QStringLiteral("Fout bij het schrijven van de gegevens");
}

} // namespace

std::int64_t Stream::remaining() const {
    return std::max<std::int64_t>(0, size() - position());
}

void Stream::read(void* buffer, std::int64_t count) {
    if (count <= 0) {
        if (count < 0) {
            throw ReadError(readErrorText());
        }
        return;
    }
    const std::int64_t start = position();
    if (count > remaining()) {
        throw ReadError(readErrorText());
    }
    auto* out = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t n = readSome(out + done, count - done);
        if (n <= 0) {
            setPosition(start);
            throw ReadError(readErrorText());
        }
        done += n;
    }
}

void Stream::write(const void* buffer, std::int64_t count) {
    if (count <= 0) {
        if (count < 0) {
            throw WriteError(writeErrorText());
        }
        return;
    }
    const auto* in = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t n = writeSome(in + done, count - done);
        if (n <= 0) {
            throw WriteError(writeErrorText());
        }
        done += n;
    }
}

std::uint8_t Stream::readUInt8() {
    std::uint8_t b;
    read(&b, 1);
    return b;
}

std::int16_t Stream::readInt16() {
    std::uint8_t b[2];
    read(b, 2);
    return static_cast<std::int16_t>(b[0] | (b[1] << 8));
}

std::int32_t Stream::readInt32() {
    std::uint8_t b[4];
    read(b, 4);
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
        (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24));
}

extended Stream::readExtended() {
    ExtendedBytes b;
    read(b.data(), static_cast<std::int64_t>(b.size()));
    return extendedFromBytes(b);
}

void Stream::writeUInt8(std::uint8_t value) {
    write(&value, 1);
}

void Stream::writeInt16(std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8)};
    write(b, 2);
}

void Stream::writeInt32(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                               static_cast<std::uint8_t>(u >> 16),
                               static_cast<std::uint8_t>(u >> 24)};
    write(b, 4);
}

void Stream::writeExtended(extended value) {
    const ExtendedBytes b = extendedToBytes(value);
    write(b.data(), static_cast<std::int64_t>(b.size()));
}

void Stream::copyFrom(Stream& source, std::int64_t count) {
    if (count > source.remaining()) {
        throw ReadError(readErrorText());
    }
    char chunk[64 * 1024];
    while (count > 0) {
        const std::int64_t n = std::min<std::int64_t>(count, sizeof chunk);
        source.read(chunk, n);
        write(chunk, n);
        count -= n;
    }
}

// --- MemoryStream -----------------------------------------------------------

void MemoryStream::setPosition(std::int64_t position) {
    m_position = std::max<std::int64_t>(0, position);
}

void MemoryStream::setSize(std::int64_t size) {
    size = std::max<std::int64_t>(0, size);
    const std::int64_t old = m_data.size();
    m_data.resize(size);
    if (size > old) {
        std::memset(m_data.data() + old, 0, static_cast<std::size_t>(size - old));
    }
    m_position = std::min(m_position, size);
}

void MemoryStream::clear() {
    m_data.clear();
    m_position = 0;
}

std::int64_t MemoryStream::readSome(void* buffer, std::int64_t count) {
    const std::int64_t n = std::min<std::int64_t>(count, m_data.size() - m_position);
    if (n <= 0) {
        return 0;
    }
    std::memcpy(buffer, m_data.constData() + m_position, static_cast<std::size_t>(n));
    m_position += n;
    return n;
}

std::int64_t MemoryStream::writeSome(const void* buffer, std::int64_t count) {
    const std::int64_t end = m_position + count;
    if (end > m_data.size()) {
        setSize(end);
    }
    std::memcpy(m_data.data() + m_position, buffer, static_cast<std::size_t>(count));
    m_position = end;
    return count;
}

// --- FileStream -------------------------------------------------------------

FileStream::FileStream(const QString& fileName, Mode mode)
    : m_fileName(fileName)
    , m_file(fileName) {
    if (mode == Mode::Read) {
        if (!m_file.open(QIODevice::ReadOnly)) {
            throw FileError(QStringLiteral("Kan bestand \"%1\" niet openen: %2")
                                .arg(fileName, m_file.errorString()));
        }
    } else {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            throw FileError(QStringLiteral("Kan bestand \"%1\" niet aanmaken: %2")
                                .arg(fileName, m_file.errorString()));
        }
    }
}

FileStream::~FileStream() = default;

std::int64_t FileStream::size() const {
    return m_file.size();
}

std::int64_t FileStream::position() const {
    return m_file.pos();
}

void FileStream::setPosition(std::int64_t position) {
    if (!m_file.seek(std::max<std::int64_t>(0, position))) {
        throw ReadError(readErrorText());
    }
}

void FileStream::close() {
    if (!m_file.isOpen()) {
        return;
    }
    const bool flushed = m_file.flush();
    m_file.close();
    if (!flushed || m_file.error() != QFileDevice::NoError) {
        throw WriteError(writeErrorText() + QStringLiteral(": ") + m_fileName);
    }
}

std::int64_t FileStream::readSome(void* buffer, std::int64_t count) {
    return m_file.read(static_cast<char*>(buffer), count);
}

std::int64_t FileStream::writeSome(const void* buffer, std::int64_t count) {
    return m_file.write(static_cast<const char*>(buffer), count);
}

void writeWholeFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(QStringLiteral("Kan bestand \"%1\" niet aanmaken: %2")
                            .arg(fileName, file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        throw WriteError(QStringLiteral("Kan bestand \"%1\" niet opslaan: %2")
                             .arg(fileName, file.errorString()));
    }
}
