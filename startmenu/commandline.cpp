#include "commandline.h"

#include "assignment/opdracht.h"
#include "env/startup.h"
#include "platform/arith.h"
#include "platform/ini.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace {

// The extension with its dot, or empty; a dot in a folder name does not count.
QString extensionOf(const QString& path) {
    const qsizetype nameStart =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= nameStart ? path.mid(dot) : QString();
}

bool isFile(const QString& name) {
    return QFileInfo(name).isFile();
}

// Round(size * n / 100), halves to even.
std::int32_t percentOf(std::int32_t size, std::int32_t n) {
    return roundToInt32(extended(size) * n / 100);
}

// The edges of the assignment window; the four values are edges throughout.
struct Edges {
    std::int32_t left, top, right, bottom;
    bool hasLeft = false, hasTop = false, hasRight = false, hasBottom = false;
};

void readOption(const QString& parameter, QSize screen, Edges& e) {
    if (parameter.isEmpty()) {
        return;
    }
    const std::optional<std::int32_t> n = parseIniInteger(parameter.mid(1));
    if (!n || *n < 0 || *n > 100) {
        return;
    }
    switch (parameter.at(0).toUpper().unicode()) {
    case u'L':
        e.left = percentOf(screen.width(), *n);
        e.hasLeft = true;
        break;
    case u'T':
        e.top = percentOf(screen.height(), *n);
        e.hasTop = true;
        break;
    case u'R':
        e.right = percentOf(screen.width(), *n);
        e.hasRight = true;
        break;
    case u'B':
        e.bottom = percentOf(screen.height(), *n);
        e.hasBottom = true;
        break;
    default:
        break;
    }
}

} // namespace

void leesopdrachtregel(const QStringList& parameters, QSize screen) {
    const tprogramvalues& defaults = programValues();
    Edges e{defaults.assignmentLeft, defaults.assignmentTop,
            defaults.assignmentLeft + defaults.assignmentWidth,
            defaults.assignmentTop + defaults.assignmentHeight};

    try {
        for (const QString& parameter : parameters) {
            const QString ext = extensionOf(parameter).toUpper();
            if (ext == QStringLiteral(".BRM")) {
                if (isFile(parameter)) {
                    programValues().mapFileToOpen = parameter;
                }
            } else if (ext == QStringLiteral(".RVF") || ext == QStringLiteral(".RTF")) {
                if (isFile(parameter)) {
                    openassignment(parameter, ext);
                }
            } else if (ext.isEmpty()) {
                readOption(parameter, screen, e);
            }
        }
    } catch (...) {
        // A file that cannot be read ends the reading; what was set stays.
    }

    if (e.hasLeft && !e.hasRight) {
        e.right = std::min(e.left + 300, screen.width());
    }
    if (e.hasRight && !e.hasLeft) {
        e.left = std::max(e.right - 300, 0);
    }
    if (e.hasTop && !e.hasBottom) {
        e.bottom = std::min(e.top + 300, screen.height());
    }
    if (e.hasBottom && !e.hasTop) {
        e.top = std::max(0, e.bottom - 300);
    }
    if (topdracht* opdracht = assignmentValues().opdracht.get()) {
        opdracht->windowrect = {e.left, e.top, e.right, e.bottom};
    }
}
