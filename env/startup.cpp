#include "startup.h"

#include "web.h"

#include "platform/ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// Where the file name part of a path begins; both separators count, since
// parameter files written on Windows hold backslashes.
qsizetype nameStart(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
}

// The extension with its dot, or empty.
QString extensionOf(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= nameStart(path) ? path.mid(dot) : QString();
}

QString withExtension(const QString& path, const QString& extension) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot >= nameStart(path) ? path.left(dot) : path) + extension;
}

bool isFile(const QString& name) {
    return !name.isEmpty() && QFileInfo(name).isFile();
}

// The lines of a parameter file, one parameter per line.
QStringList linesOf(const QString& fileName, bool& read) {
    QFile file(fileName);
    read = file.open(QIODevice::ReadOnly);
    if (!read) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    read = file.error() == QFileDevice::NoError;
    QString text = decodeSettingsText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.pop_back(); // the line break that ends the last line
    }
    return lines;
}

const QString parameterFileExtension = QStringLiteral(".WNNRV");
const QString settingsExtension = QStringLiteral(".ini");
const QString showInfoParameter = QStringLiteral("TOONINFO");

} // namespace

tprogramvalues& programValues() {
    static tprogramvalues values;
    return values;
}

const tinstelobject& currentprofile() {
    static const tinstelobject defaults;
    const tinstelobject* current = programValues().currentProfile;
    return current ? *current : defaults;
}

void setdefaultassignmentrect(std::int32_t screenWidth) {
    tprogramvalues& v = programValues();
    v.assignmentLeft = screenWidth - 400;
    v.assignmentTop = 100;
    v.assignmentWidth = 300;
    v.assignmentHeight = 300;
}

void opstarten(const QString& programFile, const QStringList& commandLine) {
    tprogramvalues& v = programValues();
    v.programFile = QFileInfo(programFile).absoluteFilePath();
    v.programFolder = QFileInfo(v.programFile).absolutePath();
    if (!v.programFolder.endsWith(QLatin1Char('/'))) {
        v.programFolder += QLatin1Char('/');
    }
    v.parameters.clear();
    v.showInfo = false;
    v.unreadableFiles.clear();
    v.currentProfile = nullptr;
    v.settings.reset();

    // 1, 2: the settings file beside the program, and the program folder as
    // the working folder.
    v.settingsFileName = withExtension(v.programFile, settingsExtension);
    QDir::setCurrent(v.programFolder);

    // 3a: a parameter file stands in for the whole command line.
    for (const QString& parameter : commandLine) {
        v.parameters.append(parameter);
        if (isFile(parameter) && extensionOf(parameter).toUpper() == parameterFileExtension) {
            bool read = false;
            v.parameters = linesOf(parameter, read);
            if (!read) {
                v.unreadableFiles.append(parameter);
            }
            break;
        }
    }

    // 3b: the settings file and the show-info option; a later ".ini" wins.
    for (const QString& entry : std::as_const(v.parameters)) {
        if (extensionOf(entry).toLower() == settingsExtension) {
            if (urlreachable(entry)) {
                v.settingsFileName = entry;
            } else {
                // A bare name is looked for beside the program, wherever the
                // caller's working folder was.
                QString name = entry;
                if (!entry.contains(QLatin1Char('/')) && !entry.contains(QLatin1Char('\\'))) {
                    name = v.programFolder + entry;
                }
                if (isFile(name)) {
                    v.settingsFileName = name;
                }
            }
        }
        if (entry == showInfoParameter) {
            v.showInfo = true;
        }
    }

    // 4, 5: read the settings; a current profile always exists. An address
    // written with backslashes was found reachable above, so it is read too.
    QString address = v.settingsFileName;
    bool read = true;
    if (normaliseurl(address)) {
        v.settings = std::make_unique<tinstellijst>(tinstellijst::fromUrl(address, &read));
    } else if (isFile(v.settingsFileName)) {
        v.settings =
            std::make_unique<tinstellijst>(tinstellijst::fromFile(v.settingsFileName, &read));
    } else {
        v.settings = std::make_unique<tinstellijst>();
    }
    if (!read) {
        v.unreadableFiles.append(v.settingsFileName);
    }
    if (v.settings->empty()) {
        v.settings->add(std::make_unique<tinstelobject>());
    }

    // 6, 7: the current profile and the data folder.
    v.currentProfile = &(*v.settings)[0];
    v.dataFolder = v.programFolder;
    const QString plek = v.currentProfile->set_plekbestanden;
    if (!plek.isEmpty()) {
        QDir::setCurrent(v.programFolder);
        QString full = QDir::cleanPath(QFileInfo(plek).absoluteFilePath());
        if (plek.endsWith(QLatin1Char('/')) && !full.endsWith(QLatin1Char('/'))) {
            full += QLatin1Char('/');
        }
        v.dataFolder = full;
    }
}
