#include "opdracht.h"

#include "platform/error.h"

#include <QFile>

tassignmentvalues& assignmentValues() {
    static tassignmentvalues values;
    return values;
}

void openassignment(const QString& fileName, const QString& extension) {
    tassignmentvalues& values = assignmentValues();
    if (!values.opdracht) {
        values.opdracht = std::make_unique<topdracht>();
    }
    topdracht& opdracht = *values.opdracht;
    if (!opdracht.document) {
        opdracht.document = std::make_unique<trtf>();
    }

    // Read into a document of its own, so that a file that fails halfway does
    // not leave an earlier assignment emptied while it is still to be shown.
    // Read up to the end rather than by the reported size, which some files
    // do not know.
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(
            QStringLiteral("Kan bestand \"%1\" niet openen: %2").arg(fileName, file.errorString()));
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw ReadError(
            QStringLiteral("Kan bestand \"%1\" niet lezen: %2").arg(fileName, file.errorString()));
    }
    auto document = std::make_unique<trtf>();
    document->write(content.constData(), content.size());
    document->setPosition(0);

    opdracht.document = std::move(document);
    opdracht.visible = true;
    values.rvf = extension.toUpper() == QStringLiteral(".RVF");
}
