#pragma once

#include "app/AppContext.h"
#include "app/PaneLayout.h"
#include "core/AppState.h"
#include "core/CommandRegistry.h"
#include "core/DocumentHost.h"
#include "core/DocumentSlots.h"
#include "dialogs/CommonDialog.h"
#include "editor/LineEnds.h"
#include "insert/InsertCommands.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace markwright {

class EditorCommands;
class FindBar;
class FileCommands;
class Launcher;
class FramesCommand;
class ExternalBrowsers;
class PrintCommand;
class StatusPanels;
class SideWindows;
class FixedTabBar;
class PreviewRefresher;
class Recovery;
class SettingsStore;
class SourcePane;
class SplitterGrip;

// The main window. It owns the widgets, the five document slots and the two
// timers, and wires each command to the code that does the work; the work
// itself lives with its subsystem (layout, preview refresh, slots...).
class FrmEdit : public QMainWindow, public DocumentHost {
    Q_OBJECT

  public:
    static constexpr double TwipsPerPixel = 15.0;

    explicit FrmEdit(const AppContext& context, QWidget* parent = nullptr);
    ~FrmEdit() override;

    DocumentSlots& documents() override { return m_docs; }
    SourcePane& source() override { return *m_source; }
    PreviewPane& preview() { return *m_preview; }
    CommandRegistry& commands() { return m_commands; }
    const panes::Placement& paneLayout() const { return m_layout; }
    // The shared common dialog (dlgCommonDialog).
    CommonDialog& commonDialog() { return m_commonDialog; }
    InsertCommands& insertCommands() { return *m_insert; }

    // The slot selected on TabStrip1, found from its key; 0 when none matches.
    int currentSlot() const override;

    void refreshPreview() override;
    void flushPreviewFiles() override;
    QStringList previewFolders() const override;
    void showPanes(bool visible) override;
    QString tabCaption(int n) const override;
    void setTabCaptions(int n, const QString& sourceTab, const QString& previewTab) override;
    void setWindowCaption(const QString& caption) override;
    void setPaneTitles(const QString& sourceTitle, const QString& previewTitle) override;
    void slotSettled(int n) override;
    void endProgram() override;
    // Ends the program without questions, keeping every unsaved page in the
    // crash journal so the next start offers it back (the session is
    // ending, or the program was told to stop).
    void endKeepingPages();
    // The desktop session is ending. With `mayAsk`, asks about every page
    // as Close does and ends the program once all are answered; false when
    // the user cancels (the session should not end). Without it, or with
    // work under way, ends keeping every unsaved page for the next start.
    bool endSession(bool mayAsk);
    // Offers back the pages a program that did not close properly left.
    void offerRestore();
    // Opens the files into the active slot and the ones after it (at most
    // as many as there are slots), as Open does; a file that cannot be read
    // is reported and the rest still open.
    void openFiles(const QStringList& paths);
    QWidget* dialogParent() override;
    void showPreviewOnly() override;
    void recentreSoon() override;
    bool writeActiveText(const QString& path) override;
    void resizeWindowTwips(int width, int height) override;
    void showStatus(const QString& text) override;
    bool mayTakeKeyboard() const override;
    FileCommands& files() { return *m_files; }
    EditorCommands& editor() { return *m_editor; }
    FramesCommand& frames() { return *m_frames; }
    StatusPanels& statusPanels() { return *m_statusPanels; }
    SideWindows& sideWindows() { return *m_side; }
    Recovery& recovery() { return *m_recovery; }
    void sizeControls(double x);
    void setViewMode(panes::Mode mode);
    void horizontalLayout();
    // The window as the layout sees it, in twips.
    panes::WindowSize windowMetrics() const;

    const AppState& state() const { return m_state; }
    bool continuousPreview() const;

    // What the two timers run: the continuous preview's tick (every 500 ms)
    // and the re-centring after a resize (once, 110 ms after it).
    void continuousRefreshTick();
    void recentre();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildWidgets();
    void registerCommands();
    void startUp();
    void onPaneChanged();
    void switchToSelectedSlot();
    void onPreviewTabClicked(int index);
    void updatePaneTitles();
    void applyLayout();
    // Offers to reload the selected slot when its file changed on disk,
    // once the current event is done.
    void checkOutsideChange();
    // Colours the captions of slots with unsaved changes.
    void showUnsavedMarks();
    // Selects the slot `step` tabs along, round the strip.
    void selectSlotBy(int step);
    // "UTF-8   CR LF": the active page's encoding and line ends.
    QString documentFacts();

    AppContext m_context;
    std::unique_ptr<UserSettings> m_ownSettings; // when the context brings none
    AppState m_state;
    std::unique_ptr<SettingsStore> m_settings;
    DocumentSlots m_docs;
    CommandRegistry m_commands;
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
    QTimer* m_refreshTimer = nullptr;
    std::unique_ptr<PreviewRefresher> m_refresher;
    CommonDialog m_commonDialog;
    std::unique_ptr<InsertCommands> m_insert;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<EditorCommands> m_editor;
    std::unique_ptr<FramesCommand> m_frames;
    std::unique_ptr<ExternalBrowsers> m_browsers;
    std::unique_ptr<PrintCommand> m_print;
    std::unique_ptr<SideWindows> m_side;
    std::unique_ptr<Recovery> m_recovery;
    StatusPanels* m_statusPanels = nullptr;
    bool m_ended = false;
    bool m_splitterMoving = false;
    std::array<bool, DocumentSlots::Count> m_markedUnsaved{};
    static constexpr long LineEndScanLimit = 1 << 20;
    bool m_lineEndsCounted = false; // since the pane's text was last replaced
    bool m_lineEndsStale = true;    // edited since the last count
    lineends::Style m_lineEnds = lineends::Style::None;
};

} // namespace markwright
