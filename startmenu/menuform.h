#pragma once

#include "platform/canvas.h"
#include "platform/colour.h"
#include "platform/geometry.h"

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <set>

class ImageSurface;

namespace menucolours {
constexpr Colour gold = 0x33CCEE;
constexpr Colour darkblue = 0x9F1122;
} // namespace menucolours

// The symbol inside a badge.
enum class badgesymbol { none, circle, triangle, square };

// The start window, the program's main window: the picture in a golden frame
// on dark blue, the title, four badges and the buttons "info", "Help" and
// "Hoofd-menu". A click on the main-menu button, outside the buttons or any
// character key hands over to the map editor; when the editor closes, this
// window closes and the program ends. On its first activation it reads the
// command line (commandline.h).
class Tmenuform : public QWidget {
    Q_OBJECT
public:
    explicit Tmenuform(QWidget* parent = nullptr);
    ~Tmenuform() override;

    // Creates the map editor owned by the given window, shows it modally and
    // returns when it has closed (the program wires it to the editor).
    std::function<void(QWidget& owner)> editorStarter;
    // The parameters read on activation: the program's real command line.
    QStringList commandline;

    struct tmenubutton {
        Rect rect;     // the button square; empty when it is not shown
        Rect iconrect; // the square of its icon
    };
    static constexpr int nobutton = -1;

    QImage photo;
    QImage logo;
    // Everything but the badges, for the last client size.
    std::unique_ptr<ImageSurface> background;
    QImage iconbitmap;
    double xscale = 1;
    double yscale = 1;
    std::int32_t unitsize = 0;
    std::int32_t titlewidth = 0;
    std::int32_t buttonareawidth = 0;
    std::set<int> visiblebuttons;
    // Button number n at index n - 1.
    std::array<tmenubutton, 5> buttons{};
    // 100 + the number of the button under the last press and release, or -1.
    int pressedbutton = nobutton;
    int releasedbutton = nobutton;

    void prepareform();
    void loadjpegfromexe();
    void prepareplot();
    void tekenkromme(Canvas& canvas);
    void tekenster2(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t radius,
                    Colour inner, Colour outer, badgesymbol symbol);
    void startmindmap();

    void FormActivate();
    void FormPaint();
    void FormResize();
    void FormMouseDown(QPoint at);
    void FormMouseUp(QPoint at);
    void FormKeyPress(const QString& text);
    void FormClose();

    // The "Help" button's page: the contents of the help pages.
    static void helpcontents();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    int buttonat(QPoint at) const;

    // The next paint builds the background anew, whatever its size.
    bool m_plotstale = true;
    bool m_commandlineread = false;
    bool m_editorstarted = false;
};
