#pragma once

#include "app/AppContext.h"
#include "core/AppState.h"
#include "core/CommandRegistry.h"
#include "dialogs/CommonDialog.h"
#include "documents/DocumentController.h"
#include "layout/PaneLayout.h"

#include <QMainWindow>
#include <memory>

class QTimer;

namespace markwright {

class EditorCommands;
class ExternalBrowsers;
class FileCommands;
class FindBar;
class FramesCommand;
class InsertCommands;
class MainPanes;
class PreviewPane;
class CaretLink;
class PageWatch;
class ProblemCommands;
class SnippetsFile;
class PreferencesDialog;
struct Preferences;
class WritingHelp;
class PreviewRefresher;
class PrintCommand;
class Recovery;
class SettingsStore;
class SideWindows;
class SourcePane;
class StatusPanels;

// The main window. It makes the subsystems, wires each command to the code
// that does the work, shows what the document controller tells it, and
// forwards what the user does with the window itself.
class FrmEdit : public QMainWindow {
    Q_OBJECT

  public:
    explicit FrmEdit(const AppContext& context, QWidget* parent = nullptr);
    ~FrmEdit() override;

    DocumentController& controller() { return m_controller; }
    DocumentSlots& documents() { return m_controller.documents(); }
    SourcePane& source();
    PreviewPane& preview();
    CommandRegistry& commands() { return m_commands; }
    const panes::Placement& paneLayout() const;
    CommonDialog& commonDialog() { return m_commonDialog; }
    InsertCommands& insertCommands() { return *m_insert; }
    FileCommands& files() { return *m_files; }
    EditorCommands& editor() { return *m_editor; }
    FramesCommand& frames() { return *m_frames; }
    StatusPanels& statusPanels() { return *m_statusPanels; }
    ProblemCommands& problems() { return *m_problems; }
    SnippetsFile& snippets() { return *m_snippets; }
    SideWindows& sideWindows() { return *m_side; }
    Recovery& recovery() { return *m_recovery; }
    const AppState& state() const { return m_state; }

    int currentSlot() const { return m_controller.currentSlot(); }
    QString tabCaption(int n) const { return m_controller.tabCaption(n); }
    void refreshPreview() { m_controller.refreshPreview(); }
    void flushPreviewFiles() { m_controller.flushPreviewFiles(); }
    bool continuousPreview() const;
    // The continuous preview's tick, every 500 ms.
    void continuousRefreshTick();
    void recentre();

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
    // Opens the files into the untouched slots from the active one on, as
    // Open does; a file that cannot be read is reported and the rest still
    // open.
    void openFiles(const QStringList& paths);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void makeSubsystems();
    void registerCommands();
    // Opens the user's snippets file in a free slot, written first with a
    // few examples when there is none.
    void openSnippets();
    // Preferences: the window, and putting a set of them into effect.
    void openPreferences();
    void applyPreferences(const Preferences& preferences);
    UserSettings& perUser();
    void startUp();
    // Offers to reload the selected slot when its file changed on disk,
    // once the current event is done.
    void checkOutsideChange();
    // Every page has been saved or deliberately left: nothing to restore.
    void endProgram();
    void stopRunning();

    AppContext m_context;
    std::unique_ptr<UserSettings> m_ownSettings; // when the context brings none
    AppState m_state;
    std::unique_ptr<SettingsStore> m_settings;
    MainPanes* m_panes;
    DocumentController m_controller;
    CommandRegistry m_commands;
    CommonDialog m_commonDialog;
    QTimer* m_refreshTimer = nullptr;
    FindBar* m_findBar = nullptr;
    StatusPanels* m_statusPanels = nullptr;
    std::unique_ptr<PreviewRefresher> m_refresher;
    // Goes before the refresher and the preview it points at.
    std::unique_ptr<PageWatch> m_pageWatch;
    std::unique_ptr<CaretLink> m_caretLink;
    ProblemCommands* m_problems = nullptr;
    WritingHelp* m_writing = nullptr;
    SnippetsFile* m_snippets = nullptr;
    PreferencesDialog* m_preferences = nullptr;
    std::unique_ptr<InsertCommands> m_insert;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<EditorCommands> m_editor;
    std::unique_ptr<FramesCommand> m_frames;
    std::unique_ptr<ExternalBrowsers> m_browsers;
    std::unique_ptr<PrintCommand> m_print;
    std::unique_ptr<SideWindows> m_side;
    std::unique_ptr<Recovery> m_recovery;
};

} // namespace markwright
