#include "font.h"

#include "arith.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <algorithm>

std::int32_t Font::size() const {
    return -mulDiv(height, 72, pixelsPerInch);
}

void Font::setSize(std::int32_t points) {
    height = -mulDiv(points, pixelsPerInch, 72);
}

namespace {

const QString sans = QStringLiteral("Liberation Sans");
const QString serif = QStringLiteral("Liberation Serif");
const QString mono = QStringLiteral("Liberation Mono");
const QString dejaVuSans = QStringLiteral("DejaVu Sans");
const QString dejaVuSerif = QStringLiteral("DejaVu Serif");
const QString dejaVuMono = QStringLiteral("DejaVu Sans Mono");
const QString comic = QStringLiteral("Comic Neue");

// Windows faces that school maps use, and the metric-compatible or look-alike
// family that Debian's font packages bring for each.
const QHash<QString, QString>& substitutes() {
    static const QHash<QString, QString> table = {
        {QStringLiteral("arial"), sans},
        {QStringLiteral("helvetica"), sans},
        {QStringLiteral("ms sans serif"), sans},
        {QStringLiteral("microsoft sans serif"), sans},
        {QStringLiteral("ms shell dlg"), sans},
        {QStringLiteral("ms shell dlg 2"), sans},
        {QStringLiteral("tahoma"), sans},
        {QStringLiteral("segoe ui"), sans},
        {QStringLiteral("arial unicode ms"), sans},
        {QStringLiteral("arial black"), sans},
        {QStringLiteral("arial narrow"), sans},
        {QStringLiteral("verdana"), dejaVuSans},
        {QStringLiteral("trebuchet ms"), dejaVuSans},
        {QStringLiteral("system"), dejaVuSans},
        {QStringLiteral("small fonts"), sans},
        {QStringLiteral("times new roman"), serif},
        {QStringLiteral("times"), serif},
        {QStringLiteral("ms serif"), serif},
        {QStringLiteral("georgia"), dejaVuSerif},
        {QStringLiteral("book antiqua"), serif},
        {QStringLiteral("garamond"), serif},
        {QStringLiteral("courier new"), mono},
        {QStringLiteral("courier"), mono},
        {QStringLiteral("lucida console"), mono},
        {QStringLiteral("consolas"), mono},
        {QStringLiteral("fixedsys"), dejaVuMono},
        {QStringLiteral("terminal"), dejaVuMono},
        {QStringLiteral("comic sans ms"), comic},
        // No symbol font is installed; these show their characters as letters.
        {QStringLiteral("symbol"), dejaVuSans},
        {QStringLiteral("wingdings"), dejaVuSans},
        {QStringLiteral("webdings"), dejaVuSans},
    };
    return table;
}

// Ascent + descent of a family per pixel of em, to turn a cell height into a
// pixel size. Measured once per family and style.
qreal cellPerEm(const QFont& font) {
    static QHash<QString, qreal> cache;
    const QString key = font.family() + QLatin1Char('/') + QString::number(font.bold()) +
                        QString::number(font.italic());
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) {
        return *it;
    }
    QFont reference(font);
    reference.setPixelSize(1000);
    const QFontMetricsF metrics(reference);
    const qreal ratio = std::max<qreal>(0.5, (metrics.ascent() + metrics.descent()) / 1000.0);
    cache.insert(key, ratio);
    return ratio;
}

} // namespace

QString qtFamilyFor(const QString& face) {
    static QHash<QString, QString> resolved;
    const QString key = face.trimmed().toLower();
    auto it = resolved.constFind(key);
    if (it != resolved.constEnd()) {
        return *it;
    }
    QString family = substitutes().value(key);
    if (family.isEmpty()) {
        family = !key.isEmpty() && QFontDatabase::hasFamily(face.trimmed()) ? face.trimmed() : sans;
    }
    resolved.insert(key, family);
    return family;
}

QFont toQFont(const Font& font) {
    QFont q(qtFamilyFor(font.name));
    q.setBold(font.bold());
    q.setItalic(font.italic());
    q.setUnderline(font.underline());
    q.setStrikeOut(font.strikeOut());
    q.setFixedPitch(font.pitch == Font::FixedPitch);
    // The platform's text extents are plain sums of whole-pixel advances: no
    // kerning, no ligatures, hinted widths.
    q.setKerning(false);
    q.setStyleStrategy(QFont::PreferNoShaping);
    q.setHintingPreference(QFont::PreferFullHinting);

    // Heights from damaged files can be anything; keep the pixel size sane.
    constexpr std::int64_t largest = 4096;
    std::int64_t pixels;
    if (font.height < 0) {
        pixels = -static_cast<std::int64_t>(font.height);
    } else if (font.height > 0) {
        pixels = roundHalfEven(static_cast<extended>(font.height) / cellPerEm(q));
    } else {
        pixels = 13; // the platform's default height
    }
    q.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(pixels, 1, largest)));
    return q;
}
