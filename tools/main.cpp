// kivora-tool: the command-line companion. Runs without a display.
#include "mapjson.h"

#include "env/settingscommand.h"
#include "model/tmindmap.h"
#include "platform/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

namespace {

const char* const usage = "Gebruik:\n"
                          "  kivora-tool dump [--layout] BESTAND   de mindmap als JSON\n"
                          "  kivora-tool convert IN UIT            IN opslaan als UIT (versie 7)\n"
                          "  kivora-tool render BESTAND AFBEELDING de hele mindmap als afbeelding\n"
                          "                                        (.png, .bmp of .jpg)\n"
                          "  kivora-tool settings [PARAMETERS...]  wat het opstarten met deze\n"
                          "                                        parameters geeft, als JSON\n";

int wrongUsage() {
    std::fputs(usage, stderr);
    return 2;
}

int failed(const KivoraError& e) {
    QTextStream(stderr) << "kivora-tool: " << e.message() << '\n';
    return 1;
}

int dump(const QStringList& args) {
    bool layout = false;
    QStringList files;
    for (const QString& a : args) {
        if (a == QStringLiteral("--layout")) {
            layout = true;
        } else if (a.startsWith(QStringLiteral("--"))) {
            return wrongUsage();
        } else {
            files.append(a);
        }
    }
    if (files.size() != 1) {
        return wrongUsage();
    }
    auto map = tmindmap::load(files[0]);
    if (layout) {
        layOutLoadedMap(*map);
    }
    const QByteArray json = QJsonDocument(mapToJson(*map, layout)).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    return 0;
}

int render(const QStringList& args) {
    static const QStringList formats = {QStringLiteral("png"), QStringLiteral("bmp"),
                                        QStringLiteral("jpg"), QStringLiteral("jpeg")};
    if (args.size() != 2 || !formats.contains(QFileInfo(args[1]).suffix().toLower())) {
        return wrongUsage();
    }
    renderMapPicture(args[0], args[1]);
    return 0;
}

int convert(const QStringList& args) {
    if (args.size() != 2) {
        return wrongUsage();
    }
    auto map = tmindmap::load(args[0]);
    map->fileName = args[1];
    map->save();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Text is measured with real fonts, but no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants one and says so on standard error; scripts read that stream.
        const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/kivora-runtime-" +
                                   QByteArray::number(static_cast<qulonglong>(getuid()));
        QDir().mkpath(QString::fromLocal8Bit(runtime));
        QFile::setPermissions(QString::fromLocal8Bit(runtime), QFileDevice::ReadOwner |
                                                                   QFileDevice::WriteOwner |
                                                                   QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        return wrongUsage();
    }
    const QString command = args.takeFirst();
    try {
        if (command == QStringLiteral("dump")) {
            return dump(args);
        }
        if (command == QStringLiteral("convert")) {
            return convert(args);
        }
        if (command == QStringLiteral("render")) {
            return render(args);
        }
        if (command == QStringLiteral("settings")) {
            QTextStream out(stdout);
            QTextStream err(stderr);
            return settingscommand(args, out, err);
        }
    } catch (const KivoraError& e) {
        return failed(e);
    }
    return wrongUsage();
}
