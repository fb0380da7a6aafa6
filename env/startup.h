#pragma once

#include "settings.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

// The values that start-up fixes for the whole run; one instance.
struct tprogramvalues {
    // The running program file (full path) and its folder, ending with "/".
    QString programFile;
    QString programFolder;
    // Local path or web address of the settings file.
    QString settingsFileName;
    // The command-line parameters, or the lines of a parameter file.
    QStringList parameters;
    // "TOONINFO" was given: the assignment window shows its geometry.
    bool showInfo = false;
    // Where the picture save dialog starts: the program folder, or the
    // profile's set_plekbestanden as a full path.
    QString dataFolder;
    std::unique_ptr<tinstellijst> settings;
    // The first profile of settings; never owning.
    tinstelobject* currentProfile = nullptr;
    // A map file named on the command line, for the editor to open once.
    QString mapFileToOpen;
    // The assignment window's rectangle before the command line moves it.
    std::int32_t assignmentLeft = 0;
    std::int32_t assignmentTop = 100;
    std::int32_t assignmentWidth = 300;
    std::int32_t assignmentHeight = 300;
    // Files that start-up found but could not read (settings or parameter
    // file, or a settings address that could not be fetched). The program
    // goes on with defaults; the settings command reports them.
    QStringList unreadableFiles;
};

tprogramvalues& programValues();

// The current settings profile; a default profile before start-up has run.
const tinstelobject& currentprofile();

// The assignment window starts 400 pixels left of the screen's right edge.
void setdefaultassignmentrect(std::int32_t screenWidth);

// The start-up sequence: finds and reads the settings file, makes the program
// folder the working folder, looks through the command line (or the parameter
// file that stands in for it) and fixes the current profile and the data
// folder. programFile is the running program's full path; commandLine holds
// its parameters without the program itself. Never throws for missing or
// unreadable files.
void opstarten(const QString& programFile, const QStringList& commandLine);
