#include "menuform.h"

#include "aboutbox.h"
#include "commandline.h"

#include "env/help.h"
#include "platform/arith.h"
#include "platform/font.h"
#include "platform/imagesurface.h"
#include "platform/picturefile.h"
#include "platform/shell.h"
#include "platform/ui/application.h"
#include "resources/startmenu/startmenupictures.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <cmath>
#include <numbers>

namespace {

using namespace menucolours;

const QString title = QStringLiteral("Kivora 2007");
constexpr std::int32_t cornerradius = 42;

struct buttoninfo {
    const char* icon; // bitmap resource, none for the main-menu button
    const char* caption;
};

// Buttons 1 to 5.
constexpr buttoninfo buttontable[5] = {
    {"INFO", "info"},  {"VRAG", "Help"},    {"PROFIEL", "Profiel"},
    {nullptr, "menu"}, {"STOPPEN", "Stop"},
};

std::int32_t roundhalfeven(double value) {
    return roundToInt32(extended(value));
}

Font fontwith(const Font& base, std::int32_t style, std::int32_t points) {
    Font font = base;
    font.style = style;
    font.setSize(points);
    return font;
}

// Where the quarter circle stands at a corner point of the frame.
enum class quarter { topleft, topright, bottomright, bottomleft };

// The quarter of the circle inscribed in the 84-pixel square at a corner,
// drawn counter-clockwise from one end to the other.
void quarterarc(Canvas& c, Point p, quarter q) {
    const std::int32_t d = 2 * cornerradius;
    const std::int32_t r = cornerradius;
    switch (q) {
    case quarter::topleft:
        c.arc(p.x, p.y, p.x + d, p.y + d, p.x + r, p.y, p.x, p.y + r);
        break;
    case quarter::topright:
        c.arc(p.x - d, p.y, p.x, p.y + d, p.x, p.y + r, p.x - r, p.y);
        break;
    case quarter::bottomright:
        c.arc(p.x - d, p.y - d, p.x, p.y, p.x - r, p.y, p.x, p.y - r);
        break;
    case quarter::bottomleft:
        c.arc(p.x, p.y - d, p.x + d, p.y, p.x, p.y - r, p.x + r, p.y);
        break;
    }
}

int sign(std::int32_t v) {
    return (v > 0) - (v < 0);
}

// The end of a corner's quarter circle on the side towards another corner.
Point towards(Point from, Point to) {
    return {from.x + sign(to.x - from.x) * cornerradius,
            from.y + sign(to.y - from.y) * cornerradius};
}

bool contains(const Rect& r, QPoint at) {
    return r.right > r.left && r.bottom > r.top && at.x() >= r.left && at.x() <= r.right &&
           at.y() >= r.top && at.y() <= r.bottom;
}

} // namespace

Tmenuform::Tmenuform(QWidget* parent)
    : QWidget(parent) {
    FormCreate();
}

Tmenuform::~Tmenuform() = default;

void Tmenuform::FormCreate() {
    commandline = QCoreApplication::arguments().mid(1);
    Font font;
    font.name = QStringLiteral("Comic Sans MS");
    font.setSize(8);
    setFont(toQFont(font));
    QPalette ground = palette();
    ground.setColor(QPalette::Window, toQColor(colours::buttonFace));
    setPalette(ground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);

    loadjpegfromexe();
    prepareform();
    setWindowTitle(QStringLiteral("Kivora"));
    setWindowState(Qt::WindowMaximized);
}

void Tmenuform::loadjpegfromexe() {
    photo = decodeJpeg(startmenuresource(QStringLiteral("1")));
    logo = decodeJpeg(startmenuresource(QStringLiteral("2")));
    background = std::make_unique<ImageSurface>();
    Font font = background->canvas().font();
    font.name = QStringLiteral("Comic Sans MS");
    background->canvas().setFont(font);
}

void Tmenuform::prepareform() {
    // Sizing the background to the outer window would make it differ from
    // the client area, but without a window frame the two are equal; so the
    // next paint is told outright to build it anew.
    m_plotstale = true;
    visiblebuttons = {1, 2, 4};
}

void Tmenuform::prepareplot() {
    if (!background) {
        return;
    }
    const std::int32_t w = width();
    const std::int32_t h = height();
    background->resize(w, h);
    Canvas& c = background->canvas();
    if (photo.isNull()) {
        c.setBrushColour(colours::buttonFace);
        c.fillRect({0, 0, w, h});
    } else {
        c.stretchDraw({0, 0, w, h}, photo);
    }
    tekenkromme(c);

    c.setFont(fontwith(c.font(), Font::Bold, roundhalfeven(40 * xscale)));
    c.setTextBackground(TextBackground::Transparent);
    const std::int32_t u = unitsize;
    const std::int32_t textheight = c.textHeight(QStringLiteral("H"));
    c.setFontColour(colours::black);
    c.textOut(u + 3, (5 * u) / 2 - textheight + 3, title);
    c.setFontColour(colours::white);
    c.textOut(u, (5 * u) / 2 - textheight, title);
    m_plotstale = false;
}

void Tmenuform::tekenkromme(Canvas& c) {
    const std::int32_t W = width();
    const std::int32_t H = height();
    yscale = H / 768.0;
    xscale = W / 1024.0;
    const std::int32_t u = W / 20;
    unitsize = u;
    const std::int32_t T = (7 * u) / 2; // depth of the title band
    const std::int32_t o = (3 * u) / 2; // height of the bottom strip
    const std::int32_t bw = (5 * u) / 4;
    const std::int32_t gap = u / 3;

    c.setFont(fontwith(c.font(), Font::Bold, roundhalfeven(40 * xscale)));
    titlewidth = c.textWidth(title) + u + 2 * gap;
    const auto n = static_cast<std::int32_t>(visiblebuttons.size());
    buttonareawidth = u + n * (bw + gap) + gap;

    c.setPen({gold, 2 * roundhalfeven(6 * xscale) + 1, PenStyle::Solid, PenMode::Copy});
    c.setBrushColour(darkblue);
    const Point corners[8] = {
        {u / 2, T},
        {titlewidth, T},
        {titlewidth, u},
        {W - u / 2, u},
        {W - u / 2, H - 3 * u - o},
        {W - buttonareawidth, H - 3 * u - o},
        {W - buttonareawidth, H - u - o},
        {u / 2, H - u - o},
    };
    const quarter quarters[8] = {quarter::topleft,     quarter::bottomright, quarter::topleft,
                                 quarter::topright,    quarter::bottomright, quarter::topleft,
                                 quarter::bottomright, quarter::bottomleft};
    for (int i = 0; i < 8; ++i) {
        const Point here = corners[i];
        const Point next = corners[(i + 1) % 8];
        quarterarc(c, here, quarters[i]);
        const Point from = towards(here, next);
        const Point to = towards(next, here);
        c.moveTo(from.x, from.y);
        c.lineTo(to.x, to.y);
    }
    c.floodFill(1, 1, gold);

    c.setBrushColour(colours::white);
    c.setPen({gold, 2 * roundhalfeven(4 * xscale) + 1, PenStyle::Solid, PenMode::Copy});
    c.setFont(fontwith(c.font(), 0, roundhalfeven(10 * xscale)));
    c.setFontColour(darkblue);
    // Captions stand at least one line below the top of the buttons, the top
    // of this layout: one left over from a larger window would push them out
    // of their buttons.
    const std::int32_t rowtop = visiblebuttons.contains(1) ? H - u - o - bw : 0;
    const std::int32_t s = c.textHeight(QStringLiteral("S")) + rowtop;

    std::int32_t X = W - u;
    for (int i = 5; i >= 1; --i) {
        tmenubutton& button = buttons[static_cast<std::size_t>(i - 1)];
        if (!visiblebuttons.contains(i)) {
            button.rect = {};
            button.iconrect = {};
            continue;
        }
        const Rect r{X - bw, H - u - o - bw, X, H - u - o};
        button.rect = r;
        c.roundRect(r.left, r.top, r.right, r.bottom, 10, 10);
        c.roundRect(r.left, r.top, r.right, r.bottom, 10, 10);

        const std::int32_t cx = (r.left + r.right) / 2;
        const std::int32_t cy = (r.top + r.bottom - c.textHeight(QStringLiteral("s"))) / 2;
        button.iconrect = {cx - 11, cy - 11, cx + 11, cy + 11};
        const buttoninfo& info = buttontable[i - 1];
        if (info.icon) {
            // None of the icon bitmaps is shipped; a missing one leaves the square white.
            iconbitmap = QImage::fromData(startmenuresource(QString::fromLatin1(info.icon)));
            if (!iconbitmap.isNull()) {
                c.stretchDraw(button.iconrect, iconbitmap);
            }
        }

        const std::int32_t hh = c.textHeight(QStringLiteral("h"));
        auto centred = [&](const QString& text) {
            return (r.left + r.right - c.textWidth(text)) / 2;
        };
        if (i == 4) {
            const QString top = QStringLiteral("Hoofd-");
            c.textOut(centred(top), r.bottom - (5 * hh) / 2, top);
        }
        const QString caption = QString::fromLatin1(info.caption);
        c.textOut(centred(caption), std::max(r.bottom - (3 * hh) / 2, s), caption);
        X = X - bw - gap;
    }

    if (o > 0) {
        c.setBrushColour(colours::white);
        c.fillRect({0, H - o, W, H});
        if (!logo.isNull()) {
            c.stretchDraw({roundhalfeven(741 * xscale), roundhalfeven(700 * yscale),
                           roundhalfeven(962 * xscale), roundhalfeven(765 * yscale)},
                          logo);
        }
    }
    c.setPenWidth(1);
}

void Tmenuform::tekenster2(Canvas& c, std::int32_t x, std::int32_t y, std::int32_t radius,
                           Colour inner, Colour outer, badgesymbol symbol) {
    const std::int32_t a = radius;
    // (across, along) on arm k, at (2k + 3) * pi / 6 with y growing downwards.
    auto onarm = [&](int k, std::int32_t across, std::int32_t along) {
        const extended angle = (2 * k + 3) * std::numbers::pi_v<extended> / 6;
        const extended cs = std::cos(angle);
        const extended sn = std::sin(angle);
        return Point{roundToInt32(x + along * cs + across * sn),
                     roundToInt32(y + along * sn - across * cs)};
    };
    auto shape = [&](std::int32_t shorter) {
        std::vector<Point> points;
        points.reserve(30);
        for (int k = 0; k < 6; ++k) {
            points.push_back(onarm(k, 12, a - shorter));
            points.push_back(onarm(k, 3, a - 3 - shorter));
            points.push_back(onarm(k, 0, a - 8 - shorter));
            points.push_back(onarm(k, -3, a - 3 - shorter));
            points.push_back(onarm(k, -12, a - shorter));
        }
        return points;
    };

    c.setPen({outer, 1, PenStyle::Solid, PenMode::Copy});
    c.setBrushColour(outer);
    c.polygon(shape(0));
    c.setBrushColour(inner);
    c.polygon(shape(15));

    c.setPenWidth(2);
    c.setBrushStyle(BrushStyle::Clear);
    switch (symbol) {
    case badgesymbol::none:
        break;
    case badgesymbol::circle:
        c.ellipse(x - a / 2, y - a / 2, x + a / 2, y + a / 2);
        break;
    case badgesymbol::triangle:
        c.polygon(
            {{x - a / 3, y - (2 * a) / 3}, {x + (2 * a) / 3, y}, {x - a / 3, y + (2 * a) / 3}});
        break;
    case badgesymbol::square:
        c.rectangle(x - a / 2, y - a / 2, x + a / 2, y + a / 2);
        break;
    }
    c.setPenWidth(1);
    c.setBrushStyle(BrushStyle::Solid);
}

void Tmenuform::FormPaint() {
    PainterCanvas canvas(static_cast<QPaintDevice*>(this));
    if (!background) {
        canvas.setBrushColour(colours::buttonFace);
        canvas.fillRect({0, 0, width(), height()});
        return;
    }
    if (m_plotstale || background->width() != width() || background->height() != height()) {
        prepareplot();
    }
    canvas.draw(0, 0, background->image());

    const std::int32_t u = unitsize;
    const std::int32_t a = (3 * u) / 2;
    const std::int32_t T = (7 * u) / 2;
    const std::int32_t q = (background->height() - T) / 5;
    tekenster2(canvas, 10 * u, u + 2 * q, a, gold, darkblue, badgesymbol::none);
    tekenster2(canvas, 10 * u, u + 4 * q, a, gold, darkblue, badgesymbol::circle);
    tekenster2(canvas, 15 * u, u + q, a, gold, darkblue, badgesymbol::triangle);
    tekenster2(canvas, 15 * u, u + 3 * q, a, gold, darkblue, badgesymbol::square);
}

void Tmenuform::FormResize() {
    prepareform();
    update();
}

int Tmenuform::buttonat(QPoint at) const {
    for (int i = 1; i <= 5; ++i) {
        if (visiblebuttons.contains(i) &&
            contains(buttons[static_cast<std::size_t>(i - 1)].rect, at)) {
            return 100 + i;
        }
    }
    return nobutton;
}

void Tmenuform::FormMouseDown(QPoint at) {
    pressedbutton = buttonat(at);
}

void Tmenuform::FormMouseUp(QPoint at) {
    releasedbutton = buttonat(at);
    if (releasedbutton == nobutton) {
        startmindmap();
        return;
    }
    if (releasedbutton != pressedbutton) {
        return;
    }
    switch (releasedbutton) {
    case 101:
        openaboutbox(this);
        break;
    case 102:
        helpcontents();
        break;
    case 104:
        startmindmap();
        break;
    default:
        break;
    }
}

void Tmenuform::FormKeyPress(const QString& text) {
    if (!text.isEmpty()) {
        startmindmap();
    }
}

void Tmenuform::helpcontents() {
    shellopen(helpaddress(QStringLiteral("inhoud")));
}

void Tmenuform::startmindmap() {
    // A second press or key that was already queued must not start a second editor.
    if (m_editorstarted) {
        return;
    }
    m_editorstarted = true;
    // The editor opens what the command line names, also when the window
    // manager never activated this window.
    FormActivate();
    photo = QImage();
    logo = QImage();
    hide();
    try {
        if (editorStarter) {
            editorStarter(*this);
        }
    } catch (...) {
        Application::showException(std::current_exception());
    }
    close();
}

void Tmenuform::FormActivate() {
    if (m_commandlineread) {
        return;
    }
    m_commandlineread = true;
    const QScreen* where = screen();
    leesopdrachtregel(commandline, where ? where->geometry().size() : QSize(1024, 768));
}

void Tmenuform::FormClose() {
    background.reset();
    iconbitmap = QImage();
}

bool Tmenuform::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QWidget::event(event);
}

void Tmenuform::paintEvent(QPaintEvent*) {
    FormPaint();
}

void Tmenuform::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void Tmenuform::mousePressEvent(QMouseEvent* event) {
    FormMouseDown(event->position().toPoint());
}

void Tmenuform::mouseReleaseEvent(QMouseEvent* event) {
    FormMouseUp(event->position().toPoint());
}

void Tmenuform::keyPressEvent(QKeyEvent* event) {
    FormKeyPress(event->text());
}

// Closing the start window ends the program. Qt's own rule (the last
// visible window closes) misses it, since the editor hid it first.
void Tmenuform::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}
