#pragma once

#include "extended.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

// A byte stream with a size and a position. A read either delivers every byte
// asked for or throws ReadError and leaves the position where it was; a write
// either stores every byte or throws WriteError. Integers are little-endian.
class Stream {
public:
    virtual ~Stream() = default;

    virtual std::int64_t size() const = 0;
    virtual std::int64_t position() const = 0;
    virtual void setPosition(std::int64_t position) = 0;
    std::int64_t remaining() const;

    void read(void* buffer, std::int64_t count);
    void write(const void* buffer, std::int64_t count);

    std::uint8_t readUInt8();
    std::int16_t readInt16();
    std::int32_t readInt32();
    extended readExtended();

    void writeUInt8(std::uint8_t value);
    void writeInt16(std::int16_t value);
    void writeInt32(std::int32_t value);
    void writeExtended(extended value);

    // Copies count bytes from source's position to this stream's position.
    void copyFrom(Stream& source, std::int64_t count);

protected:
    // Transfer up to count bytes; return how many were moved.
    virtual std::int64_t readSome(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t writeSome(const void* buffer, std::int64_t count) = 0;
};

// A growable byte buffer. Writing past the end grows it; the position may be
// set beyond the end, and a write there fills the gap with zeros.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(QByteArray bytes)
        : m_data(std::move(bytes)) {}

    std::int64_t size() const override { return m_data.size(); }
    std::int64_t position() const override { return m_position; }
    void setPosition(std::int64_t position) override;

    // Truncates or extends (with zeros); the position stays unless it would lie
    // beyond the new end.
    void setSize(std::int64_t size);
    void clear();

    const QByteArray& bytes() const { return m_data; }
    const char* data() const { return m_data.constData(); }

protected:
    std::int64_t readSome(void* buffer, std::int64_t count) override;
    std::int64_t writeSome(const void* buffer, std::int64_t count) override;

private:
    QByteArray m_data;
    std::int64_t m_position = 0;
};

// A file opened for reading or created for writing. Failing to open or create
// throws FileError with the file's name.
class FileStream : public Stream {
public:
    enum class Mode { Read, Create };

    FileStream(const QString& fileName, Mode mode);
    ~FileStream() override;

    std::int64_t size() const override;
    std::int64_t position() const override;
    void setPosition(std::int64_t position) override;

    const QString& fileName() const { return m_fileName; }
    // Flushes and closes; WriteError when the data could not be stored.
    void close();

protected:
    std::int64_t readSome(void* buffer, std::int64_t count) override;
    std::int64_t writeSome(const void* buffer, std::int64_t count) override;

private:
    QString m_fileName;
    QFile m_file;
};

// Writes the whole file, or leaves the old one as it was: the bytes go to a
// temporary file beside it that replaces it only when complete. FileError when
// it cannot be created, WriteError when it cannot be written, both naming it.
void writeWholeFile(const QString& fileName, const QByteArray& bytes);
