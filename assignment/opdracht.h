#pragma once

#include "model/trtf.h"
#include "platform/geometry.h"

#include <QString>
#include <cstdint>
#include <memory>

// The assignment of a program run: the task document that the pupil reads in
// the assignment window beside the editor, and what that window remembers
// between showings. There is at most one per run, and only when the command
// line named an assignment file.
class topdracht {
public:
    topdracht() = default;
    topdracht(const topdracht&) = delete;
    topdracht& operator=(const topdracht&) = delete;

    // The RTF or RVF text; none until a file was opened.
    std::unique_ptr<trtf> document;
    // Screen rectangle of the assignment window, in pixels.
    Rect windowrect;
    // Vertical scroll offset of the text in the window, in pixels.
    std::int32_t scrollposition = 0;
    // The assignment window is to be shown.
    bool visible = false;
};

// The program-wide assignment values; one instance, living until the end.
struct tassignmentvalues {
    // The run's assignment; empty when none was given.
    std::unique_ptr<topdracht> opdracht;
    // The document is RVF (true) or RTF (false).
    bool rvf = false;
};

tassignmentvalues& assignmentValues();

// Loads an assignment file named on the command line: creates the assignment
// when there is none, reads the whole file as its document, marks it to be
// shown and sets the RVF flag from the extension (".RVF" in any letter case).
// A file that cannot be read raises FileError or ReadError; an earlier
// document, the show mark and the RVF flag then stay as they were (a new
// assignment keeps an empty document and is not shown).
void openassignment(const QString& fileName, const QString& extension);
