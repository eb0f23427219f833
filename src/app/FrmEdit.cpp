#include "app/FrmEdit.h"

#include "app/FixedTabBar.h"
#include "app/InputHold.h"
#include "app/MenuBuilder.h"
#include "app/MenuTable.h"
#include "app/SplitterGrip.h"
#include "app/StatusPanels.h"
#include "app/ToolbarTable.h"
#include "browsers/ExternalBrowsers.h"
#include "core/BusyGate.h"
#include "core/Clock.h"
#include "core/PageTemplate.h"
#include "core/PaneTitles.h"
#include "core/PreviewPane.h"
#include "platform/Launcher.h"
#include "dialogs/Prompts.h"
#include "editor/EditorCommands.h"
#include "editor/FindBar.h"
#include "editor/LineEnds.h"
#include "editor/SourcePane.h"
#include "documents/FileCommands.h"
#include "files/PreviewFile.h"
#include "settings/QtUserSettings.h"
#include "recovery/Recovery.h"
#include "settings/SettingsStore.h"
#include "frames/FramesCommand.h"
#include "preview/PreviewRefresher.h"
#include "printing/PrintCommand.h"
#include "windows/SideWindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace markwright {

using panes::Control;

namespace {
constexpr int MinimumWidthTwips = 3000;
constexpr int Timer1Interval = 110;
constexpr int RefreshInterval = 500;

int px(double twips) {
    return qRound(twips / FrmEdit::TwipsPerPixel);
}

void place(QWidget* widget, const panes::Box& box) {
    widget->setGeometry(px(box.left), px(box.top), qMax(0, px(box.width)), qMax(0, px(box.height)));
}

} // namespace

FrmEdit::FrmEdit(const AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context),
      m_ownSettings(context.userSettings == nullptr ? std::make_unique<QtUserSettings>() : nullptr),
      m_state(context.userSettings != nullptr ? *context.userSettings : *m_ownSettings),
      m_settings(std::make_unique<SettingsStore>(context.programFolder, *context.prompts,
                                                 context.userConfigFolder)),
      m_docs([this] { return m_source->text(); }), m_layout(panes::designLayout()),
      m_commonDialog(*context.prompts) {
    setObjectName(QStringLiteral("frmEdit"));
    setAcceptDrops(true);
    new InputHold(this);
    buildWidgets();
    m_insert = std::make_unique<InsertCommands>(*m_source, m_commonDialog);
    m_editor = std::make_unique<EditorCommands>(*this, *m_context.prompts);
    m_findBar = new FindBar(*m_source, m_client);
    connect(m_findBar, &FindBar::closed, this, [this] { applyLayout(); });
    m_files = std::make_unique<FileCommands>(*this, *m_context.prompts, *m_settings, m_state);
    m_recovery = std::make_unique<Recovery>(*this, *m_context.prompts, m_files->diskWatch(),
                                            m_context.journalFolder, m_context.backupFolder);
    connect(&m_files->diskWatch(), &DiskWatch::outsideChange, this, [this](int n) {
        if (n == currentSlot() && isActiveWindow()) {
            checkOutsideChange();
        }
    });
    m_frames = std::make_unique<FramesCommand>(*this, *m_context.prompts, *m_files,
                                               m_context.programFolder);
    m_browsers = std::make_unique<ExternalBrowsers>(*this, m_commonDialog, *m_context.launcher,
                                                    *m_context.prompts, m_state);
    m_side = std::make_unique<SideWindows>(*m_context.launcher, *m_context.prompts, this);
    m_print = std::make_unique<PrintCommand>(*this, *m_context.prompts, m_context.makePrinter);
    registerCommands();
    buildMenuBar(menuBar(), menuTable(), m_commands);
    buildToolbar(m_toolbar, m_commands);
    m_statusPanels = new StatusPanels(m_statusBar, *m_source, [this] { return documentFacts(); });
    m_refresher = std::make_unique<PreviewRefresher>(*this, *m_preview, *m_context.clock);
    startUp();
}

FrmEdit::~FrmEdit() = default;

void FrmEdit::buildWidgets() {
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    m_picTitles = new QWidget(m_client);
    m_picTitles->setObjectName(QStringLiteral("picTitles"));
    m_picTitles->setAutoFillBackground(true);
    m_picTitles->setBackgroundRole(QPalette::Mid);
    m_sourceTitle = new QLabel(QStringLiteral(" HTML Source:"), m_picTitles);
    m_sourceTitle->setObjectName(QStringLiteral("lblTitle0"));
    m_previewTitle = new QLabel(QStringLiteral(" IE Browser:"), m_picTitles);
    m_previewTitle->setObjectName(QStringLiteral("lblTitle1"));
    for (QLabel* title : {m_sourceTitle, m_previewTitle}) {
        QFont font = title->font();
        font.setBold(true);
        title->setFont(font);
        title->setForegroundRole(QPalette::BrightText);
    }

    m_toolbar = new QToolBar(m_client);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);

    m_sourceTabs = new FixedTabBar(m_client);
    m_sourceTabs->setObjectName(QStringLiteral("TabStrip1"));
    m_previewTabs = new FixedTabBar(m_client);
    m_previewTabs->setObjectName(QStringLiteral("TabStrip2"));
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        m_sourceTabs->addKeyedTab(DocumentSlots::keyFor(n), DocumentSlots::initialTitle(n));
        m_previewTabs->addKeyedTab(QStringLiteral("P%1").arg(n), QStringLiteral("Page %1").arg(n));
    }

    m_back = new QToolButton(m_client);
    m_back->setObjectName(QStringLiteral("Back"));
    m_back->setArrowType(Qt::LeftArrow);
    m_back->setToolTip(tr("Back"));
    m_back->setAutoRaise(true);
    m_next = new QToolButton(m_client);
    m_next->setObjectName(QStringLiteral("cmdNext"));
    m_next->setArrowType(Qt::RightArrow);
    m_next->setToolTip(tr("Forward"));
    m_next->setAutoRaise(true);

    m_source = new SourcePane(m_client);
    m_preview = m_context.makePreview(m_client);
    m_preview->widget()->setObjectName(QStringLiteral("htmlPreview"));

    m_grip = new SplitterGrip(m_client);
    m_grip->setObjectName(QStringLiteral("imgSplitter"));
    m_splitterBar = new QWidget(m_client);
    m_splitterBar->setObjectName(QStringLiteral("picSplitter"));
    m_splitterBar->setAutoFillBackground(true);
    m_splitterBar->setBackgroundRole(QPalette::Dark);
    m_splitterBar->hide();

    m_statusBar = new QStatusBar(m_client);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);

    m_recentreTimer = new QTimer(this);
    m_recentreTimer->setObjectName(QStringLiteral("Timer1"));
    m_recentreTimer->setSingleShot(true);
    m_recentreTimer->setInterval(Timer1Interval);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("refreshTimer"));
    m_refreshTimer->setInterval(RefreshInterval);

    connect(m_source, &SourcePane::changed, this, &FrmEdit::onPaneChanged);
    connect(m_source, &SourcePane::textReplaced, this, [this] { m_lineEndsCounted = false; });
    connect(m_sourceTabs, &QTabBar::currentChanged, this, &FrmEdit::switchToSelectedSlot);
    connect(m_previewTabs, &QTabBar::tabBarClicked, this, &FrmEdit::onPreviewTabClicked);
    connect(m_back, &QToolButton::clicked, this, [this] { m_preview->back(); });
    connect(m_next, &QToolButton::clicked, this, [this] { m_preview->forward(); });
    connect(m_recentreTimer, &QTimer::timeout, this, &FrmEdit::recentre);
    connect(m_refreshTimer, &QTimer::timeout, this, &FrmEdit::continuousRefreshTick);

    connect(m_grip, &SplitterGrip::pressed, this, [this] {
        panes::beginSplitterDrag(m_layout);
        m_splitterMoving = true;
        place(m_splitterBar, m_layout[Control::picSplitter]);
        m_splitterBar->show();
        m_splitterBar->raise();
    });
    connect(m_grip, &SplitterGrip::moved, this, [this](int x) {
        if (!m_splitterMoving) {
            return;
        }
        panes::moveSplitterDrag(m_layout, x * TwipsPerPixel, windowMetrics());
        place(m_splitterBar, m_layout[Control::picSplitter]);
    });
    connect(m_grip, &SplitterGrip::released, this, [this] {
        if (!m_splitterMoving) {
            return;
        }
        panes::endSplitterDrag(m_layout, windowMetrics());
        m_splitterBar->hide();
        m_splitterMoving = false;
        applyLayout();
    });
}

void FrmEdit::registerCommands() {
    m_commands.add(QStringLiteral("mnuViewRefresh"), [this] { refreshPreview(); });
    // The check mark is the switch; the action toggles it by itself.
    m_commands.add(QStringLiteral("mnuPreviewContinuous"), [] {});
    m_commands.add(QStringLiteral("mnuBoth"), [this] { setViewMode(panes::Mode::Both); });
    m_commands.add(QStringLiteral("mnuSOnly"), [this] { setViewMode(panes::Mode::SourceOnly); });
    m_commands.add(QStringLiteral("mnuPOnly"), [this] { setViewMode(panes::Mode::PreviewOnly); });

    // Layout commands the toolbar reaches by key.
    m_commands.add(QStringLiteral("Both"), [this] {
        setViewMode(panes::Mode::Both);
        sizeControls(m_layout[Control::imgSplitter].left);
    });
    m_commands.add(QStringLiteral("Source"), [this] { setViewMode(panes::Mode::SourceOnly); });
    m_commands.add(QStringLiteral("Preview"), [this] { setViewMode(panes::Mode::PreviewOnly); });
    m_commands.add(QStringLiteral("Code10"), [this] { setViewMode(panes::Mode::Code10); });
    m_commands.add(QStringLiteral("Preview10"), [this] { setViewMode(panes::Mode::Preview10); });
    m_commands.add(QStringLiteral("HBoth"), [this] { horizontalLayout(); });
    m_commands.add(QStringLiteral("Refresh"), [this] { refreshPreview(); });

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
        applyLayout();
    });

    // Moving between the five slots from the keyboard, as in a browser.
    const std::pair<QKeySequence, int> slotKeys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& [keys, step] : slotKeys) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { selectSlotBy(step); });
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
    sizeControls(windowMetrics().width / 2);
    showPanes(true);

    const QString page = pageTemplate();
    m_docs.reset(page, m_state.openPath());
    m_docs.handOverPane(1);
    m_source->showSlot(1, page);
    m_state.setStartFolder(m_state.openPath());
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        previewfile::write(m_docs.previewPath(n), m_source->bytes(),
                           previewfile::permissionsFor(QString()));
        m_docs.setChanged(n, false);
    }
    setWindowTitle(QStringLiteral("Markwright"));
    // Keys typed as soon as the window appears go into the page.
    m_source->setFocus(Qt::OtherFocusReason);
    m_refreshTimer->start();
}

QString FrmEdit::tabCaption(int n) const {
    return m_sourceTabs->caption(n - 1);
}

void FrmEdit::setTabCaptions(int n, const QString& sourceTab, const QString& previewTab) {
    m_sourceTabs->setCaption(n - 1, sourceTab);
    m_previewTabs->setCaption(n - 1, previewTab);
    // The whole path where the caption has only the file's name.
    m_sourceTabs->setTabToolTip(n - 1, QDir::toNativeSeparators(m_docs.title(n)));
    m_previewTabs->setTabToolTip(n - 1, QDir::toNativeSeparators(m_docs.title(n)));
}

void FrmEdit::showUnsavedMarks() {
    // A colour, not a character: the captions are quoted in the save
    // questions and must stay as they are.
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        const bool changed = m_docs.changed(n);
        if (changed != m_markedUnsaved[static_cast<std::size_t>(n - 1)]) {
            m_markedUnsaved[static_cast<std::size_t>(n - 1)] = changed;
            m_sourceTabs->setTabTextColor(n - 1, changed ? QColor(0xb0, 0x30, 0x20) : QColor());
        }
    }
}

QString FrmEdit::documentFacts() {
    const int n = currentSlot();
    if (!DocumentSlots::valid(n)) {
        return QString();
    }
    // One pass over the text: once when it is loaded, and again after an
    // edit only while the page is small (the status bar asks four times a
    // second).
    if (!m_lineEndsCounted ||
        (m_lineEndsStale &&
         m_source->SendScintilla(SourcePane::SCI_GETLENGTH) < LineEndScanLimit)) {
        m_lineEnds = lineends::overall(m_source->bytes());
        m_lineEndsCounted = true;
        m_lineEndsStale = false;
    }
    static const char* const names[] = {"UTF-8", "UTF-8 with BOM", "UTF-16 LE", "UTF-16 BE",
                                        "Windows-1252"};
    const TextEncoding encoding = m_docs.encoding(n);
    const QString name = encoding == TextEncoding::Declared
                             ? m_docs.charset(n)
                             : QLatin1String(names[static_cast<int>(encoding)]);
    return name + QStringLiteral("   ") + lineends::name(m_lineEnds);
}

void FrmEdit::selectSlotBy(int step) {
    const int count = m_sourceTabs->count();
    m_sourceTabs->setCurrentIndex((m_sourceTabs->currentIndex() + step + count) % count);
}

void FrmEdit::setWindowCaption(const QString& caption) {
    setWindowTitle(caption);
}

void FrmEdit::setPaneTitles(const QString& sourceTitle, const QString& previewTitle) {
    m_layout.sourceTitle = sourceTitle;
    m_layout.previewTitle = previewTitle;
    m_sourceTitle->setText(sourceTitle);
    m_previewTitle->setText(previewTitle);
}

void FrmEdit::slotSettled(int n) {
    m_recovery->settled(n);
    showUnsavedMarks();
}

void FrmEdit::endProgram() {
    // Every page has been saved or deliberately left: nothing to restore.
    m_recovery->cleanEnd();
    m_ended = true;
    m_refreshTimer->stop();
    if (m_context.quit) {
        m_context.quit();
    }
}

QWidget* FrmEdit::dialogParent() {
    return this;
}

void FrmEdit::showPreviewOnly() {
    setViewMode(panes::Mode::PreviewOnly);
}

void FrmEdit::recentreSoon() {
    m_recentreTimer->start();
}

bool FrmEdit::writeActiveText(const QString& path) {
    return m_refresher->writeText(currentSlot(), path);
}

void FrmEdit::resizeWindowTwips(int width, int height) {
    setWindowState(Qt::WindowNoState);
    resize(px(width), px(height));
}

void FrmEdit::showStatus(const QString& text) {
    if (text.isEmpty()) {
        m_statusBar->clearMessage();
    } else {
        m_statusBar->showMessage(text);
    }
}

void FrmEdit::endKeepingPages() {
    if (m_ended) {
        return;
    }
    m_recovery->journalNow();
    m_recovery->flush();
    m_ended = true;
    m_refreshTimer->stop();
    if (m_context.quit) {
        m_context.quit();
    }
}

bool FrmEdit::endSession(bool mayAsk) {
    if (m_ended) {
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
    // After whatever is under way: a file arriving while another is read in
    // (or a format runs, or a question waits) never lands in the middle.
    BusyGate::whenIdle(this, [this, paths] {
        if (m_ended || paths.isEmpty()) {
            return;
        }
        const std::vector<int> chosen = m_docs.slotsForArrivals(currentSlot(), int(paths.size()));
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            // One at a time: each waits until the one before is in.
            BusyGate::whenIdle(this, [this, slot = chosen[i], path = paths[int(i)]] {
                if (!m_ended) {
                    m_sourceTabs->setCurrentIndex(slot - 1);
                    m_files->openFile(path);
                }
            });
        }
        if (paths.size() > int(chosen.size())) {
            const QStringList left = paths.mid(int(chosen.size()));
            m_context.prompts->showError(
                QStringLiteral("Every document slot holds a page, so these files were not "
                               "opened:\n%1")
                    .arg(left.join(QLatin1Char('\n'))),
                Prompts::Icon::Warning);
        }
    });
}

namespace {
QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data != nullptr && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                files.append(url.toLocalFile());
            }
        }
    }
    return files;
}
} // namespace

void FrmEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void FrmEdit::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // After the drop has finished: the questions and reads must not run
    // inside the drag-and-drop loop of the other program.
    QTimer::singleShot(0, this, [this, files] { openFiles(files); });
}

void FrmEdit::closeEvent(QCloseEvent* event) {
    // Once the program has ended, the window goes. Before that the request
    // runs Close, which asks about every changed page and ends the program
    // unless the user cancels.
    if (m_ended) {
        event->accept();
        return;
    }
    event->ignore();
    // Once what is under way is done: Close asks its questions about whole
    // pages only.
    BusyGate::whenIdle(this, [this] {
        if (!m_ended) {
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

bool FrmEdit::mayTakeKeyboard() const {
    // Not while a menu, a popup or a dialog has the keyboard, nor when
    // another window is in front: the keys belong there.
    return isActiveWindow() && QApplication::activePopupWidget() == nullptr &&
           QApplication::activeModalWidget() == nullptr && !menuBar()->activeAction() &&
           !menuBar()->hasFocus();
}

void FrmEdit::checkOutsideChange() {
    // Not inside the event that noticed it: a question must not interrupt a
    // tab switch or an activation half-way.
    QTimer::singleShot(0, this, [this] {
        if (!m_ended) {
            m_files->offerReload(currentSlot());
        }
    });
}

int FrmEdit::currentSlot() const {
    return DocumentSlots::slotForKey(m_sourceTabs->currentKey());
}

bool FrmEdit::continuousPreview() const {
    const auto* action = menuBar()->findChild<QAction*>(QStringLiteral("mnuPreviewContinuous"));
    return action != nullptr && action->isChecked();
}

void FrmEdit::onPaneChanged() {
    const int n = currentSlot();
    if (DocumentSlots::valid(n) && n == m_docs.paneSlot()) {
        m_docs.recordEdit(n, m_context.clock->now());
        m_recovery->noteEdit(n);
        m_lineEndsStale = true;
        if (!m_markedUnsaved[static_cast<std::size_t>(n - 1)]) {
            showUnsavedMarks();
        }
    }
}

void FrmEdit::switchToSelectedSlot() {
    const int n = currentSlot();
    if (DocumentSlots::valid(n)) {
        const QString text = m_docs.text(n);
        m_docs.handOverPane(n);
        m_source->showSlot(n, text);
        setWindowTitle(m_docs.title(n));
        // The pane now holds `text`: no need to read it back.
        if (text == m_docs.pageTemplate()) {
            m_docs.setChanged(n, false);
        }
        refreshPreview();
        checkOutsideChange();
    }
    showUnsavedMarks();
    updatePaneTitles();
}

void FrmEdit::onPreviewTabClicked(int index) {
    const QString key = m_previewTabs->keyAt(index);
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        if (key == QStringLiteral("P%1").arg(n)) {
            m_sourceTabs->setCurrentIndex(m_sourceTabs->indexOfKey(DocumentSlots::keyFor(n)));
            return;
        }
    }
}

void FrmEdit::updatePaneTitles() {
    const QString caption = m_sourceTabs->caption(m_sourceTabs->currentIndex());
    m_layout.previewTitle = previewPaneTitle(caption);
    m_layout.sourceTitle = sourcePaneTitle(caption);
    m_previewTitle->setText(m_layout.previewTitle);
    m_sourceTitle->setText(m_layout.sourceTitle);
}

void FrmEdit::refreshPreview() {
    m_refresher->refresh();
}

void FrmEdit::flushPreviewFiles() {
    m_refresher->waitForCopies();
}

QStringList FrmEdit::previewFolders() const {
    return m_refresher->previewFolders();
}

void FrmEdit::continuousRefreshTick() {
    showUnsavedMarks();
    m_refresher->tick(continuousPreview());
}

void FrmEdit::showPanes(bool visible) {
    m_sourceTitle->setVisible(visible);
    m_previewTitle->setVisible(visible);
    m_source->setVisible(visible);
    m_preview->widget()->setVisible(visible);
}

panes::WindowSize FrmEdit::windowMetrics() const {
    panes::WindowSize w;
    w.width = width() * TwipsPerPixel;
    w.innerWidth = m_client->width() * TwipsPerPixel;
    w.innerHeight = m_client->height() * TwipsPerPixel;
    w.selectedCaption = m_sourceTabs->caption(m_sourceTabs->currentIndex());
    return w;
}

void FrmEdit::sizeControls(double x) {
    panes::sizeControls(m_layout, x, windowMetrics());
    applyLayout();
}

void FrmEdit::setViewMode(panes::Mode mode) {
    panes::applyMode(m_layout, mode, windowMetrics());
    applyLayout();
}

void FrmEdit::horizontalLayout() {
    panes::horizontalLayout(m_layout, windowMetrics());
    applyLayout();
}

void FrmEdit::applyLayout() {
    // The title strip, the toolbar and the status bar run the full width of
    // the client area, the status bar along its bottom edge.
    const panes::WindowSize w = windowMetrics();
    m_layout[Control::picTitles].width = w.innerWidth;
    m_layout[Control::Toolbar1].width = w.innerWidth;
    panes::Box& status = m_layout[Control::StatusBar1];
    status.width = w.innerWidth;
    status.top = w.innerHeight - status.height;

    place(m_picTitles, m_layout[Control::picTitles]);
    place(m_toolbar, m_layout[Control::Toolbar1]);
    place(m_statusBar, status);
    place(m_sourceTitle, m_layout[Control::lblTitle0]);
    place(m_previewTitle, m_layout[Control::lblTitle1]);
    place(m_sourceTabs, m_layout[Control::TabStrip1]);
    place(m_previewTabs, m_layout[Control::TabStrip2]);
    place(m_back, m_layout[Control::Back]);
    place(m_next, m_layout[Control::cmdNext]);
    place(m_source, m_layout[Control::htmlSource]);
    if (m_findBar != nullptr && m_findBar->isVisible()) {
        // The find bar takes the bottom of the source pane's place.
        const QRect pane = m_source->geometry();
        const int height = qMin(m_findBar->sizeHint().height(), pane.height());
        m_source->setGeometry(pane.adjusted(0, 0, 0, -height));
        m_findBar->setGeometry(pane.left(), pane.bottom() + 1 - height, pane.width(), height);
        m_findBar->raise();
    }
    place(m_preview->widget(), m_layout[Control::htmlPreview]);
    place(m_grip, m_layout[Control::imgSplitter]);
    place(m_splitterBar, m_layout[Control::picSplitter]);
    m_grip->raise();
    m_splitterBar->raise();
    m_sourceTabs->setFixedTabWidth(px(m_layout.tabWidth1));
    m_previewTabs->setFixedTabWidth(px(m_layout.tabWidth2));
    m_sourceTitle->setText(m_layout.sourceTitle);
    m_previewTitle->setText(m_layout.previewTitle);
}

void FrmEdit::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_recentreTimer->start();
    if (isMinimized()) {
        return;
    }
    if (width() * TwipsPerPixel < MinimumWidthTwips) {
        resize(px(MinimumWidthTwips), height());
    }
    sizeControls(m_layout[Control::imgSplitter].left);
}

void FrmEdit::recentre() {
    m_recentreTimer->stop();
    sizeControls(windowMetrics().width / 2);
    sizeControls(m_layout[Control::imgSplitter].left);
}

} // namespace markwright
