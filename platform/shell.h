#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The shell's "open": hands a web address, a local file or a folder to the
// program that the desktop associates with it (through QDesktopServices; no
// command line is ever built from the text). The result tells whether the
// desktop accepted it, not whether the program started.
bool shellopen(const QString& target);

// The address that shellopen hands on: text with a scheme of its own
// (http:, https:, file:, mailto:, ...) as it stands, anything else (also a
// drive-letter path such as C:\...) as a local file, relative to the working
// folder.
QUrl shellurl(const QString& target);

// Desktop openers drop the query and fragment of a local file address
// (index.html?page.htm opens index.html). shellopen then opens a small page
// written here instead, which forwards the browser to the full address.
bool writeForwardingPage(const QString& fileName, const QUrl& target);

// Tests replace the desktop: the opener receives every address instead.
using ShellOpener = std::function<bool(const QUrl&)>;
void setShellOpener(ShellOpener opener);
