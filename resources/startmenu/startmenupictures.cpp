#include "startmenupictures.h"

#include <QFile>

// A static library's resources are only kept and registered when something
// calls this; Q_INIT_RESOURCE must stand outside any namespace.
static void registerStartmenuResources() {
    Q_INIT_RESOURCE(startmenu);
}

QByteArray startmenuresource(const QString& name) {
    [[maybe_unused]] static const bool registered = (registerStartmenuResources(), true);
    QFile file(QStringLiteral(":/startmenu/") + name);
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}
