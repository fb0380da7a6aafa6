#pragma once

#include <QByteArray>
#include <QString>

// The raw-data resources of the start menu, by name: "1" the background
// picture and "2" the logo (both JPEG), and the button icon bitmaps "INFO",
// "VRAG", "PROFIEL" and "STOPPEN", of which none is shipped. Empty for a name
// that is not there.
QByteArray startmenuresource(const QString& name);
