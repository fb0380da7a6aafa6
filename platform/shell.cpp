#include "shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

ShellOpener& opener() {
    static ShellOpener current;
    return current;
}

} // namespace

QUrl shellurl(const QString& target) {
    const QString text = target.trimmed();
    // A scheme is at least two letters; one letter and a colon is a drive.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(text).hasMatch()) {
        const QUrl url(text, QUrl::TolerantMode);
        if (url.isValid()) {
            return url;
        }
    }
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

bool writeForwardingPage(const QString& fileName, const QUrl& target) {
    const QString address = QString::fromLatin1(target.toEncoded()).toHtmlEscaped();
    const QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
                                        "<meta http-equiv=\"refresh\" content=\"0; url=%1\">\n"
                                        "<title>Kivora</title></head>\n"
                                        "<body><p><a href=\"%1\">%1</a></p></body></html>\n")
                             .arg(address);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(page.toUtf8());
    return file.commit();
}

bool shellopen(const QString& target) {
    QUrl url = shellurl(target);
    if (opener()) {
        return opener()(url);
    }
    if (url.isLocalFile() && (url.hasQuery() || url.hasFragment())) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        const QString page = folder + QStringLiteral("/openen.html");
        if (QDir().mkpath(folder) && writeForwardingPage(page, url)) {
            url = QUrl::fromLocalFile(page);
        }
    }
    return QDesktopServices::openUrl(url);
}

void setShellOpener(ShellOpener replacement) {
    opener() = std::move(replacement);
}
