#include "recovery/Recovery.h"

#include "core/BusyGate.h"
#include "core/DocumentSlots.h"
#include "core/SourceText.h"
#include "dialogs/Prompts.h"
#include "documents/DocumentController.h"
#include "files/DiskWatch.h"
#include "files/InPlaceWrite.h"

#include <QDir>
#include <QFileInfo>

namespace markwright {

const char* const Recovery::QuestionText =
    "Markwright did not close properly. Restore the unsaved pages?";

namespace {
std::size_t index(int n) {
    return static_cast<std::size_t>(n - 1);
}
} // namespace

Recovery::Recovery(DocumentController& controller, Prompts& prompts, DiskWatch& watch,
                   const QString& journalFolder, const QString& backupFolder)
    : m_controller(controller), m_prompts(prompts), m_watch(watch), m_journal(journalFolder),
      m_backupFolder(backupFolder) {
    // Someone who never pauses long enough still gets a copy: the second
    // timer is not put back by further edits.
    m_pause.setObjectName(QStringLiteral("journalPause"));
    m_longestWait.setObjectName(QStringLiteral("journalLongestWait"));
    for (QTimer* timer : {&m_pause, &m_longestWait}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        // A page being read in or formatted is copied once that is done.
        connect(timer, &QTimer::timeout, this,
                [this] { BusyGate::whenIdle(this, [this] { journalNow(); }); });
    }
    m_pause.setInterval(PauseMs);
    m_longestWait.setInterval(LongestWaitMs);
}

Recovery::~Recovery() = default;

void Recovery::noteEdit(int n) {
    if (!DocumentSlots::valid(n) || !m_journal.active()) {
        return;
    }
    m_dirty[index(n)] = true;
    m_pause.start();
    if (!m_longestWait.isActive()) {
        m_longestWait.start();
    }
}

void Recovery::journalNow() {
    m_pause.stop();
    m_longestWait.stop();
    const DocumentSlots& docs = m_controller.documents();
    for (int n = 1; n <= DocumentSlots::Count; ++n) {
        const std::size_t i = index(n);
        if (!docs.changed(n)) {
            if (m_stored[i]) {
                m_journal.remove(n);
                m_stored[i] = false;
            }
            m_dirty[i] = false;
            continue;
        }
        if (!m_dirty[i]) {
            continue;
        }
        CrashJournal::Page page;
        page.slot = n;
        // The pane's bytes are copied as they are; turning them into text is
        // the writer's work, off the window's thread.
        if (n == docs.paneSlot()) {
            const QByteArrayView bytes = m_controller.source().bytes();
            page.paneBytes = QByteArray(bytes.data(), bytes.size());
        } else {
            page.text = docs.text(n);
        }
        page.title = docs.title(n);
        page.folder = docs.folder(n);
        page.encoding = docs.encoding(n);
        page.charset = docs.charset(n);
        page.changed = true;
        page.richText = docs.richText(n);
        page.file = m_watch.path(n);
        page.known = m_watch.known(n);
        m_journal.store(page);
        m_stored[i] = true;
        m_dirty[i] = false;
    }
}

void Recovery::settled(int n) {
    if (!DocumentSlots::valid(n)) {
        return;
    }
    m_dirty[index(n)] = false;
    if (m_stored[index(n)]) {
        m_journal.remove(n);
        m_stored[index(n)] = false;
    }
}

void Recovery::putBackCutSaves() {
    if (m_backupFolder.isEmpty()) {
        return;
    }
    for (const inplace::Mended& mended : inplace::recoverInterrupted(m_backupFolder)) {
        QString text = QStringLiteral("A save of\n%1\nwas cut short when Markwright stopped. "
                                      "The file was put back as it was before that save.")
                           .arg(mended.path);
        if (!mended.keptAside.isEmpty()) {
            text += QStringLiteral("\n\nWhat the file held instead is kept at\n%1")
                        .arg(QDir::toNativeSeparators(mended.keptAside));
        }
        m_prompts.showError(text, Prompts::Icon::Warning);
    }
}

void Recovery::offerRestore() {
    putBackCutSaves();
    const std::vector<CrashJournal::Page> pages = m_journal.leftPages();
    if (pages.empty()) {
        m_journal.discardLeft();
        return;
    }
    const int answer = m_prompts.choose(QLatin1String(QuestionText), appTitle(),
                                        {QStringLiteral("Restore"), QStringLiteral("Discard")}, 0);
    if (answer == 1) {
        m_journal.discardLeft();
        return;
    }
    if (answer != 0) {
        return; // closed without an answer: ask again at the next start
    }
    // Two sessions may have left a page for the same slot: the first keeps
    // it, the other goes where it overwrites nothing unsaved and no left
    // page is headed.
    std::array<bool, DocumentSlots::Count> wanted{}, taken{};
    for (const CrashJournal::Page& page : pages) {
        if (DocumentSlots::valid(page.slot)) {
            wanted[index(page.slot)] = true;
        }
    }
    const DocumentSlots& docs = m_controller.documents();
    std::vector<CrashJournal::Page> unplaced;
    for (const CrashJournal::Page& page : pages) {
        int n = DocumentSlots::valid(page.slot) && !taken[index(page.slot)] ? page.slot : 0;
        for (int k = 1; n == 0 && k <= DocumentSlots::Count; ++k) {
            if (!taken[index(k)] && !wanted[index(k)] && !docs.changed(k)) {
                n = k;
            }
        }
        if (n == 0) {
            unplaced.push_back(page);
            continue;
        }
        taken[index(n)] = true;
        restore(page, n);
    }
    // This session holds the pages before the old copies go.
    journalNow();
    m_journal.flush();
    m_journal.discardLeft(unplaced);
    if (!unplaced.empty()) {
        QStringList titles;
        for (const CrashJournal::Page& page : unplaced) {
            titles.append(page.title);
        }
        m_prompts.showError(
            QStringLiteral("No slot was free for these restored pages:\n%1\n\nThey are kept and "
                           "offered again at the next start.")
                .arg(titles.join(QLatin1Char('\n'))),
            Prompts::Icon::Warning);
    }
}

void Recovery::restore(const CrashJournal::Page& page, int n) {
    DocumentSlots& docs = m_controller.documents();
    if (n == docs.paneSlot()) {
        m_controller.source().setText(page.text);
    } else {
        docs.setStoredText(n, page.text);
    }
    // A new page keeps the title of the slot it lands in, so Save still
    // asks for a name.
    const bool untitled = page.title == DocumentSlots::initialTitle(page.slot);
    const QString title = untitled ? DocumentSlots::initialTitle(n) : page.title;
    docs.setTitle(n, title);
    docs.setFolder(n, page.folder);
    docs.setEncoding(n, page.encoding, page.charset);
    docs.setRichText(n, page.richText);
    docs.setChanged(n, true);
    if (page.file.isEmpty()) {
        m_watch.forget(n);
    } else {
        m_watch.rememberAs(n, page.file, page.known);
    }
    if (untitled) {
        m_controller.setTabCaptions(n, title, QStringLiteral("Page %1").arg(n));
    } else {
        const QString fileTitle = QFileInfo(title).fileName();
        m_controller.setTabCaptions(n, fileTitle, fileTitle);
    }
    m_dirty[index(n)] = true;
}

void Recovery::cleanEnd() {
    m_pause.stop();
    m_longestWait.stop();
    m_journal.finish();
}

} // namespace markwright
