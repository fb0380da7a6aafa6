#pragma once

#include "platform/colour.h"
#include "platform/font.h"
#include "platform/geometry.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class Stream;
class tmindmap;
class trtf;

// Strict overlap: rectangles that only touch do not overlap.
bool rectsOverlap(const Rect& a, const Rect& b);

// Picture icons are 0 to 47; markers for notes and links are negative.
namespace marker {
constexpr std::int32_t note = -1;
constexpr std::int32_t website = -2;
constexpr std::int32_t map = -3;
constexpr std::int32_t excel = -4;
constexpr std::int32_t word = -5;
constexpr std::int32_t powerPoint = -6;
constexpr std::int32_t program = -7;
} // namespace marker

// One branch of a map with its subtree; the root of a map is a tlink too.
// A branch owns its children, font, lines, icons and note; parent and map
// point upwards and own nothing.
class tlink {
public:
    // A new branch with the defaults of a fresh branch; one without a parent
    // reads "Mindmap". The caller sets map.
    explicit tlink(tlink* parent);
    ~tlink();
    tlink(const tlink&) = delete;
    tlink& operator=(const tlink&) = delete;

    // Deep copy of the branch and its subtree; map stays null until setMap.
    static std::unique_ptr<tlink> clone(const tlink& source);

    // layoutDirty on the branch and every ancestor; the map is modified.
    void markChanged();
    // Appends a new child with its default text and font and gives a new main
    // branch its start position; returns it.
    tlink* addChild();
    // The branch whose box holds the point (edges included), looked for in the
    // subtree; a later child wins over an earlier one.
    tlink* branchAt(std::int32_t x, std::int32_t y);
    void spreadSide();
    void linkParents();
    void setMap(tmindmap* map);
    void assignSides(std::int32_t centreX);
    void growFont();
    void shrinkFont();
    void applyDefaultFonts(std::int32_t size);
    void applyStandardLook(std::int32_t size);
    void markAllDirty();
    void setLineColorAll(Colour colour);

    // Layout. measure sizes the dirty part of the subtree (bottom-up); place
    // positions the children and their subtrees from the branch's own place;
    // relayout measures and places the main branch that holds the branch (the
    // whole map for the root); moveBy moves the branch, the root the whole map.
    void measure();
    void place();
    void relayout();
    void moveBy(std::int32_t dx, std::int32_t dy);

    // One branch record with its nested children, in the file's layout. The
    // reader reads the version kept in the model state.
    void saveToStream(Stream& s) const;
    static std::unique_ptr<tlink> loadFromStream(Stream& s);

    bool isRoot() const { return parent == nullptr; }
    bool isMain() const { return parent != nullptr && parent->parent == nullptr; }
    int level() const;

    // Layout outputs and placement, in declared order.
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t textCentreX = 0;
    std::int32_t margin = 0;
    std::int32_t lineHeight = 0;
    std::int32_t childBlockTop = 0;
    std::int32_t childBlockBottom = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t handleX = 0;
    std::int32_t subtreeHeight = 0;
    std::int32_t childrenHeight = 0;
    std::int32_t subtreeWidth = 0;
    std::int32_t textLeft = 0;
    std::int32_t textRight = 0;
    std::int32_t textTop = 0;
    std::int32_t textBottom = 0;
    std::int32_t textBlockHeight = 0;
    std::int32_t noteOffsetX = 10;
    std::int32_t noteOffsetY = 0;
    std::int32_t noteWidth = 200;
    std::int32_t noteHeight = 160;
    std::int32_t noteMode = 2;
    Font font;
    tmindmap* map = nullptr;
    std::unique_ptr<trtf> note;
    QStringList lines;
    tlink* parent = nullptr;
    std::vector<std::unique_ptr<tlink>> children;
    Colour borderColor = colours::black;
    Colour fillColor = colours::white;
    Colour lineColor = colours::black;
    std::int32_t borderWidth = 1;
    bool textDirty = true;
    bool layoutDirty = true;
    std::uint8_t side = 0; // 0 right of the centre, 1 left of it, 2 the root
    std::vector<std::int32_t> icons;
    std::int32_t textWidth = 0;
    Rect noteRect;
    Rect subtreeRect;
    Rect boxRect;
    Rect childBlockRect;
    bool placeholder = true;
    bool hidden = false;
    QString website;
    QString mapLink;
    QString excelLink;
    QString wordLink;
    QString programLink;
    QString powerPointLink;

    // Layout: how far the drawing of the subtree may reach beyond its boxes;
    // lets the drawing skip subtrees that lie wholly outside the surface.
    std::int32_t inkMargin = 0;

    // Drawing onto the model's drawing surface, shifted by the map's origin.
    void draw();
    void drawTail();

private:
    static std::unique_ptr<tlink> loadFromStream(Stream& s, int depth);
};
