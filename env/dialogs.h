#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class QDialog;
class QFont;

// The kinds of message, numbered as the platform numbers them.
enum class MessageKind : std::uint8_t {
    Warning = 0,      // "Waarschuwing"
    Error = 1,        // "Fout melding"
    Information = 2,  // "Informatie"
    Confirmation = 3, // "Bevestiging"
    Custom = 4,       // no icon; the application's title
};

// A set of buttons: bit n set = button n present; the bit number is also the
// order in which the buttons stand, left to right.
using MessageButtons = std::uint16_t;

namespace messagebutton {
constexpr MessageButtons yes = 1 << 0;
constexpr MessageButtons no = 1 << 1;
constexpr MessageButtons ok = 1 << 2;
constexpr MessageButtons cancel = 1 << 3;
constexpr MessageButtons abort = 1 << 4;
constexpr MessageButtons retry = 1 << 5;
constexpr MessageButtons ignore = 1 << 6;
constexpr MessageButtons all = 1 << 7;
constexpr MessageButtons noToAll = 1 << 8;
constexpr MessageButtons yesToAll = 1 << 9;
constexpr MessageButtons help = 1 << 10;
constexpr MessageButtons yesNo = yes | no;
constexpr MessageButtons yesNoCancel = yes | no | cancel;
} // namespace messagebutton

// What the dialogs return: the number of the button that closed them.
namespace messageresult {
constexpr int ok = 1;
constexpr int cancel = 2; // also closing the box without a button
constexpr int abort = 3;
constexpr int retry = 4;
constexpr int ignore = 5;
constexpr int yes = 6;
constexpr int no = 7;
constexpr int all = 8;
constexpr int noToAll = 9;
constexpr int yesToAll = 10;
} // namespace messageresult

// The modal message box: icon, text and buttons, Dutch title by kind when
// caption is empty, Dutch captions. Enter presses OK, else Yes, else Retry;
// Escape presses Cancel, else No, else OK. Returns the result of the button
// that closed it. helpContext is accepted and not used.
int messagedialog(const QString& msg, const QString& caption, MessageKind kind,
                  MessageButtons buttons, std::int32_t helpContext);

// The same box, built and not shown; the caller owns it. x and y place its
// left and top edge on the screen; -1 keeps it centred.
std::unique_ptr<QDialog> makemessagedialog(const QString& msg, const QString& caption,
                                           MessageKind kind, MessageButtons buttons,
                                           std::int32_t helpContext, std::int32_t x,
                                           std::int32_t y);

// The modal one-line input box: title caption, prompt above the edit field,
// value as the starting text. True, and value replaced, only after OK.
bool inputdialog(const QString& caption, const QString& prompt, QString& value);

// The average character width of a font (the width of "A".."Z" "a".."z"
// divided by 52, rounded down) and its character height, in pixels.
struct CharSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
CharSize averagecharsize(const QFont& font);
