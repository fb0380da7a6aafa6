// Draws the two pictures of the start menu, our own work:
//
//   achtergrond.jpg  resource "1": a summer landscape behind the golden frame
//   logo.jpg         resource "2": the emblem and the name, for the white strip
//
// The landscape is computed pixel by pixel (gradients, value noise, soft
// edges); the logo is drawn with the canvas at four times its size and
// averaged down, so that its edges are smooth. Both are written with our
// JPEG encoder. The output depends only on this program and the installed
// fonts (Comic Neue). To make them again:
//
//   cmake --build build --target kivora-startpictures
//   QT_QPA_PLATFORM=offscreen build/resources/kivora-startpictures resources/startmenu

#include "platform/canvas.h"
#include "platform/imagesurface.h"
#include "platform/picturefile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb a, double f) {
    return {a.r * f, a.g * f, a.b * f};
}

Rgb added(Rgb a, Rgb b, double f) {
    return {a.r + b.r * f, a.g + b.g * f, a.b + b.b * f};
}

double clamp01(double x) {
    return std::clamp(x, 0.0, 1.0);
}

double smoothstep(double e0, double e1, double x) {
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// A fixed integer hash, so that every run gives the same picture.
double hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double noise(double x, double y, int seed) {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const double fx = x - ix;
    const double fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top = hash(ix, iy, seed) + (hash(ix + 1, iy, seed) - hash(ix, iy, seed)) * sx;
    const double bottom =
        hash(ix, iy + 1, seed) + (hash(ix + 1, iy + 1, seed) - hash(ix, iy + 1, seed)) * sx;
    return top + (bottom - top) * sy;
}

double fbm(double x, double y, int seed, int octaves = 5) {
    double sum = 0, amplitude = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise(x, y, seed + 17 * i);
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

// --- The landscape ----------------------------------------------------------

constexpr int photoWidth = 1280;
constexpr int photoHeight = 960;

// Heights of the three hill lines, as a fraction of the picture height, for a
// fraction u of its width.
double farHill(double u) {
    return 0.585 + 0.030 * std::sin(u * 5.1 + 0.7) + 0.018 * std::sin(u * 11.3 + 2.1) +
           0.012 * (fbm(u * 9, 3.5, 11, 3) - 0.5);
}

double middleHill(double u) {
    return 0.665 + 0.045 * std::sin(u * 3.3 + 2.4) + 0.016 * std::sin(u * 8.7 + 0.3);
}

double nearHill(double u) {
    return 0.775 + 0.055 * std::sin(u * 2.2 + 4.0) + 0.022 * std::sin(u * 6.1 + 1.2);
}

struct Tree {
    double u;     // place across the picture
    double size;  // 1 is an ordinary tree on the middle hill
    bool slender; // a poplar instead of a round tree
};

const std::array<Tree, 9> trees = {{
    {0.10, 1.00, false},
    {0.135, 0.80, false},
    {0.31, 0.85, true},
    {0.335, 0.70, true},
    {0.57, 1.10, false},
    {0.615, 0.75, false},
    {0.80, 0.90, true},
    {0.885, 1.05, false},
    {0.915, 0.80, false},
}};

Rgb sky(double u, double v) {
    const Rgb top{52, 112, 200};
    const Rgb middle{118, 176, 232};
    const Rgb horizon{250, 226, 178};
    Rgb colour = v < 0.32 ? mix(top, middle, smoothstep(0.0, 0.32, v))
                          : mix(middle, horizon, smoothstep(0.32, 0.62, v));
    // The sun, low in the west, with its glow.
    const double du = (u - 0.27) * photoWidth / photoHeight;
    const double dv = v - 0.40;
    const double d = std::sqrt(du * du + dv * dv);
    colour = added(colour, Rgb{255, 210, 130}, 0.38 * std::exp(-(d * d) / (0.15 * 0.15)));
    colour = mix(colour, Rgb{255, 253, 240}, 1 - smoothstep(0.040, 0.043, d));
    // Fair-weather clouds, thinning towards the horizon.
    const double c = fbm(u * 4.2, v * 11.0 - 3.0, 5);
    const double cover = smoothstep(0.56, 0.72, c) * (1 - smoothstep(0.22, 0.52, v));
    const double shade = 0.88 + 0.12 * smoothstep(0.5, 0.8, fbm(u * 4.2, v * 11.0 - 3.3, 5));
    colour = mix(colour, scaled(Rgb{255, 255, 255}, shade), cover * 0.9);
    return colour;
}

Rgb grass(Rgb light, Rgb dark, double depth, double u, double v, int seed, double grain) {
    Rgb colour = mix(light, dark, clamp01(depth));
    const double n = fbm(u * grain, v * grain * 1.6, seed, 4) - 0.5;
    return scaled(colour, 1 + 0.22 * n);
}

// One tree over the colour: canopy lit from the sun's side, a dark trunk.
Rgb tree(Rgb colour, const Tree& t, double u, double v, double pixel) {
    const double aspect = double(photoWidth) / photoHeight;
    const double base = middleHill(t.u) + 0.012;
    const double trunkHeight = 0.035 * t.size;
    const double trunkHalf = 0.0028 * t.size;
    const double x = (u - t.u) * aspect; // in picture heights
    const double y = v - base;
    if (std::abs(x) < trunkHalf && y < 0 && y > -trunkHeight - 0.01) {
        colour = mix(colour, Rgb{92, 64, 40}, 1.0);
    }
    double inside;
    double cx = 0, cy = -trunkHeight - 0.030 * t.size;
    if (t.slender) {
        const double rx = 0.016 * t.size, ry = 0.055 * t.size;
        cy = -trunkHeight - ry * 0.75;
        const double q = std::sqrt((x / rx) * (x / rx) + ((y - cy) / ry) * ((y - cy) / ry));
        inside = 1 - smoothstep(1 - pixel / rx, 1 + pixel / rx, q);
    } else {
        const double r = 0.034 * t.size;
        const double wobble = 1 + 0.08 * (fbm(x * 40 + t.u * 90, y * 40, 23, 3) - 0.5);
        const double q = std::sqrt(x * x + (y - cy) * (y - cy)) / (r * wobble);
        inside = 1 - smoothstep(1 - pixel / r, 1 + pixel / r, q);
    }
    if (inside <= 0) {
        return colour;
    }
    // Light from the upper left, where the sun stands.
    const double light = clamp01(0.55 - (x - cx) * 9 - (y - cy) * 7);
    Rgb leaves = mix(Rgb{34, 92, 46}, Rgb{110, 170, 70}, light);
    leaves = scaled(leaves, 1 + 0.25 * (fbm(x * 160, y * 160, 31, 3) - 0.5));
    return mix(colour, leaves, inside);
}

Rgb landscape(int px, int py) {
    const double u = (px + 0.5) / photoWidth;
    const double v = (py + 0.5) / photoHeight;
    const double pixel = 1.0 / photoHeight;
    Rgb colour = sky(u, v);

    const double far = farHill(u);
    const Rgb farColour = mix(Rgb{128, 166, 170}, Rgb{250, 226, 178}, 0.25);
    colour = mix(colour, grass(farColour, Rgb{96, 140, 140}, (v - far) * 8, u, v, 41, 30),
                 smoothstep(far - pixel, far + pixel, v));

    const double middle = middleHill(u);
    colour = mix(colour, grass(Rgb{118, 176, 84}, Rgb{60, 128, 66}, (v - middle) * 7, u, v, 43, 60),
                 smoothstep(middle - pixel, middle + pixel, v));
    for (const Tree& t : trees) {
        colour = tree(colour, t, u, v, pixel);
    }

    const double near = nearHill(u);
    const double onNear = smoothstep(near - pixel, near + pixel, v);
    if (onNear > 0) {
        Rgb field = grass(Rgb{150, 204, 84}, Rgb{70, 142, 48}, (v - near) * 4, u, v, 47, 90);
        // A sandy path that winds down towards the viewer.
        const double depth = clamp01((v - near) / (1 - near));
        const double centre = 0.47 + 0.10 * std::sin(depth * 4.2 - 0.6) + 0.03 * depth;
        const double half = 0.004 + 0.085 * depth * depth + 0.02 * depth;
        const double dx = std::abs(u - centre) * photoWidth / photoHeight;
        const double onPath = 1 - smoothstep(half - pixel, half + pixel, dx);
        const Rgb sand = scaled(mix(Rgb{236, 214, 166}, Rgb{206, 178, 128}, depth),
                                1 + 0.12 * (fbm(u * 200, v * 200, 53, 3) - 0.5));
        field = mix(field, sand, onPath);
        // Flowers in the grass: one chance per small cell, none on the path.
        const double cell = 12.0;
        const int cx = static_cast<int>(px / cell);
        const int cy = static_cast<int>(py / cell);
        if (hash(cx, cy, 61) < 0.16 && v > near + 0.02 && onPath < 0.01) {
            const double fx = (cx + 0.2 + 0.6 * hash(cx, cy, 62)) * cell;
            const double fy = (cy + 0.2 + 0.6 * hash(cx, cy, 63)) * cell;
            const double r = 1.2 + 2.2 * depth;
            const double d = std::hypot(px + 0.5 - fx, py + 0.5 - fy);
            static const Rgb petals[] = {
                {238, 70, 60}, {250, 214, 60}, {250, 250, 246}, {200, 120, 220}};
            const Rgb petal = petals[static_cast<int>(hash(cx, cy, 64) * 4) % 4];
            field = mix(field, petal, 1 - smoothstep(r - 0.7, r + 0.7, d));
        }
        colour = mix(colour, field, onNear);
    }
    return colour;
}

QImage photo() {
    QImage image(photoWidth, photoHeight, QImage::Format_RGB32);
    for (int y = 0; y < photoHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < photoWidth; ++x) {
            const Rgb c = landscape(x, y);
            row[x] = qRgb(static_cast<int>(std::lround(std::clamp(c.r, 0.0, 255.0))),
                          static_cast<int>(std::lround(std::clamp(c.g, 0.0, 255.0))),
                          static_cast<int>(std::lround(std::clamp(c.b, 0.0, 255.0))));
        }
    }
    return image;
}

// --- The logo ---------------------------------------------------------------

constexpr int logoWidth = 442;
constexpr int logoHeight = 130;
constexpr int logoScale = 4;

constexpr Colour darkBlue = rgbColour(34, 17, 159);

QImage averagedDown(const QImage& big, int factor) {
    QImage small(big.width() / factor, big.height() / factor, QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < factor; ++j) {
                const QRgb* row = reinterpret_cast<const QRgb*>(big.constScanLine(y * factor + j));
                for (int i = 0; i < factor; ++i) {
                    const QRgb p = row[x * factor + i];
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            const int n = factor * factor;
            small.setPixel(x, y, qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
        }
    }
    return small;
}

QImage logo() {
    constexpr int s = logoScale;
    ImageSurface surface(logoWidth * s, logoHeight * s);
    Canvas& c = surface.canvas();
    c.setBrushColour(colours::white);
    c.fillRect({0, 0, logoWidth * s, logoHeight * s});

    // The emblem: a central topic with six branches, each ending in a
    // coloured leaf, as on a map a pupil draws.
    const Point centre{64 * s, 65 * s};
    struct Branch {
        double angle; // degrees, counter-clockwise from the right
        Colour colour;
    };
    const Branch branches[] = {
        {28, rgbColour(232, 64, 56)},   {90, rgbColour(246, 156, 40)},
        {152, rgbColour(238, 204, 51)}, {208, rgbColour(76, 170, 72)},
        {270, rgbColour(52, 146, 222)}, {332, rgbColour(150, 88, 204)},
    };
    for (const Branch& b : branches) {
        const double a = b.angle * std::numbers::pi / 180;
        const double reach = 50.0 * s;
        auto at = [&](double r, double bend) {
            const double t = a + bend;
            return Point{centre.x + static_cast<std::int32_t>(std::lround(r * std::cos(t))),
                         centre.y - static_cast<std::int32_t>(std::lround(r * std::sin(t)))};
        };
        c.setPen({b.colour, 7 * s, PenStyle::Solid, PenMode::Copy});
        c.polyBezier({at(0, 0), at(reach * 0.35, 0.25), at(reach * 0.7, -0.2), at(reach, 0)});
        const Point end = at(reach + 4 * s, 0);
        c.setPen({b.colour, 1, PenStyle::Solid, PenMode::Copy});
        c.setBrushColour(b.colour);
        c.ellipse(end.x - 10 * s, end.y - 10 * s, end.x + 10 * s, end.y + 10 * s);
        c.setBrushColour(colours::white);
        c.setPen({colours::white, 1, PenStyle::Clear, PenMode::Copy});
        c.ellipse(end.x - 4 * s, end.y - 6 * s, end.x + 1 * s, end.y - 1 * s);
    }
    c.setPen({darkBlue, 1, PenStyle::Solid, PenMode::Copy});
    c.setBrushColour(darkBlue);
    c.ellipse(centre.x - 24 * s, centre.y - 17 * s, centre.x + 24 * s, centre.y + 17 * s);
    c.setBrushColour(rgbColour(238, 204, 51));
    c.setPen({rgbColour(238, 204, 51), 1, PenStyle::Solid, PenMode::Copy});
    c.ellipse(centre.x - 9 * s, centre.y - 9 * s, centre.x + 9 * s, centre.y + 9 * s);

    // The name, with a gold underline, and what it is for.
    Font name;
    name.name = QStringLiteral("Comic Sans MS");
    name.style = Font::Bold;
    name.height = -62 * s;
    name.colour = darkBlue;
    c.setFont(name);
    c.setTextBackground(TextBackground::Transparent);
    const int textLeft = 138 * s;
    c.textOut(textLeft, 4 * s, QStringLiteral("Kivora"));
    const int nameWidth = c.textWidth(QStringLiteral("Kivora"));
    c.setPen({rgbColour(238, 204, 51), 5 * s, PenStyle::Solid, PenMode::Copy});
    c.moveTo(textLeft + 4 * s, 86 * s);
    c.lineTo(textLeft + nameWidth - 4 * s, 86 * s);

    Font motto = name;
    motto.style = 0;
    motto.height = -19 * s;
    motto.colour = rgbColour(70, 70, 120);
    c.setFont(motto);
    c.setTextBackground(TextBackground::Transparent);
    c.textOut(textLeft + 2 * s, 94 * s, QStringLiteral("mindmaps voor school"));

    return averagedDown(surface.image(), s);
}

bool save(const QImage& image, const QString& fileName, int quality) {
    try {
        QFile file(fileName);
        const QByteArray bytes = jpegBytes(image, quality);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "kan %s niet schrijven\n", qPrintable(fileName));
            return false;
        }
        std::printf("%s: %dx%d, %lld bytes\n", qPrintable(fileName), image.width(), image.height(),
                    static_cast<long long>(bytes.size()));
        return true;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(fileName), e.what());
        return false;
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "gebruik: kivora-startpictures MAP\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool ok = save(photo(), folder.filePath(QStringLiteral("achtergrond.jpg")), 90) &&
                    save(logo(), folder.filePath(QStringLiteral("logo.jpg")), 92);
    return ok ? 0 : 1;
}
