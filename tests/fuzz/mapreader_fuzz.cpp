// libFuzzer target for the map reader: any bytes must either load or give the
// damage error; a map that loads must lay out and draw, and write and read
// back to the same bytes.
#include "model/mapfile.h"
#include "model/modelstate.h"
#include "model/tmindmap.h"

#include <QGuiApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryStream in(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    tmindmap map;
    try {
        map.loadFromStream(in);
    } catch (const DamagedMapError&) {
        return 0;
    }
    MemoryStream first;
    map.saveToStream(first);
    tmindmap again;
    first.setPosition(0);
    again.loadFromStream(first);
    MemoryStream second;
    again.saveToStream(second);
    if (first.bytes() != second.bytes()) {
        std::abort();
    }
    try {
        map.root->measure();
        for (const auto& main : map.root->children) {
            main->relayout();
        }
        map.updateQuadrants();
        // A view around the root, as the editor shows a freshly opened map.
        modelState().drawingBitmap->resize(300, 200);
        map.drawAll(150 - map.centreX, 100 - map.centreY);
        map.selected = map.root.get();
        map.dropTarget = map.root->children.empty() ? nullptr : map.root->children[0].get();
        map.drawAll(150 - map.centreX, 100 - map.centreY);
    } catch (const RangeError&) {
    }
    return 0;
}
