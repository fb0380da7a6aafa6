#pragma once

#include <QJsonObject>
#include <QString>

class tmindmap;

// The map as JSON with the keys that scripts rely on; with layout, each branch
// also carries its computed layout fields.
QJsonObject mapToJson(const tmindmap& map, bool layout);

// Lays a freshly loaded map out as the editor does when it opens one: the root
// is measured, then each main branch relaid out.
void layOutLoadedMap(tmindmap& map);

// The whole-map picture of a map file, written in the format of the output
// file's extension (.png, .bmp, .jpg).
void renderMapPicture(const QString& mapFile, const QString& pictureFile);
