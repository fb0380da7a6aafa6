#include "mindmanagerform.h"

#include "filedialogs.h"
#include "mapview.h"

#include "env/dialogs.h"
#include "env/startup.h"
#include "model/modelstate.h"
#include "model/tmindmap.h"
#include "platform/arith.h"
#include "platform/canvas.h"
#include "resources/icons/iconpictures.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr std::size_t maxUndo = 50;

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

// round(100 / zoom x v) in extended precision.
std::int32_t toMapUnits(std::int32_t zoom, std::int32_t v) {
    return roundToInt32(100.0L / zoom * v);
}

} // namespace

Tmindmanagerform::Tmindmanagerform(QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kivora"));
    setObjectName(QStringLiteral("mindmanagerform"));

    QMenu* bestand = menuBar()->addMenu(QStringLiteral("&Bestand"));
    auto command = [this](QMenu* menu, const char* name, const QString& caption, auto handler,
                          QKeySequence shortcut = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    command(bestand, "Nieuw1", QStringLiteral("&Nieuw"), &Tmindmanagerform::Nieuw1Click,
            QKeySequence::New);
    command(bestand, "Open1", QStringLiteral("&Open"), &Tmindmanagerform::Open1Click,
            QKeySequence::Open);
    QAction* bewaar = command(bestand, "Bewaar1", QStringLiteral("&Bewaar"),
                              &Tmindmanagerform::Bewaar1Click, QKeySequence::Save);
    QAction* bewaarAls = command(bestand, "Bewaarals1", QStringLiteral("Bewaar &als"),
                                 &Tmindmanagerform::Bewaarals1Click, QKeySequence::SaveAs);
    QAction* sluiten = command(bestand, "Sluiten1", QStringLiteral("&Sluit Mindmap"),
                               &Tmindmanagerform::Sluiten1Click, QKeySequence::Close);
    bestand->addSeparator();
    m_hoofdmenu = command(bestand, "Hoofdmenu1", QStringLiteral("&Hoofdmenu"),
                          &Tmindmanagerform::Hoofdmenu1Click);

    QToolBar* bar = addToolBar(QStringLiteral("Werkbalk"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    auto button = [&](const char* name, const QString& hint, QStyle::StandardPixmap icon,
                      auto handler) {
        QAction* a = bar->addAction(style()->standardIcon(icon), hint);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    button("BitBtn6", QStringLiteral("Nieuwe mindmap"), QStyle::SP_FileIcon,
           &Tmindmanagerform::Nieuw1Click);
    button("BitBtn7", QStringLiteral("Openen mindmap"), QStyle::SP_DialogOpenButton,
           &Tmindmanagerform::BitBtn7Click);
    QAction* opslaan = button("BitBtn8", QStringLiteral("Opslaan mindmap"),
                              QStyle::SP_DialogSaveButton, &Tmindmanagerform::Bewaar1Click);
    bar->addSeparator();
    m_zoom = new QComboBox(bar);
    m_zoom->setObjectName(QStringLiteral("ComboBox1"));
    m_zoom->setEditable(true);
    m_zoom->setInsertPolicy(QComboBox::NoInsert);
    m_zoom->addItems({QStringLiteral("25"), QStringLiteral("50"), QStringLiteral("75"),
                      QStringLiteral("95"), QStringLiteral("100"), QStringLiteral("200"),
                      QStringLiteral("300"), QStringLiteral("400")});
    m_zoom->setEditText(QStringLiteral("100"));
    m_zoom->setToolTip(QStringLiteral("Zoom in procenten"));
    m_zoom->setMinimumContentsLength(4);
    m_zoom->installEventFilter(this);
    m_zoom->lineEdit()->installEventFilter(this);
    connect(m_zoom, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    bar->addWidget(m_zoom);
    QAction* centreer = button("SpeedButton18", QStringLiteral("Centreer Mindmap"),
                               QStyle::SP_DesktopIcon, &Tmindmanagerform::SpeedButton18Click);
    m_undo = button("SpeedButton19", QStringLiteral("Undo"), QStyle::SP_ArrowBack,
                    &Tmindmanagerform::SpeedButton19Click);
    m_undo->setShortcut(QKeySequence::Undo);
    bar->addSeparator();
    button("okbtn", QStringLiteral("Sluiten"), QStyle::SP_DialogCloseButton,
           &Tmindmanagerform::okbtnClick);
    m_mapCommands = {bewaar, bewaarAls, sluiten, opslaan, centreer};

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(central);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setExpanding(false);
    m_tabs->setDocumentMode(true);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int) {
        TabControl1Changing();
        TabControl1Change();
    });
    m_scroll = new MapScrollArea(central);
    m_scroll->setObjectName(QStringLiteral("ScrollBox1"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->onPaint = [this] { PaintBox1Paint(); };
    m_scroll->onResize = [this] { FormResize(); };
    layout->addWidget(m_tabs);
    layout->addWidget(m_scroll, 1);
    setCentralWidget(central);

    // FormCreate
    dragging = false;
    modelState().currentMap = nullptr;
    downX = downY = -100;
    loadIconPictures(modelState().iconButtons);
    scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    scrollBarHeight = scrollBarWidth;
    const int screenWidth = screenSize().width();
    memoMaxWidth = screenWidth <= 800 ? screenWidth / 3 : screenWidth / 4;
    tmodelstate& state = modelState();
    state.scrollBox = m_scroll;
    state.titleFont = state.topicFont = state.keywordFont = Font{};
    state.titleFont.height = -19;
    state.topicFont.height = -16;
    state.keywordFont.height = -13;
    m_scroll->hide();
    updateCommands();
    // Without a window manager to maximise it, the window still fills the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        resize(screen->availableGeometry().size());
    }
}

Tmindmanagerform::~Tmindmanagerform() {
    tmodelstate& state = modelState();
    state.undoList.clear();
    state.currentMap = nullptr;
    if (state.scrollBox == m_scroll) {
        state.scrollBox = nullptr;
    }
}

void Tmindmanagerform::prepareform() {}

void Tmindmanagerform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_opened) {
        return;
    }
    m_opened = true;
    // A map named on the command line opens once the window has its size,
    // so that fitting it uses the real view.
    QTimer::singleShot(0, this, [this] {
        tprogramvalues& values = programValues();
        if (!values.mapFileToOpen.isEmpty()) {
            const QString file = values.mapFileToOpen;
            values.mapFileToOpen.clear();
            openenmindmap(file, true);
        }
    });
}

tmindmap* Tmindmanagerform::current() const {
    return modelState().currentMap;
}

int Tmindmanagerform::currentIndex() const {
    for (std::size_t i = 0; i < m_maps.size(); ++i) {
        if (m_maps[i].get() == current()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QString Tmindmanagerform::tabCaption(const QString& fileName) {
    QString caption = QFileInfo(fileName).fileName();
    const qsizetype dot = caption.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        caption.truncate(dot);
    }
    return caption;
}

void Tmindmanagerform::addTab(std::unique_ptr<tmindmap> map, const QString& caption) {
    m_maps.push_back(std::move(map));
    const QSignalBlocker quiet(m_tabs);
    m_tabs->addTab(caption);
    m_tabs->setCurrentIndex(m_tabs->count() - 1);
    m_shownTab = m_tabs->currentIndex();
}

void Tmindmanagerform::selectTab(int index) {
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(index);
    m_shownTab = index;
}

void Tmindmanagerform::updateCommands() {
    const bool any = current() != nullptr;
    for (QAction* a : m_mapCommands) {
        a->setEnabled(any);
    }
    m_zoom->setEnabled(any);
    m_undo->setEnabled(!modelState().undoList.empty());
}

void Tmindmanagerform::showPaintSize() {
    tmindmap* m = current();
    m_scroll->setPaintSize(m->paintWidth, m->paintHeight);
    m_scroll->setHorizontalRange(m->paintWidth);
    m_scroll->setVerticalRange(m->paintHeight);
}

void Tmindmanagerform::storeScrollPosition() {
    if (tmindmap* m = current()) {
        const Point p = m_scroll->scrollPosition();
        m->viewLeft = p.x;
        m->viewTop = p.y;
    }
}

// --- maps --------------------------------------------------------------------

void Tmindmanagerform::nieuwemap() {
    cleanundo();
    storeScrollPosition();
    auto created = std::make_unique<tmindmap>();
    tmindmap* m = created.get();
    modelState().currentMap = m;
    m->paintBox = m_scroll;
    const int n = m_tabs->count() + 1;
    m->fileName = QStringLiteral("Mindmap%1").arg(n);
    addTab(std::move(created), m->fileName);
    m_scroll->show();

    const QSize screen = screenSize();
    m->zoom = 100;
    m->width = 3 * screen.width();
    m->height = 3 * screen.height();
    zetschaal();

    tlink& root = *m->root;
    root.font = Font{};
    root.font.setSize(12);
    root.lines.append(QString::number(n));
    root.left = root.right = m->width / 2;
    root.top = root.bottom = m->height / 2;
    root.layoutDirty = true;
    root.textDirty = true;
    root.measure();
    m->updateExtents();
    m->centreX = m->width / 2;
    m->centreY = m->height / 2;

    showPaintSize();
    const QSize client = m_scroll->viewport()->size();
    m_scroll->scrollTo((m->paintWidth - client.width()) / 2,
                       (m->paintHeight - client.height()) / 2);
    const Point p = m_scroll->scrollPosition();
    m->viewLeft = p.x;
    m->viewTop = p.y;

    m_zoom->setEditText(QStringLiteral("100"));
    tekenen();
    m->fitCanvas();
    for (int i = 0; i < 2; ++i) {
        root.addChild();
        maaknieuwetekening(m->selected);
    }
    maakactive(m->root.get());
    updateCommands();
}

void Tmindmanagerform::openenmindmap(const QString& fileName, bool fit) {
    std::unique_ptr<tmindmap> loaded = tmindmap::load(fileName); // raises: nothing changed
    storeScrollPosition();
    modelState().currentMap = loaded.get();
    const QString caption = tabCaption(loaded->fileName);
    addTab(std::move(loaded), caption);
    cleanundo();
    adapt(fit);
}

void Tmindmanagerform::adapt(bool fit) {
    tmindmap* m = current();
    m->paintBox = m_scroll;
    m_scroll->show();
    zetschaal();
    m->root->measure();
    veranderactivelink(m->root.get());
    for (const auto& main : m->root->children) {
        main->relayout();
    }
    m_zoom->setEditText(QString::number(m->zoom));
    showPaintSize();
    m_scroll->scrollTo(m->viewLeft, m->viewTop);
    if (fit) {
        fit_to_screen();
    }
    m->fitCanvas();
    updateCommands();
    tekenen();
}

bool Tmindmanagerform::changeto(const QString& fileName) {
    const QString wanted = fileName.toUpper();
    for (std::size_t i = 0; i < m_maps.size(); ++i) {
        if (m_maps[i]->fileName.toUpper() == wanted) {
            TabControl1Changing();
            selectTab(static_cast<int>(i));
            TabControl1Change();
            return true;
        }
    }
    return false;
}

// --- undo --------------------------------------------------------------------

void Tmindmanagerform::bewaarmindmap() {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    auto& undo = modelState().undoList;
    if (undo.size() >= maxUndo) {
        undo.erase(undo.begin());
    }
    undo.push_back(tmindmap::clone(*m));
    m_undo->setEnabled(true);
}

void Tmindmanagerform::cleanundo() {
    modelState().undoList.clear();
    if (m_undo) {
        m_undo->setEnabled(false);
    }
}

void Tmindmanagerform::SpeedButton19Click() {
    auto& undo = modelState().undoList;
    const int index = currentIndex();
    if (undo.empty() || index < 0) {
        return;
    }
    std::unique_ptr<tmindmap> snapshot = std::move(undo.back());
    undo.pop_back();
    tmindmap* m = snapshot.get();
    // The snapshot's file on disk may already hold what undo takes back.
    m->modified = true;
    m->paintBox = m_scroll;
    modelState().currentMap = m;
    m_maps[static_cast<std::size_t>(index)] = std::move(snapshot);
    showPaintSize();
    m_scroll->scrollTo(m->viewLeft, m->viewTop);
    m_zoom->setEditText(QString::number(m->zoom));
    updateCommands();
    tekenen();
}

// --- drawing -----------------------------------------------------------------

void Tmindmanagerform::tekenen() {
    const Point p = m_scroll->scrollPosition();
    drawScrollX = p.x;
    drawScrollY = p.y;
    m_scroll->viewport()->update();
}

void Tmindmanagerform::PaintBox1Paint() {
    if (current() == nullptr) {
        m_scroll->hide();
        return;
    }
    const Point p = m_scroll->scrollPosition();
    drawScrollX = p.x;
    drawScrollY = p.y;
    tekenen1(true);
}

void Tmindmanagerform::tekenen1(bool) {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    const std::int32_t x = toMapUnits(m->zoom, drawScrollX);
    const std::int32_t y = toMapUnits(m->zoom, drawScrollY);
    std::int32_t left = 0;
    std::int32_t top = 0;
    const bool content = m->prepareView(x, y, left, top);
    if (content) {
        m->drawAll(-left, -top);
    }
    PainterCanvas canvas(m_scroll->viewport());
    canvas.setBrushColour(colours::white);
    canvas.fillRect({0, 0, m_scroll->viewport()->width(), m_scroll->viewport()->height()});
    if (content) {
        const Rect target = m->targetRect.shifted(-drawScrollX, -drawScrollY);
        canvas.copyRect(target, modelState().drawingBitmap->image(), m->sourceRect);
    }
}

void Tmindmanagerform::maaknieuwetekening(tlink*) {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    tlink* b = m->selected;
    if (b != nullptr) {
        while (b->parent != nullptr && !b->parent->isRoot()) {
            b = b->parent;
        }
        b->relayout();
        if (b->isMain()) {
            m->resolveOverlaps(b);
        }
    } else {
        for (const auto& main : m->root->children) {
            m->resolveOverlaps(main.get());
        }
    }
    m->fitCanvas();
    tekenen();
}

void Tmindmanagerform::zetschaal() {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    m->clientWidth = m_scroll->width() - scrollBarWidth;
    m->clientHeight = m_scroll->height() - scrollBarHeight;
    m->viewWidth = toMapUnits(m->zoom, m->clientWidth);
    m->viewHeight = toMapUnits(m->zoom, m->clientHeight);
    m->updateScale();
    centreZone = 10000;
}

void Tmindmanagerform::FormResize() {
    if (current() != nullptr) {
        zetschaal();
        tekenen();
    }
}

// --- selection ---------------------------------------------------------------

void Tmindmanagerform::veranderactivelink(tlink* branch) {
    if (tmindmap* m = current()) {
        m->selected = branch;
    }
}

void Tmindmanagerform::maakactive(tlink* b) {
    tmindmap* m = current();
    if (m == nullptr || b == nullptr) {
        return;
    }
    b->hidden = false;
    if (b != m->selected) {
        veranderactivelink(b);
    }
    const std::int32_t left = roundToInt32(b->left * m->scaleX);
    const std::int32_t right = roundToInt32(b->right * m->scaleX);
    const std::int32_t top = roundToInt32(b->top * m->scaleY);
    const std::int32_t bottom = roundToInt32(b->bottom * m->scaleY);
    const Point pos = m_scroll->scrollPosition();
    const std::int32_t areaRight = pos.x + m_scroll->width() - scrollBarWidth;
    const std::int32_t areaBottom = pos.y + m_scroll->height() - scrollBarHeight;
    std::int32_t dy = 0;
    if (top < pos.y) {
        dy = top - pos.y;
    }
    if (bottom > areaBottom) {
        dy = bottom - areaBottom;
    }
    std::int32_t dx = 0;
    if (left < pos.x) {
        dx = left - pos.x;
    }
    if (right > areaRight) {
        dx = right - areaRight;
    }
    Point next = pos;
    if (dx != 0) {
        const std::int32_t x = pos.x + dx;
        if (x < 0 || x > m_scroll->horizontalRange()) {
            m->fitCanvas();
        } else {
            next.x = x;
        }
    }
    if (dy != 0) {
        const std::int32_t y = pos.y + dy;
        if (y < 0 || y > m_scroll->verticalRange()) {
            m->fitCanvas();
        } else {
            next.y = y;
        }
    }
    if (next.x != pos.x || next.y != pos.y) {
        m_scroll->scrollTo(next.x, next.y);
    }
}

// --- commands ----------------------------------------------------------------

void Tmindmanagerform::Nieuw1Click() {
    nieuwemap();
}

void Tmindmanagerform::BitBtn7Click() {
    if (const auto name = askMapToOpen(this, programValues().dataFolder)) {
        openenmindmap(*name, false);
    }
}

void Tmindmanagerform::Open1Click() {
    if (const auto name = askMapToOpen(this, programValues().dataFolder)) {
        openenmindmap(*name, false);
        SpeedButton18Click();
        m_scroll->setFocus();
    }
}

void Tmindmanagerform::Bewaar1Click() {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    if (!m->fileName.isEmpty() && m->fileName.back().toUpper() != QLatin1Char('T')) {
        m->save();
        return;
    }
    Bewaarals1Click();
}

void Tmindmanagerform::Bewaarals1Click() {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    const QString oldName = m->fileName.toUpper();
    const auto chosen = askMapToSave(this, programValues().dataFolder, m->fileName);
    if (!chosen) {
        return;
    }
    const QString previous = m->fileName;
    m->fileName = *chosen;
    try {
        m->save();
    } catch (...) {
        m->fileName = previous; // the map is not under the new name
        throw;
    }
    m_tabs->setTabText(currentIndex(), tabCaption(*chosen));
    // Links between open maps follow the rename.
    for (const auto& map : m_maps) {
        std::vector<tlink*> pending{map->root.get()};
        while (!pending.empty()) {
            tlink* b = pending.back();
            pending.pop_back();
            if (!b->mapLink.isEmpty() && b->mapLink.toUpper() == oldName) {
                b->mapLink = *chosen;
            }
            for (const auto& child : b->children) {
                pending.push_back(child.get());
            }
        }
    }
}

namespace {

// The name a modified map is saved under when it is closed: with ".brm" when
// it has no extension, else with its last letter made "m" (brt becomes brm).
void closingName(tmindmap& m, const QString& caption) {
    if (!m.fileName.contains(QLatin1Char('.'))) {
        m.fileName = caption + QStringLiteral(".brm");
    } else {
        m.fileName.back() = QLatin1Char('m');
    }
}

int askToSave(const tmindmap& m) {
    return messagedialog(QStringLiteral("Opslaan mindmap %1").arg(m.fileName),
                         QStringLiteral("Mindmap %1 is veranderd").arg(m.fileName),
                         MessageKind::Information, messagebutton::yesNoCancel, 0);
}

} // namespace

void Tmindmanagerform::Sluiten1Click() {
    tmindmap* m = current();
    const int index = currentIndex();
    if (m == nullptr || index < 0) {
        return;
    }
    if (m->modified) {
        closingName(*m, m_tabs->tabText(index));
        const int answer = askToSave(*m);
        if (answer == messageresult::cancel) {
            return;
        }
        if (answer == messageresult::yes) {
            m->save(); // a failure leaves the map open
        }
    }
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->removeTab(index);
    }
    modelState().currentMap = nullptr;
    m_maps.erase(m_maps.begin() + index);
    cleanundo();
    if (m_maps.empty()) {
        m_scroll->hide();
        m_shownTab = -1;
        updateCommands();
        return;
    }
    selectTab(std::min<int>(index, static_cast<int>(m_maps.size()) - 1));
    TabControl1Change();
}

bool Tmindmanagerform::FormCloseQuery() {
    for (std::size_t i = 0; i < m_maps.size(); ++i) {
        tmindmap& m = *m_maps[i];
        if (!m.modified) {
            continue;
        }
        if (!m.fileName.contains(QLatin1Char('.'))) {
            m.fileName = QStringLiteral("mindmap%1.brm").arg(i + 1);
        }
        selectTab(static_cast<int>(i));
        TabControl1Change();
        const int answer = askToSave(m);
        if (answer == messageresult::cancel) {
            return false;
        }
        if (answer == messageresult::yes) {
            Bewaarals1Click();
            if (m.modified) {
                return false;
            }
        }
    }
    return true;
}

void Tmindmanagerform::FormClose() {
    cleanundo();
}

void Tmindmanagerform::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    try {
        mayClose = FormCloseQuery();
    } catch (...) {
        // A save that failed keeps the window open; the error is still shown.
        event->ignore();
        throw;
    }
    if (!mayClose) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    Q_EMIT closed();
}

void Tmindmanagerform::showModal() {
    setWindowModality(Qt::ApplicationModal);
    showMaximized();
    QEventLoop loop;
    connect(this, &Tmindmanagerform::closed, &loop, &QEventLoop::quit);
    loop.exec();
}

void Tmindmanagerform::Hoofdmenu1Click() {
    close();
}

void Tmindmanagerform::okbtnClick() {
    close();
}

void Tmindmanagerform::TabControl1Changing() {
    if (tmindmap* m = current()) {
        m->noteBranch = nullptr;
    }
    storeScrollPosition();
    cleanundo();
}

void Tmindmanagerform::TabControl1Change() {
    const int index = m_tabs->currentIndex();
    if (index < 0 || index >= static_cast<int>(m_maps.size())) {
        return;
    }
    m_shownTab = index;
    tmindmap* m = m_maps[static_cast<std::size_t>(index)].get();
    modelState().currentMap = m;
    m->paintBox = m_scroll;
    m_scroll->show();
    m_zoom->setEditText(QString::number(m->zoom));
    zetschaal();
    showPaintSize();
    m_scroll->scrollTo(m->viewLeft, m->viewTop);
    updateCommands();
    tekenen();
}

// --- zoom and fitting --------------------------------------------------------

void Tmindmanagerform::zoomTo(const QString& text) {
    tmindmap* m = current();
    bool number = false;
    const int z = text.trimmed().toInt(&number);
    if (m == nullptr || !number || z <= 5 || z == m->zoom) {
        return;
    }
    const Rect client{0, 0, m_scroll->viewport()->width(), m_scroll->viewport()->height()};
    const Point scroll = m->zoomAt(z, m_scroll->scrollPosition(), client);
    m_scroll->setHorizontalRange(m->paintWidth);
    m_scroll->setVerticalRange(m->paintHeight);
    m_scroll->scrollTo(scroll.x, scroll.y);
    zetschaal();
    tekenen();
}

void Tmindmanagerform::ComboBox1Change() {
    zoomTo(m_zoom->currentText());
}

void Tmindmanagerform::ComboBox1Exit() {
    zoomTo(m_zoom->currentText());
}

bool Tmindmanagerform::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_zoom || watched == m_zoom->lineEdit()) && event->type() == QEvent::FocusOut) {
        ComboBox1Exit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmindmanagerform::fit_to_screen() {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    zetschaal();
    m->updateExtents();
    const Rect e = m->extent;
    const extended w = e.width();
    const extended h = e.height();
    const std::int32_t x0 = roundToInt32(e.left - w * 5 / 100);
    const std::int32_t x1 = roundToInt32(e.right + w * 5 / 100);
    const std::int32_t y0 = roundToInt32(e.top - h * 5 / 100);
    const std::int32_t y1 = roundToInt32(e.bottom + h * 5 / 100);
    const Point centre{(x0 + x1) / 2, (y0 + y1) / 2};
    const std::int32_t zx = roundToInt32(static_cast<extended>(m->clientWidth) / (x1 - x0) * 100);
    const std::int32_t zy = roundToInt32(static_cast<extended>(m->clientHeight) / (y1 - y0) * 100);
    std::int32_t zoom = std::min({100, zx, zy});
    if (zoom > 90) {
        zoom = 100;
    }
    // A map too large for 1 % still gets a zoom that can be drawn.
    m->zoom = std::max(1, zoom);
    m_zoom->setEditText(QString::number(m->zoom));
    zetschaal();
    m->updateScale();
    showPaintSize();
    m_scroll->scrollTo(-roundToInt32(m->clientWidth / 2.0L - centre.x * m->scaleX),
                       -roundToInt32(m->clientHeight / 2.0L - centre.y * m->scaleY));
}

void Tmindmanagerform::SpeedButton18Click() {
    tmindmap* m = current();
    if (m == nullptr) {
        return;
    }
    fit_to_screen();
    m->fitCanvas();
    m_scroll->setFocus();
    tekenen();
}
