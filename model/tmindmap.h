#pragma once

#include "tlink.h"
#include "ttextbox.h"

#include "platform/extended.h"
#include "platform/geometry.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include <optional>

class MapPaintBox;
class Stream;

// One map: its root, its free text boxes, its canvas and view state, the
// selection and what a drag leaves for the drawing.
class tmindmap {
public:
    // A new map: a root reading "Mindmap", selected, and the branch length of
    // "WWWW" in the drawing surface's current font.
    tmindmap();
    ~tmindmap();
    tmindmap(const tmindmap&) = delete;
    tmindmap& operator=(const tmindmap&) = delete;

    // The undo snapshot: tree, text boxes and view state, without selection
    // and drag state.
    static std::unique_ptr<tmindmap> clone(const tmindmap& source);

    // Files. load reads a whole file into a new map; a file that cannot be
    // read or is damaged raises an error naming it and makes no map. save
    // writes version 7 to fileName and replaces the old file only once the
    // whole map is written; a failed save leaves modified as it was.
    static std::unique_ptr<tmindmap> load(const QString& fileName);
    void loadFromStream(Stream& s);
    void save();
    // Clears modified once the branch tree is written.
    void saveToStream(Stream& s);

    tlink* branchAt(std::int32_t x, std::int32_t y);
    // The first text box whose drawn box holds the point, edges excluded.
    ttextbox* textBoxAt(std::int32_t x, std::int32_t y);

    // Layout of the whole map.
    void relayoutAll();
    // Pushes the main subtrees on the side of branch's main branch apart;
    // false when a phase was cut off at overlapPassLimit.
    bool resolveOverlaps(tlink* branch);
    // After the root grew: moves the main branches outward by the growth.
    void rootResized(const Rect& oldRect);
    // resolveOverlaps repeats each of its phases at most this often, so that no
    // arrangement of branches can keep it busy for ever. Real maps need a few
    // passes.
    static inline int overlapPassLimit = 10000;

    // Geometry and view. Results that do not fit int32 raise RangeError, with
    // the fields set so far kept.
    Point toScreen(std::int32_t x, std::int32_t y) const;
    Point toMap(std::int32_t sx, std::int32_t sy) const;
    void updateScale();
    // Changes the zoom; returns the scroll position that keeps the map point at
    // the centre of the view in the centre.
    Point zoomAt(std::int32_t newZoom, Point scrollPos, const Rect& clientRect);
    // Sizes the drawing surface to the visible part of the content for a view
    // whose top-left corner is the map point (x, y); false when nothing shows.
    bool prepareView(std::int32_t x, std::int32_t y, std::int32_t& left, std::int32_t& top);
    void updateQuadrants();
    void updateExtents();
    void fitCanvas();
    // Drawing: the whole map into the drawing surface, every coordinate shifted
    // by the origin. Subtrees wholly outside the surface are skipped when
    // cullDrawing is set; the picture and the state written are the same.
    void drawAll(std::int32_t originX, std::int32_t originY);
    static inline bool cullDrawing = true;
    // The whole map at full size with the printing look, in 24-bit colour, on
    // a new surface sized to the extent; the drawing surface and the view
    // sizes are put back afterwards. RangeError when it is too large to hold.
    QImage wholeMapPicture();

    // The point 100 units from the centre halfway between two main branches.
    std::optional<Point> bisectorPoint(const tlink* a, const tlink* b) const;

    // Fields in declared order.
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t viewWidth = 0;
    std::int32_t viewHeight = 0;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    extended scaleX = 1;
    extended scaleY = 1;
    extended invScaleX = 1;
    extended invScaleY = 1;
    extended offsetX = 0;
    extended offsetY = 0;
    extended invOffsetX = 0;
    extended invOffsetY = 0;
    std::unique_ptr<tlink> root;
    QString fileName;
    std::int32_t zoom = 100;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    Rect sourceRect;
    Rect targetRect;
    std::int32_t levelGap = 0;
    tlink* selected = nullptr;
    ttextbox* selectedTextBox = nullptr;
    std::int32_t paintWidth = 0;
    std::int32_t paintHeight = 0;
    std::int32_t viewTop = 0;
    std::int32_t viewLeft = 0;
    MapPaintBox* paintBox = nullptr;
    Rect dragRect{0, -10000, 0, 0}; // top -10000: no outline on screen
    Rect dragChildRect;
    tlink* dropTarget = nullptr;
    tlink* noteBranch = nullptr;
    tlink* dropParent = nullptr;
    std::int32_t dropIndex = 0;
    bool dropLeftHalf = false;
    Point upperLeft;
    Point lowerLeft;
    Point upperRight;
    Point lowerRight;
    Rect extent;
    std::vector<std::unique_ptr<ttextbox>> textBoxes;
    tlink* dropNeighbourA = nullptr;
    tlink* dropNeighbourB = nullptr;
    std::int32_t centreX = 0;
    std::int32_t centreY = 0;
    bool printing = false;
    bool modified = false;

private:
    struct Empty {};
    explicit tmindmap(Empty);
};
