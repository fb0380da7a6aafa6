#include "web.h"

#include "startup.h"

#include "platform/random.h"
#include "platform/stream.h"

#include <QCoreApplication>
#include <memory>

namespace {

// The internet handle of the run: opened on first use and kept until the end.
// Whether opening worked or not, it is tried only once.
struct InternetHandle {
    std::unique_ptr<WebSession> session;
    bool notYetOpened = true;
    WebTimeouts timeouts;
};

InternetHandle& handle() {
    static InternetHandle h;
    return h;
}

WebSession* session() {
    InternetHandle& h = handle();
    if (h.notYetOpened) {
        h.notYetOpened = false;
        QString program = programValues().programFile;
        if (program.isEmpty()) {
            program = QCoreApplication::applicationFilePath();
        }
        // The agent name: the program file followed by a number from 0 to 9999.
        auto opened =
            std::make_unique<WebSession>(program + QString::number(programRandom().next(10000)));
        if (opened->isOpen()) {
            h.session = std::move(opened);
        }
    }
    if (h.session) {
        h.session->setTimeouts(h.timeouts);
    }
    return h.session.get();
}

bool startsWithAny(const QString& text, std::initializer_list<const char*> prefixes) {
    const QString lower = text.toLower();
    for (const char* prefix : prefixes) {
        if (lower.startsWith(QLatin1String(prefix))) {
            return true;
        }
    }
    return false;
}

} // namespace

bool isurl(const QString& text) {
    return startsWithAny(text, {"http://", "https://"});
}

bool normaliseurl(QString& text) {
    if (!startsWithAny(text, {"http://", "https://", "http:\\\\", "https:\\\\"})) {
        return false;
    }
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return true;
}

bool downloadurl(const QString& address, MemoryStream& stream) {
    stream.setPosition(0);
    WebSession* web = session();
    QByteArray body;
    const bool fetched = web && web->fetch(address, body);
    if (fetched) {
        stream.write(body.constData(), body.size());
    }
    stream.setPosition(0);
    return fetched;
}

bool urlreachable(const QString& address) {
    QString url = address;
    if (!normaliseurl(url)) {
        return false;
    }
    WebSession* web = session();
    return web && web->open(url);
}

void setwebtimeouts(const WebTimeouts& timeouts) {
    handle().timeouts = timeouts;
}

WebTimeouts webtimeouts() {
    return handle().timeouts;
}
