#pragma once

#include "documents/DocumentView.h"
#include "layout/PaneLayout.h"

#include <QObject>
#include <functional>

class QLabel;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;

namespace markwright {

class CommandRegistry;
class FindBar;
class FixedTabBar;
class PreviewPane;
class SourcePane;
class SplitterGrip;

// The controls of the main window's client area and where they stand: the
// pane titles, the toolbar, the two tab strips, the source pane and the
// preview with the splitter between them, and the status bar. The geometry
// itself comes from the pane layout; this places the widgets where it says,
// runs the splitter drag, and lays out again shortly after a resize. It
// shows the documents as their controller says.
class MainPanes : public QObject, public DocumentView {
    Q_OBJECT

  public:
    static constexpr double TwipsPerPixel = 15.0;

    // Builds the controls in `window`'s central widget; `makePreview` makes
    // the preview as a child of the widget it is given.
    MainPanes(QWidget* window, const std::function<PreviewPane*(QWidget*)>& makePreview);
    // What ends the program.
    void onEnd(std::function<void()> end) { m_end = std::move(end); }

    // The view modes, the toolbar's layout keys and the test resolutions.
    void registerAll(CommandRegistry& commands);

    QWidget* client() const { return m_client; }
    QToolBar* toolbar() const { return m_toolbar; }
    FixedTabBar* sourceTabs() const { return m_sourceTabs; }
    FixedTabBar* previewTabs() const { return m_previewTabs; }
    SourcePane& source() const { return *m_source; }
    PreviewPane& preview() const { return *m_preview; }
    QStatusBar* statusBar() const { return m_statusBar; }
    const panes::Placement& layout() const { return m_layout; }
    // The find bar takes the bottom of the source pane's place while open.
    void setFindBar(FindBar* findBar) { m_findBar = findBar; }

    // The window as the layout sees it, in twips.
    panes::WindowSize windowMetrics() const;
    void sizeControls(double x);
    void setViewMode(panes::Mode mode);
    void horizontalLayout();
    // Both panes, the splitter where it stands.
    void showBoth();
    // Places every control where the layout says.
    void applyLayout();
    // After a resize: lays out at once, and re-centres shortly after.
    void windowResized();
    // Puts the splitter in the middle of the window and lays out again.
    void recentre();

    // DocumentView
    void showTabCaptions(int n, const QString& sourceTab, const QString& previewTab,
                         const QString& tip) override;
    void markUnsaved(int n, bool unsaved) override;
    void setWindowCaption(const QString& caption) override;
    void setPaneTitles(const QString& sourceTitle, const QString& previewTitle) override;
    void selectSlot(int n) override;
    void showStatus(const QString& text) override;
    QWidget* dialogParent() override { return m_window; }
    bool mayTakeKeyboard() const override;
    void showPanes(bool visible) override;
    void showPreviewOnly() override { setViewMode(panes::Mode::PreviewOnly); }
    void recentreSoon() override;
    void endProgram() override;

  private:
    void buildTitles();
    void buildTabs();
    void wireSplitter();

    QWidget* m_window;
    panes::Placement m_layout;
    QWidget* m_client = nullptr;
    QWidget* m_picTitles = nullptr;
    QLabel* m_sourceTitle = nullptr;
    QLabel* m_previewTitle = nullptr;
    QToolBar* m_toolbar = nullptr;
    FixedTabBar* m_sourceTabs = nullptr;
    FixedTabBar* m_previewTabs = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_next = nullptr;
    SourcePane* m_source = nullptr;
    FindBar* m_findBar = nullptr;
    SplitterGrip* m_grip = nullptr;
    QWidget* m_splitterBar = nullptr;
    PreviewPane* m_preview = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QTimer* m_recentreTimer = nullptr;
    bool m_splitterMoving = false;
    std::function<void()> m_end;
};

} // namespace markwright
