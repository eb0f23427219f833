#include "files/Recovery.h"

#include "core/DocumentHost.h"
#include "core/DocumentSlots.h"
#include "dialogs/Prompts.h"
#include "editor/SourcePane.h"
#include "files/InPlaceWrite.h"

#include <QFileInfo>

namespace markwright {

const char* const Recovery::QuestionText =
    "Markwright did not close properly. Restore the unsaved pages?";

namespace {
std::size_t index(int n) {
    return static_cast<std::size_t>(n - 1);
}
} // namespace

Recovery::Recovery(DocumentHost& host, Prompts& prompts, const QString& journalFolder,
                   const QString& backupFolder)
    : m_host(host), m_prompts(prompts), m_journal(journalFolder), m_backupFolder(backupFolder) {
    // Someone who never pauses long enough still gets a copy: the second
    // timer is not put back by further edits.
    m_pause.setObjectName(QStringLiteral("journalPause"));
    m_longestWait.setObjectName(QStringLiteral("journalLongestWait"));
    for (QTimer* timer : {&m_pause, &m_longestWait}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &Recovery::journalNow);
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
    const DocumentSlots& docs = m_host.documents();
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
            const QByteArrayView bytes = m_host.source().bytes();
            page.paneBytes = QByteArray(bytes.data(), bytes.size());
        } else {
            page.text = docs.text(n);
        }
        page.title = docs.title(n);
        page.folder = docs.folder(n);
        page.encoding = docs.encoding(n);
        page.changed = true;
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

void Recovery::offerRestore() {
    if (!m_backupFolder.isEmpty()) {
        for (const QString& path : inplace::recoverInterrupted(m_backupFolder)) {
            m_prompts.showError(QStringLiteral("A save of\n%1\nwas cut short when Markwright "
                                               "stopped. The file was put back as it was before "
                                               "that save.")
                                    .arg(path),
                                Prompts::Icon::Warning);
        }
    }
    const std::vector<CrashJournal::Page> pages = m_journal.leftPages();
    if (pages.empty()) {
        m_journal.discardLeft();
        return;
    }
    const int answer = m_prompts.choose(QLatin1String(QuestionText), appTitle(),
                                        {QStringLiteral("Restore"), QStringLiteral("Discard")}, 0);
    if (answer == 0) {
        for (const CrashJournal::Page& page : pages) {
            restore(page);
        }
        // This session holds the pages before the old copies go.
        journalNow();
        m_journal.flush();
    } else if (answer != 1) {
        return; // closed without an answer: ask again at the next start
    }
    m_journal.discardLeft();
}

void Recovery::restore(const CrashJournal::Page& page) {
    const int n = page.slot;
    if (!DocumentSlots::valid(n)) {
        return;
    }
    DocumentSlots& docs = m_host.documents();
    if (n == docs.paneSlot()) {
        m_host.source().setText(page.text);
    } else {
        docs.setStoredText(n, page.text);
    }
    docs.setTitle(n, page.title);
    docs.setFolder(n, page.folder);
    docs.setEncoding(n, page.encoding);
    docs.setChanged(n, true);
    if (page.title == DocumentSlots::initialTitle(n)) {
        m_host.setTabCaptions(n, page.title, QStringLiteral("Page %1").arg(n));
    } else {
        const QString fileTitle = QFileInfo(page.title).fileName();
        m_host.setTabCaptions(n, fileTitle, fileTitle);
    }
    m_dirty[index(n)] = true;
}

void Recovery::cleanEnd() {
    m_pause.stop();
    m_longestWait.stop();
    m_journal.finish();
}

} // namespace markwright
