#include "app/MainPanes.h"

#include "app/FixedTabBar.h"
#include "app/SplitterGrip.h"
#include "core/CommandRegistry.h"
#include "core/DocumentSlots.h"
#include "editor/FindBar.h"
#include "editor/SourcePane.h"
#include "preview/PreviewPane.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace markwright {

using panes::Control;

namespace {
constexpr int MinimumWidthTwips = 3000;
constexpr int RecentreDelay = 110;

int px(double twips) {
    return qRound(twips / MainPanes::TwipsPerPixel);
}

void place(QWidget* widget, const panes::Box& box) {
    widget->setGeometry(px(box.left), px(box.top), qMax(0, px(box.width)), qMax(0, px(box.height)));
}

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow,
                         const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}
} // namespace

MainPanes::MainPanes(QWidget* window, const std::function<PreviewPane*(QWidget*)>& makePreview)
    : QObject(window), m_window(window), m_layout(panes::designLayout()) {
    m_client = new QWidget(window);
    m_client->setObjectName(QStringLiteral("client"));
    if (auto* main = qobject_cast<QMainWindow*>(window)) {
        main->setCentralWidget(m_client);
    }
    buildTitles();
    m_toolbar = new QToolBar(m_client);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    buildTabs();

    m_source = new SourcePane(m_client);
    m_preview = makePreview(m_client);
    m_preview->widget()->setObjectName(QStringLiteral("htmlPreview"));

    m_statusBar = new QStatusBar(m_client);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);

    m_recentreTimer = new QTimer(this);
    m_recentreTimer->setObjectName(QStringLiteral("Timer1"));
    m_recentreTimer->setSingleShot(true);
    m_recentreTimer->setInterval(RecentreDelay);
    connect(m_recentreTimer, &QTimer::timeout, this, &MainPanes::recentre);
    wireSplitter();
}

void MainPanes::buildTitles() {
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
}

void MainPanes::buildTabs() {
    m_sourceTabs = new FixedTabBar(m_client);
    m_sourceTabs->setObjectName(QStringLiteral("TabStrip1"));
    m_previewTabs = new FixedTabBar(m_client);
    m_previewTabs->setObjectName(QStringLiteral("TabStrip2"));
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        m_sourceTabs->addKeyedTab(DocumentSlots::keyFor(n), DocumentSlots::initialTitle(n));
        m_previewTabs->addKeyedTab(QStringLiteral("P%1").arg(n), QStringLiteral("Page %1").arg(n));
    }
    m_back = arrowButton(m_client, "Back", Qt::LeftArrow, tr("Back"));
    m_next = arrowButton(m_client, "cmdNext", Qt::RightArrow, tr("Forward"));
    connect(m_back, &QToolButton::clicked, this, [this] { m_preview->back(); });
    connect(m_next, &QToolButton::clicked, this, [this] { m_preview->forward(); });
}

void MainPanes::wireSplitter() {
    m_grip = new SplitterGrip(m_client);
    m_grip->setObjectName(QStringLiteral("imgSplitter"));
    m_splitterBar = new QWidget(m_client);
    m_splitterBar->setObjectName(QStringLiteral("picSplitter"));
    m_splitterBar->setAutoFillBackground(true);
    m_splitterBar->setBackgroundRole(QPalette::Dark);
    m_splitterBar->hide();

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

void MainPanes::registerAll(CommandRegistry& commands) {
    using panes::Mode;
    const std::pair<const char*, Mode> modes[] = {
        {"mnuBoth", Mode::Both},         {"mnuSOnly", Mode::SourceOnly},
        {"mnuPOnly", Mode::PreviewOnly}, {"Source", Mode::SourceOnly},
        {"Preview", Mode::PreviewOnly},  {"Code10", Mode::Code10},
        {"Preview10", Mode::Preview10}};
    for (const auto& [name, mode] : modes) {
        commands.add(QLatin1String(name), [this, mode = mode] { setViewMode(mode); });
    }
    commands.add(QStringLiteral("Both"), [this] { showBoth(); });
    commands.add(QStringLiteral("HBoth"), [this] { horizontalLayout(); });

    // The test resolutions: normal state, then this size in twips.
    const std::pair<const char*, QSize> sizes[] = {
        {"mnu640", {9600, 7200}}, {"mnu800", {12000, 9000}}, {"mnu1024", {15036, 11520}}};
    for (const auto& [name, twips] : sizes) {
        commands.add(QLatin1String(name), [this, twips = twips] {
            m_window->setWindowState(Qt::WindowNoState);
            m_window->resize(px(twips.width()), px(twips.height()));
        });
    }
}

panes::WindowSize MainPanes::windowMetrics() const {
    panes::WindowSize w;
    w.width = m_window->width() * TwipsPerPixel;
    w.innerWidth = m_client->width() * TwipsPerPixel;
    w.innerHeight = m_client->height() * TwipsPerPixel;
    w.selectedCaption = m_sourceTabs->caption(m_sourceTabs->currentIndex());
    return w;
}

void MainPanes::sizeControls(double x) {
    panes::sizeControls(m_layout, x, windowMetrics());
    applyLayout();
}

void MainPanes::setViewMode(panes::Mode mode) {
    panes::applyMode(m_layout, mode, windowMetrics());
    applyLayout();
}

void MainPanes::horizontalLayout() {
    panes::horizontalLayout(m_layout, windowMetrics());
    applyLayout();
}

void MainPanes::showBoth() {
    setViewMode(panes::Mode::Both);
    sizeControls(m_layout[Control::imgSplitter].left);
}

void MainPanes::showPanes(bool visible) {
    m_sourceTitle->setVisible(visible);
    m_previewTitle->setVisible(visible);
    m_source->setVisible(visible);
    m_preview->widget()->setVisible(visible);
}

void MainPanes::setPaneTitles(const QString& sourceTitle, const QString& previewTitle) {
    m_layout.sourceTitle = sourceTitle;
    m_layout.previewTitle = previewTitle;
    m_sourceTitle->setText(sourceTitle);
    m_previewTitle->setText(previewTitle);
}

void MainPanes::applyLayout() {
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

void MainPanes::windowResized() {
    m_recentreTimer->start();
    if (m_window->isMinimized()) {
        return;
    }
    if (m_window->width() * TwipsPerPixel < MinimumWidthTwips) {
        m_window->resize(px(MinimumWidthTwips), m_window->height());
    }
    sizeControls(m_layout[Control::imgSplitter].left);
}

void MainPanes::showTabCaptions(int n, const QString& sourceTab, const QString& previewTab,
                                const QString& tip) {
    m_sourceTabs->setCaption(n - 1, sourceTab);
    m_previewTabs->setCaption(n - 1, previewTab);
    m_sourceTabs->setTabToolTip(n - 1, tip);
    m_previewTabs->setTabToolTip(n - 1, tip);
}

void MainPanes::markUnsaved(int n, bool unsaved) {
    m_sourceTabs->setTabTextColor(n - 1, unsaved ? QColor(0xb0, 0x30, 0x20) : QColor());
}

void MainPanes::setWindowCaption(const QString& caption) {
    m_window->setWindowTitle(caption);
}

void MainPanes::selectSlot(int n) {
    m_sourceTabs->setCurrentIndex(m_sourceTabs->indexOfKey(DocumentSlots::keyFor(n)));
}

void MainPanes::showStatus(const QString& text) {
    if (text.isEmpty()) {
        m_statusBar->clearMessage();
    } else {
        m_statusBar->showMessage(text);
    }
}

bool MainPanes::mayTakeKeyboard() const {
    // Not while a menu, a popup or a dialog has the keyboard, nor when
    // another window is in front: the keys belong there.
    const auto* main = qobject_cast<QMainWindow*>(m_window);
    const QMenuBar* menuBar = main != nullptr ? main->menuBar() : nullptr;
    return m_window->isActiveWindow() && QApplication::activePopupWidget() == nullptr &&
           QApplication::activeModalWidget() == nullptr &&
           (menuBar == nullptr || (!menuBar->activeAction() && !menuBar->hasFocus()));
}

void MainPanes::endProgram() {
    if (m_end) {
        m_end();
    }
}

void MainPanes::recentreSoon() {
    m_recentreTimer->start();
}

void MainPanes::recentre() {
    m_recentreTimer->stop();
    sizeControls(windowMetrics().width / 2);
    sizeControls(m_layout[Control::imgSplitter].left);
}

} // namespace markwright
