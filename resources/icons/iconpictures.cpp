#include "iconpictures.h"

#include "model/modelstate.h"

#include <QPainter>
#include <QString>
#include <QSvgRenderer>

// A static library's resources are only kept and registered when something calls this;
// Q_INIT_RESOURCE must stand outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace {

constexpr int slotWidth = 20;
constexpr int slotHeight = 19;
// Far beyond any button, and keeps the picture's size well inside int.
constexpr int maxScale = 16;

QString resourceName(std::int32_t value) {
    if (value < 0) {
        return QStringLiteral(":/icons/marker-%1.svg").arg(-value);
    }
    return QStringLiteral(":/icons/icon-%1.svg").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QImage iconPicture(std::int32_t value, int scale) {
    if (value < IconPictures::first || value > IconPictures::last || scale < 1 ||
        scale > maxScale) {
        return {};
    }
    [[maybe_unused]] static const bool registered = (registerIconResources(), true);

    QSvgRenderer renderer(resourceName(value));
    if (!renderer.isValid()) {
        return {};
    }
    QImage picture(slotWidth * scale, slotHeight * scale, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) {
        return {};
    }
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(0, 0, picture.width(), picture.height()));
    painter.end();
    return picture;
}

void loadIconPictures(IconPictures& table) {
    for (std::int32_t value = IconPictures::first; value <= IconPictures::last; ++value) {
        table.set(value, iconPicture(value));
    }
}
