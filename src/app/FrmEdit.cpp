#include "app/FrmEdit.h"

#include "app/FileDrops.h"
#include "app/FixedTabBar.h"
#include "app/InputHold.h"
#include "app/MainPanes.h"
#include "app/MenuBuilder.h"
#include "app/MenuTable.h"
#include "app/StatusPanels.h"
#include "app/ToolbarTable.h"
#include "browsers/ExternalBrowsers.h"
#include "core/BusyGate.h"
#include "core/Clock.h"
#include "core/PageTemplate.h"
#include "core/Preferences.h"
#include "dialogs/Prompts.h"
#include "documents/FileCommands.h"
#include "editor/EditorCommands.h"
#include "editor/FindBar.h"
#include "editor/HtmlStyle.h"
#include "editor/ProblemCommands.h"
#include "editor/SnippetsFile.h"
#include "editor/SourcePane.h"
#include "editor/WritingHelp.h"
#include "files/PreviewFile.h"
#include "frames/FramesCommand.h"
#include "insert/InsertCommands.h"
#include "preview/CaretLink.h"
#include "preview/PageWatch.h"
#include "preview/PreviewPane.h"
#include "preview/PreviewRefresher.h"
#include "printing/PrintCommand.h"
#include "recovery/Recovery.h"
#include "settings/QtUserSettings.h"
#include "settings/SettingsStore.h"
#include "windows/PreferencesDialog.h"
#include "windows/SideWindows.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>

namespace markwright {

namespace {
constexpr int RefreshInterval = 500;

int px(double twips) {
    return qRound(twips / MainPanes::TwipsPerPixel);
}

} // namespace

FrmEdit::FrmEdit(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context),
      m_ownSettings(context.userSettings == nullptr ? std::make_unique<QtUserSettings>() : nullptr),
      m_state(context.userSettings != nullptr ? *context.userSettings : *m_ownSettings),
      m_settings(std::make_unique<SettingsStore>(context.programFolder, *context.prompts,
                                                 context.userConfigFolder)),
      m_panes(new MainPanes(this, context.makePreview)),
      m_controller(m_panes->source(), *m_panes, *context.clock), m_commonDialog(*context.prompts) {
    setObjectName(QStringLiteral("frmEdit"));
    new FileDrops(this, [this](const QStringList& files) { openFiles(files); });
    new InputHold(this);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("refreshTimer"));
    m_refreshTimer->setInterval(RefreshInterval);
    m_panes->onEnd([this] { endProgram(); });
    connect(m_refreshTimer, &QTimer::timeout, this, &FrmEdit::continuousRefreshTick);
    makeSubsystems();
    registerCommands();
    buildMenuBar(menuBar(), menuTable(), m_commands);
    buildToolbar(m_panes->toolbar(), m_commands);
    m_caretLink->followSwitch(menuBar()->findChild<QAction*>(QStringLiteral("mnuFollowCaret")),
                              m_state);
    m_pageWatch->obsoleteHintsSwitch(
        menuBar()->findChild<QAction*>(QStringLiteral("mnuObsoleteHints")), m_state);
    applyPreferences(Preferences::load(perUser()));
    startUp();
}

FrmEdit::~FrmEdit() = default;

SourcePane& FrmEdit::source() {
    return m_panes->source();
}

PreviewPane& FrmEdit::preview() {
    return m_panes->preview();
}

const panes::Placement& FrmEdit::paneLayout() const {
    return m_panes->layout();
}

void FrmEdit::makeSubsystems() {
    SourcePane& pane = m_panes->source();
    Prompts& prompts = *m_context.prompts;
    m_findBar = new FindBar(pane, m_panes->client());
    m_panes->setFindBar(m_findBar);
    connect(m_findBar, &FindBar::closed, m_panes, &MainPanes::applyLayout);
    m_insert = std::make_unique<InsertCommands>(pane, m_commonDialog);
    m_editor = std::make_unique<EditorCommands>(
        pane, documents(), prompts, [this](const QString& text) { m_panes->showStatus(text); });
    m_files = std::make_unique<FileCommands>(m_controller, prompts, *m_settings, m_state);
    m_recovery = std::make_unique<Recovery>(m_controller, prompts, m_files->diskWatch(),
                                            m_context.journalFolder, m_context.backupFolder);
    m_frames = std::make_unique<FramesCommand>(m_controller, pane, prompts, *m_files,
                                               m_context.programFolder);
    m_browsers = std::make_unique<ExternalBrowsers>(m_controller, m_commonDialog,
                                                    *m_context.launcher, prompts, m_state);
    m_side = std::make_unique<SideWindows>(*m_context.launcher, prompts, this);
    m_print = std::make_unique<PrintCommand>(pane, this, prompts, m_context.makePrinter);
    m_statusPanels = new StatusPanels(m_panes->statusBar(), pane,
                                      [this] { return m_controller.documentFacts(); });
    m_refresher = std::make_unique<PreviewRefresher>(m_controller, pane, m_panes->preview(),
                                                     *m_context.clock);
    m_controller.setPreview(*m_refresher);
    m_pageWatch = std::make_unique<PageWatch>(m_controller, pane, *m_refresher);
    m_caretLink = std::make_unique<CaretLink>(m_controller, pane, m_panes->preview(), *m_refresher,
                                              *m_pageWatch);
    m_writing = new WritingHelp(
        pane, [this] { return QFileInfo(documents().folder(currentSlot())).absoluteFilePath(); });
    m_snippets =
        new SnippetsFile(m_context.userConfigFolder.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                             : m_context.userConfigFolder,
                         this);
    connect(m_snippets, &SnippetsFile::loaded, m_writing,
            [this] { m_writing->setSnippets(m_snippets->snippets()); });
    m_writing->setSnippets(m_snippets->snippets());
    m_problems =
        new ProblemCommands(pane, this, [this](const QString& text) { m_panes->showStatus(text); });
    connect(m_pageWatch.get(), &PageWatch::problemsChanged, m_problems,
            [this] { m_problems->show(m_pageWatch->problems()); });
    connect(m_problems, &ProblemCommands::countChanged, m_statusPanels,
            [this](int count) { m_statusPanels->setNote(ProblemCommands::countText(count)); });
    m_controller.onEdited([this](int n) { m_recovery->noteEdit(n); });
    m_controller.onSettled([this](int n) { m_recovery->settled(n); });
    m_controller.onShown([this](int) { checkOutsideChange(); });

    connect(&pane, &SourcePane::changed, this, [this] { m_controller.paneEdited(); });
    connect(&pane, &SourcePane::textReplaced, this, [this] { m_controller.paneReplaced(); });
    connect(m_panes->sourceTabs(), &QTabBar::currentChanged, this, [this] {
        m_controller.switchTo(DocumentSlots::slotForKey(m_panes->sourceTabs()->currentKey()));
    });
    connect(m_panes->previewTabs(), &QTabBar::tabBarClicked, this, [this](int index) {
        const QString key = m_panes->previewTabs()->keyAt(index);
        for (int n = 1; n <= DocumentSlots::Count; ++n) {
            if (key == QStringLiteral("P%1").arg(n)) {
                m_panes->selectSlot(n);
            }
        }
    });
    connect(&m_files->diskWatch(), &DiskWatch::outsideChange, this, [this](int n) {
        if (n == currentSlot() && isActiveWindow()) {
            checkOutsideChange();
        }
    });
}

UserSettings& FrmEdit::perUser() {
    return m_context.userSettings != nullptr ? *m_context.userSettings : *m_ownSettings;
}

void FrmEdit::openPreferences() {
    const Preferences current = Preferences::load(perUser());
    if (m_preferences == nullptr) {
        m_preferences = new PreferencesDialog(current, ColorScheme::names(), this);
        connect(m_preferences, &PreferencesDialog::changed, this, [this](const Preferences& p) {
            p.save(perUser());
            applyPreferences(p);
        });
    }
    m_preferences->show(current);
}

void FrmEdit::applyPreferences(const Preferences& p) {
    SourcePane& pane = source();
    QFont font = p.fontFamily.isEmpty() ? SourcePane::defaultFont() : QFont(p.fontFamily);
    font.setPointSize(p.fontSize != 0 ? p.fontSize : SourcePane::defaultFont().pointSize());
    pane.setFont(font);
    applyHtmlStyle(pane, font, ColorScheme::named(p.colorScheme));
    pane.setIndentation(p.tabWidth, p.indentWithTabs);
    pane.setWhitespaceVisibility(p.showWhiteSpace ? QsciScintilla::WsVisible
                                                  : QsciScintilla::WsInvisible);
    pane.setEolVisibility(p.showLineEnds);
    pane.setWrapMode(p.wrapLines ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    pane.setLineNumbersShown(p.lineNumbers);
    m_writing->setParts({p.closeTags, p.completion, p.abbreviations, p.snippets});
    m_pageWatch->setChecks(p.checks);
    m_refresher->setIdleSeconds(p.previewPauseMs / 1000.0);
    // The menu's switches are the same preferences: their check marks follow.
    for (const auto& [name, on] : {std::pair{"mnuObsoleteHints", p.obsoleteHints},
                                   std::pair{"mnuFollowCaret", p.followCaret}}) {
        if (auto* action = menuBar()->findChild<QAction*>(QLatin1String(name))) {
            action->setChecked(on);
        }
    }
}

void FrmEdit::openSnippets() {
    if (!m_snippets->ensure()) {
        m_context.prompts->showError(
            QStringLiteral("The snippets file could not be written:\n%1").arg(m_snippets->path()),
            Prompts::Icon::Critical);
        return;
    }
    m_files->openArrivals({m_snippets->path()}, [this](int n) { m_panes->selectSlot(n); });
}

void FrmEdit::registerCommands() {
    m_commands.add(QStringLiteral("mnuViewRefresh"), [this] { refreshPreview(); });
    m_commands.add(QStringLiteral("Refresh"), [this] { refreshPreview(); });
    // The check mark is the switch; the action toggles it by itself.
    m_commands.add(QStringLiteral("mnuPreviewContinuous"), [] {});
    m_commands.add(QStringLiteral("mnuFollowCaret"), [] {});
    m_commands.add(QStringLiteral("mnuObsoleteHints"), [] {});
    m_problems->registerAll(m_commands);
    m_commands.add(QStringLiteral("mnuSnippets"), [this] { openSnippets(); });
    m_commands.add(QStringLiteral("mnuPreferences"), [this] { openPreferences(); });
    m_panes->registerAll(m_commands);

    m_insert->registerAll(m_commands);
    m_files->registerAll(m_commands);
    m_editor->registerAll(m_commands);
    m_commands.add(QStringLiteral("mnuFrames"), [this] { m_frames->run(); });
    m_browsers->registerAll(m_commands);
    m_print->registerAll(m_commands);
    m_side->registerAll(m_commands);
    // Exit closes the window; the close request runs Close.
    m_commands.add(QStringLiteral("mnuExit"), [this] { close(); });
    m_commands.add(QStringLiteral("mnuFindBar"), [this] {
        m_findBar->open();
        m_panes->applyLayout();
    });

    // Moving between the five slots from the keyboard, as in a browser.
    const std::pair<QKeySequence, int> slotKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& [keys, step] : slotKeys) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] {
            const int count = DocumentSlots::Count;
            m_panes->selectSlot((currentSlot() - 1 + step + count) % count + 1);
        });
    }
}

void FrmEdit::startUp() {
    m_state.setOpenPath(asFolderPrefix(m_settings->readIniKey(QStringLiteral("OpenPath"))));

    resize(px(12000), px(9000));
    // Place the menu bar and the client area now, so the first layout sees
    // the real client size before the window is shown.
    if (layout() != nullptr) {
        layout()->setGeometry(rect());
    }
    m_panes->sizeControls(m_panes->windowMetrics().width / 2);
    m_panes->showPanes(true);

    const QString page = pageTemplate();
    DocumentSlots& docs = documents();
    docs.reset(page, m_state.openPath());
    docs.handOverPane(1);
    source().showSlot(1, page);
    m_state.setStartFolder(m_state.openPath());
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        previewfile::write(docs.previewPath(n), source().bytes(),
                           previewfile::permissionsFor(QString()));
        docs.setChanged(n, false);
    }
    setWindowTitle(QStringLiteral("Markwright"));
    // Keys typed as soon as the window appears go into the page.
    source().setFocus(Qt::OtherFocusReason);
    m_refreshTimer->start();
}

void FrmEdit::recentre() {
    m_panes->recentre();
}

void FrmEdit::stopRunning() {
    m_controller.setEnded();
    m_refreshTimer->stop();
    if (m_context.quit) {
        m_context.quit();
    }
}

void FrmEdit::endProgram() {
    m_recovery->cleanEnd();
    stopRunning();
}

void FrmEdit::endKeepingPages() {
    if (m_controller.ended()) {
        return;
    }
    m_recovery->journalNow();
    m_recovery->flush();
    stopRunning();
}

bool FrmEdit::endSession(bool mayAsk) {
    if (m_controller.ended()) {
        return true;
    }
    if (!mayAsk || BusyGate::held()) {
        endKeepingPages();
        return true;
    }
    return m_files->close();
}

void FrmEdit::offerRestore() {
    m_recovery->offerRestore();
}

void FrmEdit::openFiles(const QStringList& paths) {
    m_files->openArrivals(paths, [this](int n) { m_panes->selectSlot(n); });
}

void FrmEdit::closeEvent(QCloseEvent* event) {
    // Once the program has ended, the window goes. Before that the request
    // runs Close (once what is under way is done), which asks about every
    // changed page and ends the program unless the user cancels.
    if (m_controller.ended()) {
        event->accept();
        return;
    }
    event->ignore();
    BusyGate::whenIdle(this, [this] {
        if (!m_controller.ended()) {
            m_files->close();
        }
    });
}

void FrmEdit::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        checkOutsideChange();
    }
}

void FrmEdit::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_panes->windowResized();
}

void FrmEdit::checkOutsideChange() {
    // Not inside the event that noticed it: a question must not interrupt a
    // tab switch or an activation half-way.
    QTimer::singleShot(0, this, [this] {
        if (!m_controller.ended()) {
            m_files->offerReload(currentSlot());
        }
    });
}

bool FrmEdit::continuousPreview() const {
    const auto* action = menuBar()->findChild<QAction*>(QStringLiteral("mnuPreviewContinuous"));
    return action != nullptr && action->isChecked();
}

void FrmEdit::continuousRefreshTick() {
    m_controller.showUnsavedMarks();
    m_refresher->tick(continuousPreview());
}

} // namespace markwright
