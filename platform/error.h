#pragma once

#include <QString>
#include <stdexcept>

// The program's own failures. Every error carries a message for the user;
// the application shows it in its error box and goes on.
class KivoraError : public std::runtime_error {
public:
    explicit KivoraError(const QString& message);
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A read that could not deliver all the bytes asked for.
class ReadError : public KivoraError {
public:
    using KivoraError::KivoraError;
};

// A write that could not be completed.
class WriteError : public KivoraError {
public:
    using KivoraError::KivoraError;
};

// A file that could not be opened or created.
class FileError : public KivoraError {
public:
    using KivoraError::KivoraError;
};

// A value that does not fit where it has to go (an int32 result, a stream size).
class RangeError : public KivoraError {
public:
    using KivoraError::KivoraError;
};
