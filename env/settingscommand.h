#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// kivora-tool settings [PARAMETERS...]: runs the start-up sequence with the
// parameters as the program's command line and writes as JSON what it gave:
// settingsFile, programFolder, workingFolder, dataFolder, showInfo,
// parameters, profiles (count), plekbestanden and printAllowed (of the
// current profile). The program is taken to be "kivora" beside the running
// tool, as installed, so the settings file beside the program is kivora.ini.
// "--help" prints the usage; "--" ends the options.
// Returns 0, 1 when a file that start-up chose could not be read (the JSON
// shows the defaults that the program then uses), 2 for an unknown option.
int settingscommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The same for a given program file.
int settingscommand(const QString& programFile, const QStringList& arguments, QTextStream& out,
                    QTextStream& err);
