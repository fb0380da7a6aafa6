#pragma once

#include "platform/web.h"

#include <QString>

class MemoryStream;

// The lower-cased text begins with "http://" or "https://".
bool isurl(const QString& text);

// The lower-cased text begins with "http://", "https://", "http:\\" or
// "https:\\": then every "\" becomes "/" and the result is true. Otherwise the
// text stays as it is.
bool normaliseurl(QString& text);

// Fetches the address into the stream, written from position 0 on (the stream
// is not emptied first); the position is 0 again afterwards. False when the
// address cannot be opened or the transfer fails; the stream is then left as
// it was (its position 0).
bool downloadurl(const QString& address, MemoryStream& stream);

// Whether a normalised copy of the address is a web address that can be
// opened.
bool urlreachable(const QString& address);

// The bounds of every later request; tests shorten them.
void setwebtimeouts(const WebTimeouts& timeouts);
WebTimeouts webtimeouts();
