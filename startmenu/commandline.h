#pragma once

#include <QSize>
#include <QStringList>

// What the start menu takes from its command line when it is activated:
//  - a ".BRM" map file that exists becomes the map file to open (the last one
//    counts);
//  - an ".RVF" or ".RTF" file that exists is loaded with openassignment (the
//    last one counts);
//  - an option "L", "T", "R" or "B" (any letter case) with a whole number from
//    0 to 100 places the left, top, right or bottom edge of the assignment
//    window at that percentage of the screen's width or height.
// Extensions are compared in capitals. Anything else is ignored, and the
// first failure (an assignment file that cannot be read) ends the reading of
// the parameters without a message. Then the edges that were not given are
// made from those that were, and a loaded assignment gets the rectangle.
void leesopdrachtregel(const QStringList& parameters, QSize screen);
