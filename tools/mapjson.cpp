#include "mapjson.h"

#include "model/modelstate.h"
#include "model/tmindmap.h"
#include "model/trtf.h"
#include "platform/picturefile.h"
#include "resources/icons/iconpictures.h"

#include <QJsonArray>

namespace {

QJsonValue colour(Colour c) {
    return QJsonValue(static_cast<double>(c));
}

QJsonArray rect(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

QJsonObject font(const Font& f) {
    return {{QStringLiteral("name"), f.name},
            {QStringLiteral("height"), f.height},
            {QStringLiteral("style"), f.style},
            {QStringLiteral("pitch"), f.pitch},
            {QStringLiteral("color"), colour(f.colour)}};
}

QString headerHex(const trtf& note) {
    QByteArray bytes;
    auto put = [&bytes](std::int32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes.append(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
        }
    };
    for (const auto v : note.headerA) {
        put(v);
    }
    for (const auto v : note.headerB) {
        bytes.append(static_cast<char>(v));
    }
    for (const auto v : note.headerC) {
        put(v);
    }
    return QString::fromLatin1(bytes.toHex());
}

QJsonObject layoutOf(const tlink& b) {
    return {{QStringLiteral("width"), b.width},
            {QStringLiteral("height"), b.height},
            {QStringLiteral("top"), b.top},
            {QStringLiteral("textLeft"), b.textLeft},
            {QStringLiteral("textRight"), b.textRight},
            {QStringLiteral("textTop"), b.textTop},
            {QStringLiteral("textBottom"), b.textBottom},
            {QStringLiteral("textWidth"), b.textWidth},
            {QStringLiteral("lineHeight"), b.lineHeight},
            {QStringLiteral("margin"), b.margin},
            {QStringLiteral("textBlockHeight"), b.textBlockHeight},
            {QStringLiteral("subtreeHeight"), b.subtreeHeight},
            {QStringLiteral("childrenHeight"), b.childrenHeight},
            {QStringLiteral("subtreeWidth"), b.subtreeWidth},
            {QStringLiteral("handleX"), b.handleX},
            {QStringLiteral("childBlockTop"), b.childBlockTop},
            {QStringLiteral("childBlockBottom"), b.childBlockBottom},
            {QStringLiteral("boxRect"), rect(b.boxRect)},
            {QStringLiteral("childBlockRect"), rect(b.childBlockRect)},
            {QStringLiteral("subtreeRect"), rect(b.subtreeRect)}};
}

QJsonObject branch(const tlink& b, bool layout) {
    QJsonArray icons;
    for (const std::int32_t v : b.icons) {
        icons.append(v);
    }
    QJsonArray children;
    for (const auto& child : b.children) {
        children.append(branch(*child, layout));
    }
    QJsonValue note = QJsonValue::Null;
    if (b.note) {
        note = QJsonObject{{QStringLiteral("size"), static_cast<double>(b.note->size())},
                           {QStringLiteral("header"), headerHex(*b.note)}};
    }
    QJsonObject o{{QStringLiteral("lines"), QJsonArray::fromStringList(b.lines)},
                  {QStringLiteral("left"), b.left},
                  {QStringLiteral("right"), b.right},
                  {QStringLiteral("bottom"), b.bottom},
                  {QStringLiteral("side"), b.side},
                  {QStringLiteral("font"), font(b.font)},
                  {QStringLiteral("borderColor"), colour(b.borderColor)},
                  {QStringLiteral("fillColor"), colour(b.fillColor)},
                  {QStringLiteral("lineColor"), colour(b.lineColor)},
                  {QStringLiteral("borderWidth"), b.borderWidth},
                  {QStringLiteral("icons"), icons},
                  {QStringLiteral("hidden"), b.hidden},
                  {QStringLiteral("website"), b.website},
                  {QStringLiteral("mapLink"), b.mapLink},
                  {QStringLiteral("excelLink"), b.excelLink},
                  {QStringLiteral("wordLink"), b.wordLink},
                  {QStringLiteral("powerPointLink"), b.powerPointLink},
                  {QStringLiteral("programLink"), b.programLink},
                  {QStringLiteral("noteOffsetX"), b.noteOffsetX},
                  {QStringLiteral("noteOffsetY"), b.noteOffsetY},
                  {QStringLiteral("noteWidth"), b.noteWidth},
                  {QStringLiteral("noteHeight"), b.noteHeight},
                  {QStringLiteral("noteMode"), b.noteMode},
                  {QStringLiteral("note"), note},
                  {QStringLiteral("children"), children}};
    if (layout) {
        o.insert(QStringLiteral("layout"), layoutOf(b));
    }
    return o;
}

QJsonObject textBox(const ttextbox& t) {
    return {{QStringLiteral("lines"), QJsonArray::fromStringList(t.lines)},
            {QStringLiteral("font"), font(t.font)},
            {QStringLiteral("left"), t.left},
            {QStringLiteral("top"), t.top},
            {QStringLiteral("transparent"), t.transparent},
            {QStringLiteral("fillColor"), colour(t.fillColor)},
            {QStringLiteral("alignment"), t.alignment},
            {QStringLiteral("frameWidth"), t.frameWidth},
            {QStringLiteral("frameColor"), colour(t.frameColor)}};
}

} // namespace

QJsonObject mapToJson(const tmindmap& map, bool layout) {
    QJsonArray boxes;
    for (const auto& box : map.textBoxes) {
        boxes.append(textBox(*box));
    }
    return {{QStringLiteral("version"), modelState().fileVersion},
            {QStringLiteral("width"), map.width},
            {QStringLiteral("height"), map.height},
            {QStringLiteral("zoom"), map.zoom},
            {QStringLiteral("levelGap"), map.levelGap},
            {QStringLiteral("viewLeft"), map.viewLeft},
            {QStringLiteral("viewTop"), map.viewTop},
            {QStringLiteral("root"), branch(*map.root, layout)},
            {QStringLiteral("textBoxes"), boxes}};
}

void layOutLoadedMap(tmindmap& map) {
    map.root->measure();
    for (const auto& main : map.root->children) {
        main->relayout();
    }
}

void renderMapPicture(const QString& mapFile, const QString& pictureFile) {
    loadIconPictures(modelState().iconButtons);
    auto map = tmindmap::load(mapFile);
    layOutLoadedMap(*map);
    map->updateQuadrants();
    // A first drawing, as the editor's, gives the text boxes their size.
    map->drawAll(0, 0);
    writePicture(map->wholeMapPicture(), pictureFile);
}
