// The map file: stream encodings, branch, text box and map records.
#include "mapfile.h"

#include "modelstate.h"
#include "tlink.h"
#include "tmindmap.h"
#include "trtf.h"
#include "ttextbox.h"

#include "platform/arith.h"
#include "platform/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

namespace {

QString damagedText() {
    return QStringLiteral("De gegevens zijn beschadigd of vormen geen mindmap");
}

[[noreturn]] void damaged() {
    throw DamagedMapError(damagedText());
}

// A count read from the file claims that many items of at least itemSize bytes.
void checkCount(const Stream& s, std::int64_t count, std::int64_t itemSize) {
    if (count > 0 && count > s.remaining() / itemSize) {
        damaged();
    }
}

// The smallest branch record of a version: fixed fields, empty strings and lists.
std::int64_t smallestBranchRecord(std::int32_t version) {
    std::int64_t n = 12 + 20 + 1 + 4 + 4 + 16 + 1 + 4;
    if (version >= 5) {
        n += 8;
    }
    if (version >= 6) {
        n += 21;
    }
    if (version >= 7) {
        n += 16;
    }
    return n;
}

constexpr std::int64_t smallestTextBoxRecord = 4 + 20 + 4 + 4 + 1 + 16;

QByteArray readBytes(Stream& s, std::int64_t n) {
    QByteArray bytes(n, Qt::Uninitialized);
    s.read(bytes.data(), n);
    return bytes;
}

} // namespace

// --- encodings ---------------------------------------------------------------

void writeString(Stream& s, const QString& text) {
    const QByteArray bytes = toCp1252(text);
    s.writeInt32(checkedInt32(bytes.size()));
    s.write(bytes.constData(), bytes.size());
}

QString readString(Stream& s) {
    const std::int32_t length = s.readInt32();
    if (length <= 0) {
        return QString();
    }
    checkCount(s, length, 1);
    return fromCp1252(readBytes(s, length));
}

void writeStringList(Stream& s, const QStringList& list) {
    s.writeInt32(checkedInt32(list.size()));
    for (const QString& text : list) {
        writeString(s, text);
    }
}

QStringList readStringList(Stream& s) {
    const std::int32_t count = s.readInt32();
    QStringList list;
    if (count <= 0) {
        return list;
    }
    checkCount(s, count, 4);
    list.reserve(count);
    for (std::int32_t i = 0; i < count; ++i) {
        list.append(readString(s));
    }
    return list;
}

void writeFont(Stream& s, const Font& font) {
    writeString(s, font.name);
    s.writeInt32(font.style & 15);
    s.writeInt32(font.height);
    s.writeInt32(font.pitch);
    s.writeInt32(static_cast<std::int32_t>(font.colour));
}

Font readFont(Stream& s) {
    Font font;
    font.name = readString(s);
    font.style = s.readInt32() & 15; // a style is a set of the four bits
    font.height = s.readInt32();
    font.pitch = s.readInt32();
    font.colour = static_cast<Colour>(s.readInt32());
    return font;
}

void writeShortLines(Stream& s, const QStringList& lines) {
    std::vector<QByteArray> pieces;
    for (const QString& line : lines) {
        QByteArray bytes = toCp1252(line);
        while (bytes.size() > maxShortLine) {
            qsizetype cut = bytes.lastIndexOf(' ', maxShortLine - 1);
            cut = cut > 0 ? cut + 1 : maxShortLine; // the space stays with the first part
            pieces.push_back(bytes.left(cut));
            bytes.remove(0, cut);
        }
        pieces.push_back(bytes);
    }
    s.writeInt32(checkedInt32(static_cast<std::int64_t>(pieces.size())));
    for (const QByteArray& piece : pieces) {
        s.writeInt16(static_cast<std::int16_t>(piece.size() + 1));
        s.writeUInt8(static_cast<std::uint8_t>(piece.size()));
        s.write(piece.constData(), piece.size());
    }
}

void readShortLines(Stream& s, QStringList& lines) {
    lines.clear();
    const std::int32_t count = s.readInt32();
    if (count <= 0) {
        return;
    }
    checkCount(s, count, 2);
    lines.reserve(count);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int16_t n = s.readInt16();
        if (n <= 0) {
            lines.append(QString());
            continue;
        }
        checkCount(s, n, 1);
        const QByteArray bytes = readBytes(s, n);
        if (n > 256) {
            // More than a short string holds: the bytes as they stand.
            lines.append(fromCp1252(bytes));
            continue;
        }
        const int length = std::min<int>(static_cast<unsigned char>(bytes[0]), n - 1);
        lines.append(fromCp1252(bytes.constData() + 1, length));
    }
}

// --- branch records ------------------------------------------------------------

void tlink::saveToStream(Stream& s) const {
    s.writeInt32(bottom);
    s.writeInt32(left);
    s.writeInt32(right);
    writeFont(s, font);
    s.writeUInt8(note ? 1 : 0);
    if (note) {
        writenote(*note, s);
    }
    writeStringList(s, lines);
    s.writeInt32(checkedInt32(static_cast<std::int64_t>(children.size())));
    for (const auto& child : children) {
        child->saveToStream(s);
    }
    s.writeInt32(static_cast<std::int32_t>(borderColor));
    s.writeInt32(static_cast<std::int32_t>(fillColor));
    s.writeInt32(static_cast<std::int32_t>(lineColor));
    s.writeInt32(borderWidth);
    s.writeUInt8(side);
    s.writeInt32(checkedInt32(static_cast<std::int64_t>(icons.size())));
    for (const std::int32_t icon : icons) {
        s.writeInt32(icon);
    }
    writeString(s, website);
    writeString(s, mapLink);
    s.writeInt32(noteOffsetX);
    s.writeInt32(noteOffsetY);
    s.writeInt32(noteWidth);
    s.writeInt32(noteHeight);
    s.writeInt32(noteMode);
    s.writeUInt8(hidden ? 1 : 0);
    writeString(s, excelLink);
    writeString(s, wordLink);
    writeString(s, powerPointLink);
    writeString(s, programLink);
}

std::unique_ptr<tlink> tlink::loadFromStream(Stream& s) {
    return loadFromStream(s, 0);
}

std::unique_ptr<tlink> tlink::loadFromStream(Stream& s, int depth) {
    if (depth > maxBranchDepth) {
        damaged();
    }
    const std::int32_t version = modelState().fileVersion;
    auto b = std::make_unique<tlink>(nullptr);
    b->lines.clear();
    b->bottom = s.readInt32();
    b->left = s.readInt32();
    b->right = s.readInt32();
    b->width = b->right - b->left;
    b->font = readFont(s);
    if (s.readUInt8() != 0) {
        b->note = trtf::readStored(s);
    }
    b->lines = readStringList(s);
    const std::int32_t childCount = s.readInt32();
    if (childCount > 0) {
        checkCount(s, childCount, smallestBranchRecord(version));
        b->children.reserve(static_cast<std::size_t>(childCount));
        for (std::int32_t i = 0; i < childCount; ++i) {
            b->children.push_back(loadFromStream(s, depth + 1));
        }
    }
    b->borderColor = static_cast<Colour>(s.readInt32());
    b->fillColor = static_cast<Colour>(s.readInt32());
    b->lineColor = static_cast<Colour>(s.readInt32());
    b->borderWidth = s.readInt32();
    b->layoutDirty = true;
    b->textDirty = true;
    b->side = s.readUInt8();
    const std::int32_t iconCount = s.readInt32();
    if (iconCount > 0) {
        checkCount(s, iconCount, 4);
        b->icons.reserve(static_cast<std::size_t>(iconCount));
        for (std::int32_t i = 0; i < iconCount; ++i) {
            b->icons.push_back(s.readInt32());
        }
    }
    if (version >= 5) {
        b->website = readString(s);
        b->mapLink = readString(s);
    }
    if (version >= 6) {
        b->noteOffsetX = s.readInt32();
        b->noteOffsetY = s.readInt32();
        b->noteWidth = s.readInt32();
        b->noteHeight = s.readInt32();
        b->noteMode = s.readInt32();
        b->hidden = s.readUInt8() != 0;
    }
    if (version >= 7) {
        b->excelLink = readString(s);
        b->wordLink = readString(s);
        b->powerPointLink = readString(s);
        b->programLink = readString(s);
    }
    b->placeholder = false;
    return b;
}

// --- text box records ----------------------------------------------------------

void ttextbox::saveToStream(Stream& s) const {
    writeShortLines(s, lines);
    writeFont(s, font);
    s.writeInt32(left);
    s.writeInt32(top);
    s.writeUInt8(transparent ? 1 : 0);
    s.writeInt32(static_cast<std::int32_t>(fillColor));
    s.writeInt32(alignment);
    s.writeInt32(frameWidth);
    s.writeInt32(static_cast<std::int32_t>(frameColor));
}

std::unique_ptr<ttextbox> ttextbox::loadFromStream(Stream& s) {
    auto box = std::make_unique<ttextbox>();
    readShortLines(s, box->lines);
    box->font = readFont(s);
    box->left = s.readInt32();
    box->top = s.readInt32();
    box->transparent = s.readUInt8() != 0;
    box->fillColor = static_cast<Colour>(s.readInt32());
    box->alignment = s.readInt32();
    box->frameWidth = s.readInt32();
    box->frameColor = static_cast<Colour>(s.readInt32());
    box->placeholder = false;
    return box;
}

// --- maps ----------------------------------------------------------------------

void tmindmap::saveToStream(Stream& s) {
    s.writeInt32(mapFileVersion);
    root->saveToStream(s);
    modified = false;
    s.writeInt32(width);
    s.writeInt32(height);
    for (const extended v :
         {scaleX, scaleY, invScaleX, invScaleY, offsetX, offsetY, invOffsetX, invOffsetY}) {
        s.writeExtended(v);
    }
    s.writeInt32(zoom);
    s.writeInt32(levelGap);
    s.writeInt32(viewLeft);
    s.writeInt32(viewTop);
    s.writeInt32(checkedInt32(static_cast<std::int64_t>(textBoxes.size())));
    for (const auto& box : textBoxes) {
        box->saveToStream(s);
    }
}

void tmindmap::save() {
    // The old file stays until the whole map is written.
    MemoryStream data;
    const bool wasModified = modified;
    try {
        saveToStream(data);
        writeWholeFile(fileName, data.bytes());
    } catch (...) {
        modified = wasModified;
        throw;
    }
}

void tmindmap::loadFromStream(Stream& s) {
    tmodelstate& state = modelState();
    const std::int32_t previousVersion = state.fileVersion;
    try {
        state.fileVersion = s.readInt32();
        root = tlink::loadFromStream(s);
        printing = false;
        width = s.readInt32();
        height = s.readInt32();
        for (extended* v : {&scaleX, &scaleY, &invScaleX, &invScaleY, &offsetX, &offsetY,
                            &invOffsetX, &invOffsetY}) {
            *v = s.readExtended();
        }
        zoom = s.readInt32();
        levelGap = s.readInt32();
        viewLeft = s.readInt32();
        viewTop = s.readInt32();
        textBoxes.clear();
        const std::int32_t boxCount = s.readInt32();
        if (boxCount > 0) {
            checkCount(s, boxCount, smallestTextBoxRecord);
            textBoxes.reserve(static_cast<std::size_t>(boxCount));
            for (std::int32_t i = 0; i < boxCount; ++i) {
                auto box = ttextbox::loadFromStream(s);
                box->map = this;
                textBoxes.push_back(std::move(box));
            }
        }
        // Whatever follows the last text box is not ours to read.
        root->linkParents();
        root->setMap(this);
        centreX = (root->left + root->right) / 2;
        root->assignSides(centreX);
        selectedTextBox = nullptr;
        selected = nullptr;
        // The stored scales never take effect: they follow from the zoom.
        updateScale();
        modified = false;
    } catch (const ReadError&) {
        state.fileVersion = previousVersion;
        throw DamagedMapError(damagedText());
    } catch (const RangeError&) {
        state.fileVersion = previousVersion;
        throw DamagedMapError(damagedText());
    }
}

std::unique_ptr<tmindmap> tmindmap::load(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(
            QStringLiteral("Kan bestand \"%1\" niet openen: %2").arg(fileName, file.errorString()));
    }
    MemoryStream data(file.readAll());
    if (file.error() != QFileDevice::NoError) {
        throw FileError(
            QStringLiteral("Kan bestand \"%1\" niet lezen: %2").arg(fileName, file.errorString()));
    }
    std::unique_ptr<tmindmap> map(new tmindmap(Empty{}));
    map->fileName = fileName;
    try {
        map->loadFromStream(data);
    } catch (const DamagedMapError&) {
        throw DamagedMapError(QStringLiteral("Het bestand \"%1\" is beschadigd of is geen mindmap")
                                  .arg(QFileInfo(fileName).fileName()));
    }
    return map;
}
