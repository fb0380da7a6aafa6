#include "settingscommand.h"

#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

const char* const usage = "Gebruik: kivora-tool settings [PARAMETERS...]\n"
                          "Voert de opstartvolgorde van Kivora uit met de parameters als\n"
                          "opdrachtregel en toont het resultaat als JSON.\n";

} // namespace

int settingscommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    return settingscommand(QCoreApplication::applicationDirPath() + QStringLiteral("/kivora"),
                           arguments, out, err);
}

int settingscommand(const QString& programFile, const QStringList& arguments, QTextStream& out,
                    QTextStream& err) {
    QStringList parameters;
    bool options = true;
    for (const QString& a : arguments) {
        if (options && a == QLatin1String("--")) {
            options = false;
        } else if (options && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
            out << usage;
            return 0;
        } else if (options && a.startsWith(QLatin1String("--"))) {
            err << "kivora-tool settings: onbekende optie " << a << "\n" << usage;
            return 2;
        } else {
            parameters.append(a);
        }
    }

    opstarten(programFile, parameters);
    const tprogramvalues& v = programValues();
    const tinstelobject& profile = currentprofile();

    QJsonObject result;
    result.insert(QStringLiteral("settingsFile"), v.settingsFileName);
    result.insert(QStringLiteral("programFolder"), v.programFolder);
    result.insert(QStringLiteral("workingFolder"), QDir::currentPath());
    result.insert(QStringLiteral("dataFolder"), v.dataFolder);
    result.insert(QStringLiteral("showInfo"), v.showInfo);
    result.insert(QStringLiteral("parameters"), QJsonArray::fromStringList(v.parameters));
    result.insert(QStringLiteral("profiles"), v.settings ? v.settings->count() : 0);
    result.insert(QStringLiteral("plekbestanden"), profile.set_plekbestanden);
    result.insert(QStringLiteral("printAllowed"), profile.selbol_printen);
    out << QJsonDocument(result).toJson(QJsonDocument::Indented);

    for (const QString& name : v.unreadableFiles) {
        err << "kivora-tool settings: kan " << name << " niet lezen\n";
    }
    return v.unreadableFiles.isEmpty() ? 0 : 1;
}
