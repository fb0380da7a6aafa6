#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>
#include <vector>

class MapScrollArea;
class QAction;
class QComboBox;
class QTabBar;
class QToolButton;
class tlink;
class tmindmap;
class ttextbox;

// The map editor: every open map in a tab of its own, the current one shown
// in the scroll box, with new, open, save, close, undo and zoom.
class Tmindmanagerform : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmindmanagerform(QWidget* parent = nullptr);
    ~Tmindmanagerform() override;

    void prepareform();
    void nieuwemap();
    // Opens a map file in a new tab; a file that cannot be read raises its
    // error and changes nothing.
    void openenmindmap(const QString& fileName, bool fit);
    void adapt(bool fit);
    bool changeto(const QString& fileName);
    void bewaarmindmap();
    void cleanundo();
    void tekenen();
    void tekenen1(bool placeNote);
    void maaknieuwetekening(tlink* branch);
    void zetschaal();
    void veranderactivelink(tlink* branch);
    void maakactive(tlink* branch);
    void fit_to_screen();

    // Handlers of the menu items, buttons and boxes.
    void Nieuw1Click();
    void Open1Click();
    void BitBtn7Click();
    void Bewaar1Click();
    void Bewaarals1Click();
    void Sluiten1Click();
    void Hoofdmenu1Click();
    void okbtnClick();
    void SpeedButton19Click();
    void ComboBox1Change();
    void ComboBox1Exit();
    void SpeedButton18Click();
    void TabControl1Changing();
    void TabControl1Change();
    void PaintBox1Paint();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();

    // The open maps in tab order; the tab at an index owns the map there.
    const std::vector<std::unique_ptr<tmindmap>>& maps() const { return m_maps; }
    QTabBar* TabControl1() const { return m_tabs; }
    MapScrollArea* ScrollBox1() const { return m_scroll; }
    QComboBox* ComboBox1() const { return m_zoom; }
    QAction* Hoofdmenu1() const { return m_hoofdmenu; }

    // Shows the window maximised and modal, and returns when it has closed.
    void showModal();

    // Window state.
    std::uint8_t dragKind = 0;
    bool dragging = false;
    bool pressedOnItem = false;
    std::int32_t downX = -100;
    std::int32_t downY = -100;
    std::int32_t mouseMapX = 0;
    std::int32_t mouseMapY = 0;
    std::int32_t dragX = 0;
    std::int32_t dragY = 0;
    tlink* editBranch = nullptr;
    ttextbox* editTextBox = nullptr;
    bool memoCancelled = false;
    std::int32_t memoMaxWidth = 0;
    bool noteOpen = false;
    bool toolbarUpdating = false;
    std::int32_t scrollBarWidth = 0;
    std::int32_t scrollBarHeight = 0;
    std::int32_t centreZone = 10000;
    std::int32_t drawScrollX = 0;
    std::int32_t drawScrollY = 0;

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    tmindmap* current() const;
    int currentIndex() const;
    void addTab(std::unique_ptr<tmindmap> map, const QString& caption);
    void selectTab(int index);
    void showPaintSize();
    void storeScrollPosition();
    void updateCommands();
    void zoomTo(const QString& text);
    static QString tabCaption(const QString& fileName);

    std::vector<std::unique_ptr<tmindmap>> m_maps;
    QTabBar* m_tabs = nullptr;
    MapScrollArea* m_scroll = nullptr;
    QComboBox* m_zoom = nullptr;
    QAction* m_hoofdmenu = nullptr;
    QAction* m_undo = nullptr;
    std::vector<QAction*> m_mapCommands;
    int m_shownTab = -1;
    bool m_opened = false;
};
