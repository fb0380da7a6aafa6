#include "error.h"

KivoraError::KivoraError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message) {}
